#!/usr/bin/env python3
"""Builds the course's installation files from the sources in course/.

    coursegen.py [--course DIR] [--out DIR]      write the files under DIR
    coursegen.py --check                         compare with the committed files

DIR is the project root by default: the lesson files go to data/course/, the
template files to data/engine/templates/, the query templates of the
learners' questions to data/engine/queries/. --check writes nothing and exits 1
when a committed file differs from what the sources give, or when a
generated kind of file is committed but no longer made.
"""

import argparse
import glob
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import auto_errors  # noqa: E402
import catalogue  # noqa: E402
import lesson_files  # noqa: E402
import pages  # noqa: E402
import questions  # noqa: E402
import shared_items  # noqa: E402
from chapter_source import read_chapter  # noqa: E402
from sjis_table import text_bytes  # noqa: E402
from template_source import Template, file_xml, model_text, parse_node, parse_templates  # noqa: E402
from tokens import sentence_words  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LESSON = "data/course/Lesson"
HTML = "data/course/HTML"
TEMPLATES = "data/engine/templates"
QUESTIONS = "data/engine/queries/questions.xvt"
# Generated names that --check also looks for among the committed files.
GENERATED_PATTERNS = [f"{TEMPLATES}/Lesson[0-9][0-9]-[0-9][0-9].xvt",
                      f"{TEMPLATES}/khnbun[0-9][0-9]-[0-9][0-9].xvt",
                      f"{HTML}/Explain[0-9][0-9]-[0-9][0-9].htm",
                      f"{HTML}/Guide[0-9][0-9]-[0-9][0-9].htm"]


class Course:
    def __init__(self, course_dir):
        self.dir = course_dir
        self.comments = catalogue.read_catalogue(os.path.join(course_dir, "comments.txt"))
        self.chapters = []
        for path in sorted(glob.glob(os.path.join(course_dir, "ch[0-9][0-9].txt"))):
            number = int(re.search(r"ch(\d\d)\.txt$", path).group(1))
            self.chapters.append(read_chapter(number, path))
            shared_items.link(self.chapters[-1])
        self.names = set(read_list(os.path.join(course_dir, "names.txt")))

    def item_templates(self, ch, rows):
        """All rows of one composition item (a dialogue has several)."""
        templates = []
        for item in rows:
            templates.extend(self._templates(item.lines, item.answer, f"{ch.path} item {item.number}",
                                             f"Lesson{ch.number:02d}-{item.number:02d}"))
        return templates

    def sentence_templates(self, ch, rows):
        """All rows of one numbered sentence (a dialogue has several)."""
        templates = []
        for s in rows:
            templates.extend(self._templates(s.lines, s.english, f"{ch.path} sentence {s.number}",
                                             f"khnbun{ch.number:02d}-{s.number:02d}"))
        return templates

    def _templates(self, lines, model, where, _file):
        if lines:
            first = template_name(model, self.names)
            templates = parse_templates(lines, first, where)
        else:
            templates = [self.auto_template(model, where)]
        for t in templates:
            if t.main:
                auto_errors.apply(t)
                t.sample = model
        return templates

    def auto_template(self, sentence, where):
        """One node per word of the sentence. A final full stop is left to the
        matcher, which adds or checks it by itself; a question mark or an
        exclamation mark is a node of its own, since the matcher expects a
        full stop at the end of a template that has none."""
        words = lower_first(sentence_words(sentence), self.names)
        t = Template(template_name(sentence, self.names))
        for w in words:
            if w == ".":
                continue
            t.nodes.append(parse_node(w, where))
        return t


def template_name(sentence, names):
    words = lower_first(sentence_words(sentence), names)
    while words and words[-1] in (".", "?", "!"):
        words.pop()
    return " ".join(words)


def lower_first(words, names):
    """Templates write the first word in small letters unless it is I or a name."""
    if words and words[0] != "I" and words[0] not in names:
        words = [words[0][:1].lower() + words[0][1:]] + words[1:]
    return words


def read_list(path):
    out = []
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for raw in f:
                line = raw.split("#", 1)[0].strip()
                out.extend(line.split())
    return out


