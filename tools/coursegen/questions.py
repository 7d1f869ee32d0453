"""The query templates of the learners' questions about the course.

questions.txt names, per chapter, what a learner may call its grammar points
("the past tense"), and the parts of speech a learner may ask about. The
words a learner may ask the meaning of are the chapters' own words. The
result is one template file with three templates, each node that carries a
question's subject marked with the variable the queries use:

    Which chapter teaches POINT?   ($point)
    What does WORD mean?           ($word)
    Is WORD a POS?                 ($word, $pos)
"""

import re

from xml_text import esc

# A word a question can name: letters only (the tokenizer cuts at an
# apostrophe or a hyphen).
PLAIN_WORD = re.compile(r"^[A-Za-z]+$")
SAMPLES = ["Which chapter teaches be verbs?", "What does student mean?", "Is apple a noun?"]


def read_questions(path):
    """questions.txt -> ({chapter number: [point, ...]}, [part of speech, ...])."""
    points, parts, section = {}, [], None
    seen = {}
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for n, raw in enumerate(lines, 1):
        line = raw.strip()
        where = f"{path}:{n}"
        if not line or line.startswith("#"):
            continue
        if line.startswith("== "):
            section = line[3:].strip()
            if section not in ("points", "parts of speech"):
                raise ValueError(f"{where}: unknown section {section!r}")
            continue
        names = [p.strip() for p in line.split(";")]
        if section == "points":
            number, _, rest = line.partition("|")
            if not number.strip().isdigit() or not rest.strip():
                raise ValueError(f"{where}: a points line is 'NN | point ; point ...'")
            names = [p.strip() for p in rest.split(";")]
            target = points.setdefault(int(number), [])
        elif section == "parts of speech":
            target = parts
        else:
            raise ValueError(f"{where}: a line before the first section")
        for name in names:
            if not name or not all(PLAIN_WORD.match(w) for w in name.split()):
                raise ValueError(f"{where}: not plain words: {name!r}")
            key = name.lower()
            if key in seen:
                raise ValueError(f"{where}: {name!r} is already named at line {seen[key]}")
            seen[key] = n
            target.append(name)
    return points, parts


def course_words(chapters):
    """The chapters' words and phrases of plain words ("post office"), in
    course order, each once (case aside)."""
    words, seen = [], set()
    for ch in chapters:
        for w in ch.words:
            spelling = " ".join(w.spelling.split())
            if spelling and all(PLAIN_WORD.match(x) for x in spelling.split()) and spelling.lower() not in seen:
                seen.add(spelling.lower())
                words.append(spelling)
    return words


def _node(name, following, fillers, var=None):
    """fillers: (type, text) pairs."""
    head = f"\t\t\t<node var='{var}'>" if var else "\t\t\t<node>"
    out = [head, f"\t\t\t\t<name>{name}</name>"]
    if following:
        out.append(f"\t\t\t\t<Next>{following}</Next>")
    for kind, text in fillers:
        out += [f"\t\t\t\t<Group type='{kind}'>", f"\t\t\t\t\t<name>{esc(text)}</name>", "\t\t\t\t</Group>"]
    out.append("\t\t\t</node>")
    return out


def _template(name, letter, sample, nodes):
    """nodes: (fillers, var) in order, named by letter and their number."""
    out = ["\t\t<template sub='0' Tag='S'>", f"\t\t\t<name>{esc(name)}</name>", f"\t\t\t<sample>{esc(sample)}</sample>"]
    for i, (fillers, var) in enumerate(nodes, 1):
        following = f"{letter}{i + 1}" if i < len(nodes) else None
        out += _node(f"{letter}{i}", following, fillers, var)
    out.append("\t\t</template>")
    return out


def questions_xml(points, parts, words):
    """The whole query template file."""
    if not points or not parts or not words:
        raise ValueError("questions: points, parts of speech and words are all needed")
    every_point = [("correct", p) for number in sorted(points) for p in points[number]]
    every_word = [("correct", w) for w in words]
    which = _template("which chapter teaches POINT", "q", SAMPLES[0], [
        ([("correct", "which"), ("normal", "what")], None),
        ([("correct", "chapter"), ("normal", "lesson"), ("normal", "unit")], None),
        ([("correct", "teaches"), ("normal", "explains"), ("normal", "is about"), ("normal", "teach"),
          ("normal", "explain")], None),
        (every_point, "$point")])
    meaning = _template("what does WORD mean", "w", SAMPLES[1], [
        ([("correct", "what")], None), ([("correct", "does"), ("normal", "do")], None),
        (every_word, "$word"), ([("correct", "mean")], None)])
    kind = _template("is WORD a POS", "p", SAMPLES[2], [
        ([("correct", "is")], None), (every_word, "$word"),
        ([("correct", "a"), ("normal", "an"), ("normal", "")], None), ([("correct", p) for p in parts], "$pos")])
    out = ["<?xml version='1.0'?>", "", "<root>", "\t<Version>1</Version>", "\t<Author>zintra course</Author>",
           "\t<S>Questions a learner may ask about the course</S>", "\t<SAMP>"]
    out += [f"\t\t<P ID='{i}'>{esc(s)}</P>" for i, s in enumerate(SAMPLES, 1)]
    out += ["\t</SAMP>", "\t<category>", "\t\t<name>questions</name>", "\t</category>", "\t<Template>"]
    out += which + meaning + kind
    out += ["\t</Template>", "</root>"]
    return "\n".join(out) + "\n"
