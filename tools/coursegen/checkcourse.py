#!/usr/bin/env python3
"""Checks the course content.

    checkcourse.py content                 counts, file names, words
    checkcourse.py match --zintra PROGRAM   every answer through the engine

content: each chapter written has at least 15 words, 8 basic-sentence rows,
8 composition items (from chapter 19 on 20 words and 9 items; the review
chapter 28 30 words, 30 items and no basic sentences), each item at least
three errors, a goal, a summary and two explanation pages; every
file the screens open for it exists; every English word of a sentence is in
the engine's lexicon and taught in its chapter or before (function words and
names aside); every comment a template cites exists; the course fits the
screens' tables, and once all 28 chapters are written it has at least 500
words, 220 basic-sentence rows and 250 composition items.

match: in the committed templates folder, every sample of every template
file matches its own template with no error; for every composition item the
model answer and the accepted variants are right, and every listed error is
wrong with at least one comment explained.
"""

import argparse
import os
import re
import sys
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lesson_files  # noqa: E402
import shared_items  # noqa: E402
from coursegen import ROOT, Course, read_list  # noqa: E402
from match_check import match, verdict  # noqa: E402
from tokens import plain_words, sentence_words  # noqa: E402

MIN_WORDS, MIN_SENTENCES, MIN_ITEMS, MIN_PAGES = 15, 8, 8, 2
MIN_WORDS_LATER, MIN_ITEMS_LATER, LATER_CHAPTERS = 20, 9, 19  # chapters 19 on
MIN_REVIEW_WORDS, MIN_REVIEW_ITEMS = 30, 30
MIN_GLOSSARY = 50
MIN_ERRORS = 3
# The whole course once its 28 chapters are written.
COURSE_WORDS, COURSE_SENTENCE_ROWS, COURSE_ITEMS = 500, 220, 250
# The application's tables: course words 1201, basic-sentence and composition
# rows 1001, a chapter's word list 200 (row 0 is the title row), the rows of one
# composition item 11, the word cards of a rearrangement question 31.
MAX_WORDS, MAX_ROWS, MAX_CHAPTER_WORDS, MAX_SUB_ITEMS, MAX_CARDS = 1201, 1001, 200, 11, 31
COMMON_IMAGES = ["speaker.gif", "speaker_L.gif", "Flower1.jpg"] + [f"flower{i}.jpg" for i in range(8)]
LESSON_FILES = ["目次.txt", "学習目標.txt", "まとめ.txt", "単語.txt", "基本文.txt", "英作文.txt",
                "例文データ.txt", "用語一覧.txt", "ErrorMsg.txt"]


def lexicon_words(path):
    words = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("//"):
                continue
            head = line.split(" ", 1)[0].strip()
            if head:
                words.add(head)
    return words


def inflections(word):
    """The regular forms a taught word stands for."""
    w = word.lower()
    forms = {w, w + "s", w + "es", w + "'s", w + "ing"}
    if w.endswith("y"):
        forms.add(w[:-1] + "ies")
    if w.endswith("e"):
        forms = (forms - {w + "ing"}) | {w + "d", w[:-1] + "ing"}
    elif w.endswith("y") and len(w) > 1 and w[-2] not in "aeiou":
        forms.add(w[:-1] + "ied")  # study - studied
    else:
        forms.add(w + "ed")
    if re.fullmatch(r"[a-z]*[^aeiou][aeiou][bdgmnprt]", w):
        # a short final syllable doubles its consonant: stop - stopped, run - running
        forms |= {w + w[-1] + "ed", w + w[-1] + "ing"}
    return forms


def known_in_lexicon(word, first, lexicon):
    return word in lexicon or (first and word[:1].lower() + word[1:] in lexicon)


def field_widths(ch):
    """Texts longer than the application's fixed fields would be cut."""
    fields = []
    for w in ch.words:
        fields += [(w.meaning, 70, "meaning"), (w.spelling, 50, "spelling"),
                   (w.second, 50, "second text"), (w.kind, 10, "kind")]
        fields += [(text, 200, "example") for _, text in w.examples]
    for s in ch.sentences:
        fields += [(s.japanese, 50, "Japanese"), (s.english, 100, "English")]
    for i in ch.items:
        fields += [(i.japanese, 50, "Japanese"), (i.answer, 100, "English")]
    return [f"chapter {ch.number}: {what} longer than {width} characters: {text}"
            for text, width, what in fields if len(text) > width]


def minimums(number):
    """(words, basic-sentence rows, composition items, pages) a chapter needs."""
    if number == shared_items.REVIEW_CHAPTER:
        return MIN_REVIEW_WORDS, 0, MIN_REVIEW_ITEMS, MIN_PAGES
    if number >= LATER_CHAPTERS:
        return MIN_WORDS_LATER, MIN_SENTENCES, MIN_ITEMS_LATER, MIN_PAGES
    return MIN_WORDS, MIN_SENTENCES, MIN_ITEMS, MIN_PAGES


