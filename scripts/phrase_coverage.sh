#!/usr/bin/env bash
# Phrase-tree coverage of the English treebank's development sentences.
#   scripts/phrase_coverage.sh [--gold] BUILD_DIR [MIN MAX [FAILURES_FILE]]
#
# Every sentence of en_ewt-ud-dev.conllu whose number of word tokens (lines
# with a plain numeric ID: no multi-word ranges, no empty nodes) lies in
# MIN..MAX (default 3..12) is written as a learner would type it: its word
# forms joined by single blanks, nothing else. Each such line goes through
# `zintra parse` of the bundled installation (our tokenizer, our tagger, the
# bundled phrase grammar with its rules, mode 0, the engine's step budget);
# a sentence counts as covered when the output is a tree, i.e. begins with
# "(S " rather than the flat "( S " form of a failed parse.
# FAILURES_FILE, when given, receives the flat output of every sentence that
# got no tree.
# With --gold the treebank's own Penn tags are given with the words instead of
# our tagger's, so that what the grammar lacks is told apart from what the
# tagger gets wrong. Each word is written as a group "(TAG word)" (mode 0):
# the "word/TAG" form cannot carry the tag of a full stop ("./." reads as a
# tag followed by the end of the sentence).
#
#   ZINTRA_TREEBANK   folder with en_ewt-ud-dev.conllu (default: ../shared/data/treebank)
set -euo pipefail
cd "$(dirname "$0")/.."
gold=0
if [ "${1:-}" = --gold ]; then
    gold=1
    shift
fi
build=${1:?usage: phrase_coverage.sh [--gold] BUILD_DIR [MIN MAX [FAILURES_FILE]]}
min=${2:-3}
max=${3:-12}
failures=${4:-}
treebank=${ZINTRA_TREEBANK:-$PWD/../shared/data/treebank}
dev=$treebank/en_ewt-ud-dev.conllu
[ -f "$dev" ] || { echo "no treebank at $dev" >&2; exit 1; }
build=$(cd "$build" && pwd)
install=$(mktemp -d)
trap 'rm -rf "$install"' EXIT
bash scripts/layout.sh "$build" "$install" >/dev/null

awk -F'\t' -v min="$min" -v max="$max" -v gold="$gold" '
    function flush() { if (n >= min && n <= max) print text; n = 0; text = "" }
    /^#/ { next }
    /^$/ { flush(); next }
    $1 ~ /^[0-9]+$/ { w = gold ? "(" $5 " " $2 ")" : $2; text = n ? text " " w : w; ++n }
    END { flush() }' "$dev" >"$install/sentences.txt"

(cd "$install" && ./zintra parse <sentences.txt 2>/dev/null >parsed.txt)
total=$(wc -l <"$install/sentences.txt")
trees=$(grep -c '^(S ' "$install/parsed.txt" || true)
if [ -n "$failures" ]; then
    paste -d '\n' "$install/sentences.txt" "$install/parsed.txt" | paste -d '\t' - - |
        awk -F'\t' 'index($2, "(S ") != 1 { print $1 "\t" $2 }' >"$failures"
fi
tags=$([ "$gold" = 1 ] && echo "the treebank's tags" || echo "our tagger's tags")
awk -v t="$trees" -v n="$total" -v lo="$min" -v hi="$max" -v tags="$tags" \
    'BEGIN { printf "EWT dev sentences of %d to %d tokens with a tree (%s): %d of %d (%.1f%%)\n", lo, hi, tags, t, n, n ? 100 * t / n : 0 }'
