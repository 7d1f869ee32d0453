"""Reading one chapter source (course/chNN.txt).

The file is a run of sections, each opened by a line "== NAME":

    == goal          the goal text (line breaks kept)
    == summary       the summary text
    == words         "meaning | spelling | second text | kind" per word,
                     followed by "> kind | text" lines (例文, 説明, 説明と例文)
    == sentences     "number | Japanese | English [| quiz text]" per row; rows
                     with the same number are one dialogue; indented
                     "accept:" lines and node lines may follow a row; a line
                     "skit TITLE" starts the next skit of a conversation
    == compositions  "number Japanese" opens an item row; then indented
                     "answer:", "accept:", "error:" lines and node lines;
                     consecutive rows with the same number are one item
    == page N TITLE  one explanation page: HTML body lines

"#" starts a comment line outside the goal, summary and pages.
"""

import re

EXAMPLE_KINDS = {"例文": 1, "説明": 2, "説明と例文": 3}


class Word:
    def __init__(self, meaning, spelling, second, kind):
        self.meaning, self.spelling, self.second, self.kind = meaning, spelling, second, kind
        self.examples = []  # (kind number, text)


class Sentence:
    def __init__(self, number, japanese, english, quiz):
        self.number, self.japanese, self.english, self.quiz = number, japanese, english, quiz
        self.accept = []
        self.lines = []  # template lines (numbered)
        self.part = 0
        self.skit = 0  # 1 for the rows of skit "a", 2 for "b" ...; 0 outside skits


class Item:
    def __init__(self, number, japanese):
        self.number, self.japanese = number, japanese
        self.answer = ""
        self.accept = []
        self.errors = []
        self.lines = []


class Chapter:
    def __init__(self, number, path):
        self.number, self.path = number, path
        self.goal = ""
        self.summary = ""
        self.words = []
        self.sentences = []
        self.items = []
        self.pages = []  # (title, body lines)
        self.skits = []  # skit titles, in order: skit 1 is "a"


def _cells(line, count, where):
    cells = [c.strip() for c in line.split("|")]
    if len(cells) < count:
        raise ValueError(f"{where}: expected {count} cells separated by '|': {line}")
    return cells


def read_chapter(number, path):
    ch = Chapter(number, path)
    section, text = None, []

    def close():
        if section == "goal":
            ch.goal = "\n".join(text).strip()
        elif section == "summary":
            ch.summary = "\n".join(text).strip()

    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for n, raw in enumerate(lines, 1):
        where = f"{path}:{n}"
        line = raw.rstrip()
        if line.startswith("== "):
            close()
            head = line[3:].strip()
            section, text = head.split()[0], []
            if section == "page":
                parts = head.split(None, 2)
                ch.pages.append((parts[2] if len(parts) > 2 else "", []))
            continue
        if section in ("goal", "summary"):
            text.append(line)
            continue
        if section == "page":
            ch.pages[-1][1].append(line)
            continue
        stripped = line.strip()
        if not stripped or stripped.startswith("#"):
            continue
        if section == "words":
            if stripped.startswith(">"):
                kind, body = _cells(stripped[1:], 2, where)[:2]
                if kind not in EXAMPLE_KINDS:
                    raise ValueError(f"{where}: unknown example kind {kind}")
                ch.words[-1].examples.append((EXAMPLE_KINDS[kind], body))
            else:
                c = _cells(stripped, 4, where)
                ch.words.append(Word(c[0], c[1], c[2], c[3]))
        elif section == "sentences":
            if raw[:1] in " \t":
                s = ch.sentences[-1]
                if stripped.startswith("accept:"):
                    s.accept.append(stripped[7:].strip())
                else:
                    s.lines.append((n, stripped))
            elif stripped.startswith("skit "):
                ch.skits.append(stripped[5:].strip())
            else:
                c = _cells(stripped, 3, where)
                ch.sentences.append(Sentence(int(c[0]), c[1], c[2], c[3] if len(c) > 3 else ""))
                ch.sentences[-1].skit = len(ch.skits)
        elif section == "compositions":
            if raw[:1] in " \t":
                item = ch.items[-1]
                key, _, rest = stripped.partition(":")
                if stripped.startswith("|") or stripped.startswith(("template ", "sub ")):
                    item.lines.append((n, stripped))
                elif key == "answer":
                    item.answer = rest.strip()
                elif key == "accept":
                    item.accept.append(rest.strip())
                elif key == "error":
                    item.errors.append(rest.strip())
                else:
                    raise ValueError(f"{where}: unknown item line: {stripped}")
            else:
                m = re.match(r"^(\d+)(?:\s+(.+))?$", stripped)
                if not m:
                    raise ValueError(f"{where}: an item starts with its number: {stripped}")
                ch.items.append(Item(int(m.group(1)), m.group(2) or ""))
        else:
            raise ValueError(f"{where}: text outside a section")
    close()
    # Dialogue parts: rows that share a number are parts 1, 2, ...
    for rows in numbered_groups(ch.sentences, f"{path}: basic sentence").values():
        if len(rows) > 1:
            for i, s in enumerate(rows, 1):
                s.part = i
    numbered_groups(ch.items, f"{path}: composition item")
    return ch


def numbered_groups(rows, what):
    """Rows that share a number, in order: number -> rows. The rows of one
    number must stand together, as the screens read them so."""
    groups = {}
    last = None
    for r in rows:
        if r.number in groups and r.number != last:
            raise ValueError(f"{what} {r.number}: its rows are not next to each other")
        groups.setdefault(r.number, []).append(r)
        last = r.number
    return groups
