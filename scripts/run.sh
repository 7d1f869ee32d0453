#!/usr/bin/env bash
# Installs what is missing, builds the release build, lays out the bundled
# default installation and runs the main job on it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

install_dir=build/release/install
bash scripts/layout.sh build/release "$install_dir"
cd "$install_dir"
echo "== zintra match on the default installation"
./zintra match --config zintra.ini '<H1>0-0-0.xvt</H1><P></P>'
