#!/usr/bin/env bash
# Rebuilds the engine's language data in data/engine/ (dictionary, unknown-word
# rules, bigrams, compounds, contextual rules and the tokenizer settings of
# zintra.ini) from the treebank's train split and the Debian word lists, and
# measures the result on the dev split, with the learner and with the engine.
#
#   bash scripts/langdata.sh [TREEBANK_DIR] [extra langdata options]
#
# TREEBANK_DIR defaults to ../shared/data/treebank beside this checkout
# (or $ZINTRA_TREEBANK). The build goes to build/langdata.
set -euo pipefail
cd "$(dirname "$0")/.."

treebank="${ZINTRA_TREEBANK:-../shared/data/treebank}"
if [ $# -gt 0 ] && [ -d "$1" ]; then treebank="$1"; shift; fi
for f in en_ewt-ud-train.conllu en_ewt-ud-dev.conllu; do
  [ -f "$treebank/$f" ] || { echo "langdata.sh: $treebank/$f not found" >&2; exit 1; }
done

bash scripts/setup.sh
build=build/langdata
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINTRA_BUILD_APP=OFF \
  -DZINTRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target langdata -j 2

# The settings below were chosen on the dev split (see the report printed).
"$build/tools/langdata/langdata" \
  --train "$treebank/en_ewt-ud-train.conllu" \
  --dev "$treebank/en_ewt-ud-dev.conllu" \
  --dict /usr/share/dict/american-english \
  --dict /usr/share/dict/british-english \
  --dict /usr/share/dict/american-english-large \
  --wordnet /usr/share/wordnet \
  --extend-known --extend-below 100 --noise 2 --list-class-below 10 --capital-names 50 \
  --keep-tag HYPH --keep-tag NFP \
  --extra-contextual tools/langdata/course_rules.txt \
  --out data/engine --check "$@"
