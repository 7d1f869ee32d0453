#!/usr/bin/env bash
# The sample-tree page of the bundled installation in headless Chromium:
# parse.js draws every sample's tree and each differing reference, with the
# differing parts marked. Skipped (status 77) when chromium is not installed.
#   sample_tree_chromium_test.sh ZINTRA INSTALLATION WORK
set -euo pipefail
zintra=$1 installation=$2 work=$3
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "chromium is not installed: skipped"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/pages"
cp -r "$installation/." "$work/install"
mkdir "$work/install/chapter1"
cp "$work/install/templates/"{Global,Gtemplate,Lesson01-01,Lesson01-02,Lesson01-04}.xvt "$work/install/chapter1/"
cd "$work/install"
# The trees as they are, with the one of "I am from Japan" changed: one reference differs.
: > empty.txt
"$zintra" sample-tree chapter1 --reference empty.txt --output "$work/pages/plain.html" > /dev/null
grep '^<!--' "$work/pages/plain.html" | sed '/Japan/s/(PP (IN from) (NP (NPL (NNP Japan))))/(IN from) (NP (NNP Japan))/' > reference.txt
"$zintra" sample-tree chapter1 --reference reference.txt --output "$work/pages/page.html" > /dev/null
samples=$(grep -c '^<!--' "$work/pages/page.html")
differing=$(grep -c '^<U>' "$work/pages/page.html" || true)
[ "$samples" -ge 3 ] && [ "$differing" -eq 1 ] || { echo "page: $samples samples, $differing references"; exit 1; }

dom=$(timeout 120 "$browser" --headless --no-sandbox --disable-gpu --dump-dom "file://$work/pages/page.html" 2>/dev/null)
fail() { echo "FAILED: $1"; echo "$dom" | head -c 4000; exit 1; }
svgs=$(grep -o '<svg' <<< "$dom" | wc -l)
[ "$svgs" -eq $((samples + differing)) ] || fail "$svgs drawings for $samples samples and $differing reference"
grep -q "$samples samples in 5 files; 1 differ from their reference, 0 without a tree" <<< "$dom" || fail "legend"
grep -q '<text[^>]*class="sample word"[^>]*>student</text>' <<< "$dom" || fail "the word student"
grep -q '<text[^>]*class="sample phrase differs"[^>]*>PP</text>' <<< "$dom" || fail "PP marked as missing from the reference"
grep -q '<rect[^>]*class="sample phrase differs"' <<< "$dom" || fail "a marked box"
# The reference's own parts all occur in the sample's tree: none marked.
if grep -q 'class="reference[^"]*differs' <<< "$dom"; then fail "reference parts marked"; fi
grep -q '<text[^>]*class="reference tag"[^>]*>IN</text>' <<< "$dom" || fail "the reference drawn"
echo "ok: $samples samples, $svgs drawings"