def totals(chapters):
    """(words, basic-sentence rows, composition items, composition rows)."""
    return (sum(len(c.words) for c in chapters), sum(len(c.sentences) for c in chapters),
            sum(len(shared_items.item_groups(c)) for c in chapters),
            sum(len(c.items) for c in chapters))


def capacity_problems(chapters):
    problems = []
    words, rows, _, item_rows = totals(chapters)
    for have, limit, what in ((words, MAX_WORDS, "words"), (rows, MAX_ROWS, "basic-sentence rows"),
                              (item_rows, MAX_ROWS, "composition rows")):
        if have > limit:
            problems.append(f"the course has {have} {what}, the application keeps {limit}")
    for ch in chapters:
        if len(ch.words) > MAX_CHAPTER_WORDS:
            problems.append(f"chapter {ch.number}: {len(ch.words)} words, a word list shows "
                            f"{MAX_CHAPTER_WORDS}")
        for number, item_rows in shared_items.item_groups(ch).items():
            if len(item_rows) > MAX_SUB_ITEMS:
                problems.append(f"chapter {ch.number} item {number}: more than {MAX_SUB_ITEMS} rows")
        for s in ch.sentences:
            if len((s.quiz or s.english).split()) > MAX_CARDS:
                problems.append(f"chapter {ch.number}: '{s.english}' makes more than {MAX_CARDS} cards")
    if len(chapters) == lesson_files.CHAPTERS:
        need = (COURSE_WORDS, COURSE_SENTENCE_ROWS, COURSE_ITEMS)
        for have, want, what in zip(totals(chapters), need,
                                    ("words", "basic-sentence rows", "composition items")):
            if have < want:
                problems.append(f"the course has {have} {what}, at least {want} wanted")
    return problems


def check_content(course, root, only=None):
    """only: the chapter numbers to report on (all by default); the words the
    chapters before them teach count all the same."""
    problems = []
    lexicon = lexicon_words(os.path.join(root, "data/engine/lexicon.txt"))
    free = {w.lower() for w in read_list(os.path.join(course.dir, "function_words.txt"))}
    names = course.names
    taught = set()
    cited = set()
    global_ids = {c.id for c in course.comments}
    content = os.path.join(root, "data/course")
    for name in LESSON_FILES:
        if not os.path.exists(os.path.join(content, "Lesson", name)):
            problems.append(f"missing Lesson/{name}")
    for name in COMMON_IMAGES:
        if not os.path.exists(os.path.join(content, "Image", name)):
            problems.append(f"missing Image/{name}")
    for name in ["JisGlobal.xvt", "HTML/Guide01-01.htm"]:
        if not os.path.exists(os.path.join(content, name)):
            problems.append(f"missing {name}")
    _, terms = lesson_files.glossary_file(os.path.join(course.dir, "glossary.txt"))
    if terms < MIN_GLOSSARY:
        problems.append(f"glossary: {terms} terms, at least {MIN_GLOSSARY} wanted")
    for ch in course.chapters:
        tag = f"chapter {ch.number}"
        reported = len(problems)
        items = shared_items.item_groups(ch)
        counts = (len(ch.words), len(ch.sentences), len(items), len(ch.pages))
        for have, need, what in zip(counts, minimums(ch.number),
                                    ("words", "basic-sentence rows", "composition items", "pages")):
            if have < need:
                problems.append(f"{tag}: {have} {what}, at least {need} wanted")
        problems += field_widths(ch)
        if not ch.goal or not ch.summary:
            problems.append(f"{tag}: goal or summary missing")
        for w in ch.words:
            for spelling in w.spelling.split(","):
                for word in plain_words(spelling):
                    taught |= inflections(word)
                    if not known_in_lexicon(word, True, lexicon):
                        problems.append(f"{tag}: word '{word}' ({w.spelling}) not in the lexicon")
        sentences = [s.english for s in ch.sentences] + [a for s in ch.sentences for a in s.accept]
        sentences += [i.answer for i in ch.items] + [a for i in ch.items for a in i.accept]
        for sentence in sentences:
            marks = [w for w in sentence_words(sentence)[:-1] if w in (".", "?", "!")]
            if marks:
                problems.append(f"{tag}: '{sentence}' holds more than one sentence")
            for k, word in enumerate(plain_words(sentence)):
                if not known_in_lexicon(word, k == 0, lexicon):
                    problems.append(f"{tag}: '{word}' of '{sentence}' not in the lexicon")
                low = word.lower()
                if low not in taught and low not in free and word not in names \
                        and not word.isdigit():
                    problems.append(f"{tag}: '{word}' of '{sentence}' is not taught by chapter {ch.number}")
        for i in ch.items:
            if ("「" in i.japanese or "」" in i.japanese) and '"' not in i.answer:
                problems.append(f"{tag} item {i.number}: a prompt with 「」 makes the learner "
                                "type quotation marks, but the answer has none")
            if not i.answer or not i.errors:
                problems.append(f"{tag} item {i.number}: every row wants an answer and an error")
        for number, rows in items.items():
            if sum(len(i.errors) for i in rows) < MIN_ERRORS:
                problems.append(f"{tag} item {number}: at least {MIN_ERRORS} errors wanted")
        expected = [f"Image/{name}" for name in shared_items.skit_pictures(ch)]
        expected += [f"HTML/Explain{ch.number:02d}-{p:02d}.htm" for p in range(1, len(ch.pages) + 1)]
        for rel in expected:
            if not os.path.exists(os.path.join(content, rel)):
                problems.append(f"{tag}: missing {rel}")
        templates = os.path.join(root, "data/engine/templates")
        files = [f"Lesson{ch.number:02d}-{n:02d}.xvt" for n in items]
        if ch.number not in shared_items.SHARED_CHAPTERS:
            files += [f"khnbun{ch.number:02d}-{s.number:02d}.xvt" for s in ch.sentences]
        for name in files:
            path = os.path.join(templates, name)
            if not os.path.exists(path):
                problems.append(f"{tag}: missing template {name}")
                continue
            with open(path, encoding="utf-8") as f:
                cited |= {int(n) for n in re.findall(r"<commentID>G(\d+)</commentID>", f.read())}
        if only and ch.number not in only:
            del problems[reported:]
    for n in sorted(cited - global_ids):
        problems.append(f"templates cite G{n}, which the catalogue lacks")
    return problems + capacity_problems(course.chapters)


