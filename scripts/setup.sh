#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Idempotent: packages that are already installed are skipped, and apt is not
# touched at all when nothing is missing.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config
  # course generator and its checks; speech and encoding of the recordings
  python3 festival festvox-us-slt-hts lame sox
  # engine
  libxerces-c-dev libicu-dev
  # application and user list tool (Qt Charts' CMake package needs Qt OpenGL's)
  qt6-base-dev qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libqt6svg6 fonts-noto-cjk
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  # the sample-tree page's drawing script, tested under node (a browser test
  # runs too when chromium is installed, and is skipped otherwise)
  nodejs
  # fuzz targets: clang with libFuzzer and the sanitizer runtimes
  clang-14 libclang-rt-14-dev
  # word lists the language-data builder reads
  wamerican wamerican-large wbritish wordnet-base
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
