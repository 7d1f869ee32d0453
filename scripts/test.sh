#!/usr/bin/env bash
# Installs what is missing, builds the release and the sanitizer build and runs
# every test of both, runs each fuzz target of the engine for a short fixed time
# (clang, libFuzzer with the sanitizers), then builds the engine with
# ThreadSanitizer and runs its concurrency tests. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

for preset in release asan fuzz tsan; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: tests"
  ctest --preset "$preset" -j "$jobs"
done
