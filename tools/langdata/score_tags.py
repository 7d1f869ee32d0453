#!/usr/bin/env python3
"""Tagging accuracy as a user meets it.

Every sentence of a CoNLL-U file is fed to `zintra tag` as its gold tokens
joined by single blanks. A gold token counts right only when exactly one
output token covers its characters (the same start and end) and carries the
gold tag; compound members count by their own tags, so a compound's tag is
not scored. A token cut differently counts wrong.

Reported: all tokens; tokens with classic Penn tags (leaving out HYPH, NFP,
ADD, GW, XX, AFX); tokens whose form the lexicon lists.

  score_tags.py --zintra PATH --install DIR FILE.conllu [--tagged OUT]

DIR is the installation folder (zintra.ini and the data it names); the
lexicon is read from its DICTIONARY_FILE and MYDICTIONARY_FILE.
"""
import argparse
import os
import re
import subprocess
import sys

NON_CLASSIC = {"HYPH", "NFP", "ADD", "GW", "XX", "AFX"}
MEMBER_CLOSING = re.compile(r"^(.*)/([^/()]+)\)/([^/ ]+)$")
SIMPLE = re.compile(r"^(.*)/([^/]+)$")


def read_conllu(path):
    sentences, tokens = [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                if tokens:
                    sentences.append(tokens)
                tokens = []
                continue
            if line.startswith("#"):
                continue
            cols = line.split("\t")
            if len(cols) < 5 or "-" in cols[0] or "." in cols[0]:
                continue
            tokens.append((cols[1], cols[4]))
    if tokens:
        sentences.append(tokens)
    return sentences


def lexicon_words(install):
    words = set()
    files = []
    with open(os.path.join(install, "zintra.ini"), encoding="utf-8", errors="replace") as f:
        for line in f:
            parts = line.split(None, 1)
            if len(parts) == 2 and parts[0] in ("DICTIONARY_FILE", "MYDICTIONARY_FILE"):
                files.append(parts[1].strip())
    for name in files:
        path = os.path.join(install, name)
        if not os.path.exists(path):
            continue
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                fields = line.split()
                if fields and not fields[0].startswith("//"):
                    words.add(fields[0])
    return words


def parse_output(line):
    """The (word, tag) of every output token, compound members one by one."""
    tokens = []
    for piece in line.split(" "):
        if not piece:
            continue
        # "(" opens a compound unless the piece is the token "(" itself.
        if piece.startswith("(") and not piece.startswith("(/"):
            piece = piece[1:]
        m = MEMBER_CLOSING.match(piece)
        if m:
            tokens.append((m.group(1), m.group(2)))
            continue
        m = SIMPLE.match(piece)
        tokens.append((m.group(1), m.group(2)) if m else (piece, ""))
    return tokens


def spans(text, words):
    """Character spans of words found in order in text (None when not found)."""
    result, pos = [], 0
    for w in words:
        at = text.find(w, pos) if w else -1
        if at < 0:
            result.append(None)
            continue
        result.append((at, at + len(w)))
        pos = at + len(w)
    return result


def score(sentences, outputs, known):
    counts = {k: [0, 0] for k in ("all", "classic", "known")}
    for gold, out in zip(sentences, outputs):
        text = " ".join(form for form, _ in gold)
        produced = parse_output(out)
        covering = {}
        for span, (_, tag) in zip(spans(text, [w for w, _ in produced]), produced):
            if span:
                covering.setdefault(span, []).append(tag)
        pos = 0
        for form, tag in gold:
            span = (pos, pos + len(form))
            pos += len(form) + 1
            tags = covering.get(span, [])
            right = len(tags) == 1 and tags[0] == tag
            kinds = ["all"]
            if tag not in NON_CLASSIC:
                kinds.append("classic")
            if form in known:
                kinds.append("known")
            for k in kinds:
                counts[k][0] += right
                counts[k][1] += 1
    return counts


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--zintra", required=True)
    p.add_argument("--install", required=True)
    p.add_argument("--tagged", help="write the engine's output here")
    p.add_argument("conllu")
    a = p.parse_args()
    sentences = read_conllu(a.conllu)
    text = "".join(" ".join(form for form, _ in s) + "\n" for s in sentences)
    run = subprocess.run([os.path.abspath(a.zintra), "tag"], input=text.encode("utf-8"), cwd=a.install,
                         stdout=subprocess.PIPE, check=True)
    outputs = run.stdout.decode("utf-8", errors="replace").split("\n")[: len(sentences)]
    if a.tagged:
        with open(a.tagged, "w", encoding="utf-8") as f:
            f.write("\n".join(outputs) + "\n")
    counts = score(sentences, outputs, lexicon_words(a.install))
    print("%-22s %8s %8s %8s" % ("tokens", "right", "all", "share"))
    for k, label in (("all", "all"), ("classic", "classic Penn tags"), ("known", "known to the lexicon")):
        right, total = counts[k]
        print("%-22s %8d %8d %7.2f%%" % (label, right, total, 100.0 * right / total if total else 0.0))


if __name__ == "__main__":
    sys.exit(main())
