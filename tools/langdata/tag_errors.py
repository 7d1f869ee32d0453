#!/usr/bin/env python3
"""Where the tagging errors of `zintra tag` on a CoNLL-U file come from.

Feeds every sentence as its gold tokens joined by single blanks (as
score_tags.py does) and sorts the tokens counted wrong into cutting errors
(no single output token covers the gold token's characters), grouped by the
kind of token, and tag errors, as gold -> ours confusions with example words.
Words the lexicon lists whose first tag differs from the tag they carry most
often in a training file (--train) are listed with their dev errors.

  tag_errors.py --zintra PATH --install DIR [--train TRAIN.conllu] [--tagged FILE] DEV.conllu

--tagged reads `zintra tag` output saved earlier instead of running it.
"""
import argparse
import collections
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import score_tags  # noqa: E402

CONTRACTION = re.compile(r"(n't|'s|'re|'ve|'ll|'d|'m|n’t|’s|’re|’m|’ll|’ve|’d)", re.I)
EMOTICON = re.compile(r"[:;=8][-']?[()DPpO/\\|]+|[()]+[-']?[:;]|<3|\^_\^|[xX][dD]")


def cutting_kind(form, in_brackets):
    if form in ("(", ")") or in_brackets:
        return "brackets"
    if CONTRACTION.fullmatch(form):
        return "contraction"
    if re.fullmatch(r"[-–—]+", form):
        return "hyphen/dash"
    if re.search(r"https?:|www\.|\.com|@", form):
        return "url/email"
    if EMOTICON.fullmatch(form):
        return "emoticon"
    if re.search(r"\d", form):
        return "number"
    if re.fullmatch(r"[^\w\s]+", form):
        return "punctuation"
    if "-" in form or "/" in form:
        return "word with - or /"
    return "other"


def lexicon_entries(install):
    entries = {}
    for word in score_tags.lexicon_words(install):
        entries[word] = None
    with open(os.path.join(install, "zintra.ini"), encoding="utf-8", errors="replace") as f:
        names = [l.split(None, 1)[1].strip() for l in f if l.startswith("DICTIONARY_FILE")]
    for name in names:
        with open(os.path.join(install, name), encoding="utf-8", errors="replace") as f:
            for line in f:
                fields = line.split()
                if fields and not fields[0].startswith("//"):
                    entries[fields[0]] = fields[1:]
    return entries


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--zintra", required=True)
    p.add_argument("--install", required=True)
    p.add_argument("--train")
    p.add_argument("--tagged")
    p.add_argument("--top", type=int, default=30)
    p.add_argument("conllu")
    a = p.parse_args()
    sentences = score_tags.read_conllu(a.conllu)
    if a.tagged:
        with open(a.tagged, encoding="utf-8") as f:
            outputs = f.read().split("\n")[: len(sentences)]
    else:
        text = "".join(" ".join(form for form, _ in s) + "\n" for s in sentences)
        run = subprocess.run([os.path.abspath(a.zintra), "tag"], input=text.encode("utf-8"), cwd=a.install,
                             stdout=subprocess.PIPE, check=True)
        outputs = run.stdout.decode("utf-8", errors="replace").split("\n")[: len(sentences)]
    lexicon = lexicon_entries(a.install)
    train_counts = collections.defaultdict(collections.Counter)
    if a.train:
        for s in score_tags.read_conllu(a.train):
            for form, tag in s:
                train_counts[form][tag] += 1

    cutting, cutting_examples = collections.Counter(), collections.defaultdict(collections.Counter)
    confusions, confusion_examples = collections.Counter(), collections.defaultdict(collections.Counter)
    order = collections.Counter()
    total = tag_errors = known_tag_errors = 0
    for gold, out in zip(sentences, outputs):
        text = " ".join(form for form, _ in gold)
        produced = score_tags.parse_output(out)
        covering = {}
        for span, (_, tag) in zip(score_tags.spans(text, [w for w, _ in produced]), produced):
            if span:
                covering.setdefault(span, []).append(tag)
        pos = depth = 0
        for form, tag in gold:
            span = (pos, pos + len(form))
            pos += len(form) + 1
            total += 1
            in_brackets = depth > 0
            depth = depth + 1 if form == "(" else max(0, depth - 1) if form == ")" else depth
            tags = covering.get(span, [])
            if len(tags) != 1:
                kind = cutting_kind(form, in_brackets)
                cutting[kind] += 1
                cutting_examples[kind][form] += 1
                continue
            if tags[0] == tag:
                continue
            tag_errors += 1
            confusions[(tag, tags[0])] += 1
            confusion_examples[(tag, tags[0])][form] += 1
            if lexicon.get(form):
                known_tag_errors += 1
                counts = train_counts.get(form)
                if counts and lexicon[form][0] != counts.most_common(1)[0][0]:
                    order[form] += 1

    def examples(counter):
        return ", ".join("%s (%d)" % x for x in counter.most_common(6))

    print("tokens %d, wrong %d: cut differently %d, tag %d (%d of them known to the lexicon)"
          % (total, sum(cutting.values()) + tag_errors, sum(cutting.values()), tag_errors, known_tag_errors))
    print("\ncut differently, by kind of token:")
    for kind, n in cutting.most_common():
        print("  %-17s %5d  %s" % (kind, n, examples(cutting_examples[kind])))
    print("\ntag confusions (gold -> ours):")
    for (g, o), n in confusions.most_common(a.top):
        print("  %-5s -> %-5s %5d  %s" % (g, o or "(none)", n, examples(confusion_examples[(g, o)])))
    if a.train:
        print("\nwords whose lexicon order disagrees with train's counts: %d words, %d errors"
              % (len(order), sum(order.values())))
        for form, n in order.most_common(a.top):
            print("  %-15s %4d  lexicon %-24s train %s" % (form, n, " ".join(lexicon[form][:4]),
                                                          train_counts[form].most_common(3)))


if __name__ == "__main__":
    sys.exit(main())