def build(course):
    """All generated files: relative path -> bytes."""
    files = {}
    ch = course.chapters
    with open(os.path.join(course.dir, "titles.txt"), encoding="utf-8") as f:
        titles = [t.replace("\\n", "\n") for t in f.read().split("\n") if t.strip()]
    from sjis_table import table_bytes
    files[f"{LESSON}/目次.txt"] = table_bytes([[t] for t in titles], "目次.txt")
    files[f"{LESSON}/単語.txt"] = lesson_files.words_file(ch)
    files[f"{LESSON}/例文データ.txt"] = lesson_files.examples_file(ch)
    files[f"{LESSON}/基本文.txt"] = lesson_files.sentences_file(ch, course.names)
    files[f"{LESSON}/英作文.txt"] = lesson_files.compositions_file(ch)
    files[f"{LESSON}/学習目標.txt"] = lesson_files.per_chapter_file(ch, "goal", "学習目標.txt")
    files[f"{LESSON}/まとめ.txt"] = lesson_files.per_chapter_file(ch, "summary", "まとめ.txt")
    files[f"{LESSON}/用語一覧.txt"], _ = lesson_files.glossary_file(
        os.path.join(course.dir, "glossary.txt"))
    files["data/course/JisGlobal.xvt"] = text_bytes(catalogue.jis_global(course.comments),
                                                    "JisGlobal.xvt")
    files[f"{TEMPLATES}/Global.xvt"] = catalogue.global_xvt(course.comments).encode("utf-8")
    base = parse_templates(numbered(os.path.join(course.dir, "base.txt")), "", "base.txt")
    files[f"{TEMPLATES}/Gtemplate.xvt"] = file_xml(
        "Templates every exercise of this folder may use with two slashes and the name.",
        [], "base", [], base).encode("utf-8")
    for c in ch:
        title = f"Chapter {c.number}"
        for number, rows in shared_items.item_groups(c).items():
            name = f"Lesson{c.number:02d}-{number:02d}"
            samples = [a for item in rows for a in [item.answer] + item.accept]
            prompts = " / ".join(item.japanese for item in rows)
            xml = file_xml(f"{title}, composition {number}: {prompts}", samples, name,
                           [], course.item_templates(c, rows))
            files[f"{TEMPLATES}/{name}.xvt"] = xml.encode("utf-8")
        if c.number in shared_items.SHARED_CHAPTERS:
            groups = {}  # the composition templates serve the basic sentences too
        else:
            groups = shared_items.sentence_groups(c)
        for number, rows in groups.items():
            name = f"khnbun{c.number:02d}-{number:02d}"
            samples = [s.english for s in rows] + [a for s in rows for a in s.accept]
            xml = file_xml(f"{title}, basic sentence {number}", samples, name, [],
                           course.sentence_templates(c, rows))
            files[f"{TEMPLATES}/{name}.xvt"] = xml.encode("utf-8")
        for p, (heading, body) in enumerate(c.pages, 1):
            files[f"{HTML}/Explain{c.number:02d}-{p:02d}.htm"] = pages.page_bytes(
                heading, body, f"chapter {c.number} page {p}")
    points, parts = questions.read_questions(os.path.join(course.dir, "questions.txt"))
    files[QUESTIONS] = questions.questions_xml(points, parts, questions.course_words(ch)).encode("utf-8")
    for p, (heading, body) in enumerate(pages.read_guide(os.path.join(course.dir, "guide.txt")), 1):
        files[f"{HTML}/Guide01-{p:02d}.htm"] = pages.page_bytes(heading, body, f"guide page {p}")
    return files


def numbered(path):
    with open(path, encoding="utf-8") as f:
        return [(n, line) for n, line in enumerate(f.read().split("\n"), 1)
                if line.strip() and not line.strip().startswith("#")]


def check(files, root):
    bad = []
    for rel, data in sorted(files.items()):
        path = os.path.join(root, rel)
        if not os.path.exists(path):
            bad.append(f"missing: {rel}")
        elif open(path, "rb").read() != data:
            bad.append(f"differs: {rel}")
    for pattern in GENERATED_PATTERNS:
        for path in glob.glob(os.path.join(root, pattern)):
            rel = os.path.relpath(path, root)
            if rel not in files:
                bad.append(f"not made by the sources any more: {rel}")
    for line in bad:
        print(line)
    print(f"coursegen: {len(files)} files, {len(bad)} out of date")
    return 1 if bad else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    ap.add_argument("--course", default=os.path.join(ROOT, "course"))
    ap.add_argument("--out", default=ROOT)
    ap.add_argument("--check", action="store_true")
    args = ap.parse_args()
    try:
        files = build(Course(args.course))
    except ValueError as err:
        print(f"coursegen: {err}", file=sys.stderr)
        return 2
    if args.check:
        return check(files, args.out)
    for rel, data in files.items():
        path = os.path.join(args.out, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    print(f"coursegen: wrote {len(files)} files under {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