def check_match(course, root, zintra):
    workdir = os.path.join(root, "data/engine")
    jobs = []  # (label, template, sentence, expectation)
    for ch in course.chapters:
        for i in ch.items:
            name = f"Lesson{ch.number:02d}-{i.number:02d}"
            jobs += [(f"{name} answer", name, s, "right") for s in [i.answer] + i.accept]
            jobs += [(f"{name} error", name, s, "wrong") for s in i.errors]
        # In chapters 23 to 27 the basic sentences are the items' answers,
        # checked above against the template they share.
        shared = ch.number in shared_items.SHARED_CHAPTERS
        for number, rows in ({} if shared else shared_items.sentence_groups(ch)).items():
            name = f"khnbun{ch.number:02d}-{number:02d}"
            for s in rows:
                jobs += [(f"{name} sample", name, t, "right") for t in [s.english] + s.accept]

    def run(job):
        label, template, sentence, want = job
        try:
            right, comments = verdict(match(zintra, workdir, template, sentence))
        except ValueError as err:
            return f"{label}: {err}"
        if want == "right" and not right:
            return f"{label}: '{sentence}' is not accepted"
        if want == "wrong" and right:
            return f"{label}: '{sentence}' is accepted but listed as an error"
        if want == "wrong" and not comments:
            return f"{label}: '{sentence}' is wrong but no comment explains it"
        return None

    with ThreadPoolExecutor(max_workers=2) as pool:
        results = list(pool.map(run, jobs))
    problems = [r for r in results if r]
    return problems, len(jobs)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("what", choices=["content", "match"])
    ap.add_argument("--course", default=os.path.join(ROOT, "course"))
    ap.add_argument("--root", default=ROOT)
    ap.add_argument("--zintra")
    ap.add_argument("--chapters", help="only these chapters, e.g. 1,2 (default: all)")
    args = ap.parse_args()
    course = Course(args.course)
    keep = {int(n) for n in args.chapters.split(",")} if args.chapters else None
    if args.what == "content":
        problems = check_content(course, args.root, keep)
        if keep:
            course.chapters = [c for c in course.chapters if c.number in keep]
        summary = ", ".join(f"ch{c.number}: {len(c.words)} words, {len(c.sentences)} sentence rows, "
                            f"{len(shared_items.item_groups(c))} items, {len(c.pages)} pages"
                            for c in course.chapters)
        print(summary)
        words, rows, items, item_rows = totals(course.chapters)
        print(f"{'these chapters' if keep else 'course'}: {words} words, {rows} basic-sentence rows, {items} composition items "
              f"({item_rows} rows)")
    else:
        if keep:
            course.chapters = [c for c in course.chapters if c.number in keep]
        if not args.zintra:
            ap.error("match needs --zintra")
        problems, count = check_match(course, args.root, os.path.abspath(args.zintra))
        print(f"{count} sentences matched")
    for p in problems:
        print(p)
    print(f"checkcourse {args.what}: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
