#!/usr/bin/env bash
# Makes the course's recordings (words, basic sentences, model answers and
# the feedback sounds) under a content root, with Festival's HTS voice and
# lame. Only recordings that are missing or whose text changed are made, so
# a second run takes a moment. The recordings are not committed.
#   scripts/audio.sh CONTENT_ROOT
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:?usage: scripts/audio.sh CONTENT_ROOT}
for tool in text2wave lame sox; do
  command -v "$tool" >/dev/null || { echo "audio: $tool is missing (run scripts/setup.sh)" >&2; exit 1; }
done
python3 tools/coursegen/audio.py "$root" --jobs "$(nproc)"
