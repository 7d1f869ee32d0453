#!/usr/bin/env bash
# Lays out an installation: the built programs and the bundled default data.
#   scripts/layout.sh BUILD_DIR INSTALL_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
dest=$2
mkdir -p "$dest"
cp -f "$build/engine/zintra" "$build/engine/libzintra.so" "$dest/"
cp -rf data/engine/. "$dest/"
for program in app/korvel tools/userlist/tanduid; do
  if [ -f "$build/$program" ]; then cp -f "$build/$program" "$dest/"; fi
done
if [ -d data/course ]; then cp -rf data/course/. "$dest/"; fi
