"""The compact template form and its compilation to template XML.

A template is a run of node lines, one node per line, in the order the words
come; every node leads to the next one. A node line lists its fillers:

    | am ~'m !is G5 !are G5

The first filler is correct unless it starts with a mark; "~" starts a
normal filler (accepted, not taught), "!" a wrong one, "=" a further correct
one. Words of the form G5, C2 (a letter and a number) after a filler are the
comments it cites; "()" is a filler with no words (the node may be left
out); "@name" uses the sub template "name" of the same file and "@//name" a
template of the base file ("_" stands for a blank in these names). A line "template NAME" starts a further main
template (another accepted word order) and "sub NAME" a sub template.
"""

import re
from xml_text import esc

CITATION = re.compile(r"^[A-Z]\d+$")
KINDS = {"": "correct", "=": "correct", "~": "normal", "!": "wrong"}


class Filler:
    def __init__(self, kind, words=None, phrase=None):
        self.kind = kind
        self.words = words or []
        self.phrase = phrase
        self.comments = []

    @property
    def text(self):
        return " ".join(self.words)


class Node:
    def __init__(self, fillers):
        self.fillers = fillers

    def first_correct(self):
        for f in self.fillers:
            if f.kind == "correct" and f.phrase is None:
                return f
        return None

    def texts(self):
        return {f.text for f in self.fillers if f.phrase is None}


class Template:
    def __init__(self, name, main=True):
        self.name = name
        self.main = main
        self.nodes = []
        self.sample = ""


def parse_node(line, where):
    """One node line (without its leading "|") -> Node."""
    fillers = []
    for token in line.split():
        mark = token[0] if token[0] in "=~!" else ""
        body = token[len(mark):]
        if not mark and CITATION.match(token) and fillers:
            fillers[-1].comments.append(token)
            continue
        if mark or not fillers:
            kind = KINDS[mark]
            if body.startswith("@"):
                fillers.append(Filler(kind, phrase=body[1:].replace("_", " ")))
                continue
            fillers.append(Filler(kind))
        elif fillers[-1].phrase is not None:
            raise ValueError(f"{where}: a template filler takes no words: {token}")
        if body == "()":
            continue
        if body:
            fillers[-1].words.append(body)
    if not fillers:
        raise ValueError(f"{where}: empty node line")
    if fillers[0].kind != "correct":
        raise ValueError(f"{where}: a node starts with its correct filler")
    return Node(fillers)


def parse_templates(lines, first_name, where):
    """Node lines and template/sub lines -> list of Template."""
    templates = [Template(first_name)]
    for n, raw in lines:
        line = raw.strip()
        here = f"{where}:{n}"
        if line.startswith("|"):
            templates[-1].nodes.append(parse_node(line[1:], here))
        elif line.startswith("template "):
            templates.append(Template(line[9:].strip()))
        elif line.startswith("sub "):
            templates.append(Template(line[4:].strip(), main=False))
        else:
            raise ValueError(f"{here}: not a template line: {line}")
    if not templates[0].nodes:
        templates.pop(0)
    for t in templates:
        if not t.nodes:
            raise ValueError(f"{where}: template {t.name!r} has no nodes")
    return templates


def model_text(template):
    """The sentence read along the first correct filler of every node."""
    words = []
    for node in template.nodes:
        f = node.first_correct()
        if f is not None:
            words.extend(f.words)
    return " ".join(words)


# The engine takes a node's first filler of type "normal" as its model (the
# word a correction puts in and names first), else its first correct one. A
# course filler marked "~" is accepted without being the model, so it is
# written as a correct filler after the node's own model.
XML_TYPES = {"correct": "correct", "normal": "correct", "wrong": "wrong"}


def _group(out, f, depth):
    tab = "\t" * depth
    out.append(f"{tab}<Group type='{XML_TYPES[f.kind]}'>")
    out.append(f"{tab}\t<name>{esc(f.text)}</name>" if f.words else f"{tab}\t<name></name>")
    for c in f.comments:
        out.append(f"{tab}\t<commentID>{c}</commentID>")
    out.append(f"{tab}</Group>")


def template_xml(t, depth):
    tab = "\t" * depth
    head = "<template sub='0' Tag='S'>" if t.main else "<template sub='1'>"
    out = [f"{tab}{head}", f"{tab}\t<name>{esc(t.name)}</name>"]
    if t.sample:
        out.append(f"{tab}\t<sample>{esc(t.sample)}</sample>")
    for i, node in enumerate(t.nodes, 1):
        out.append(f"{tab}\t<node>")
        out.append(f"{tab}\t\t<name>n{i}</name>")
        if i < len(t.nodes):
            out.append(f"{tab}\t\t<Next>n{i + 1}</Next>")
        for f in node.fillers:
            if f.phrase is None:
                _group(out, f, depth + 2)
        for f in node.fillers:
            if f.phrase is not None:
                out.append(f"{tab}\t\t<Phrase>{esc(f.phrase)}</Phrase>")
        out.append(f"{tab}\t</node>")
    out.append(f"{tab}</template>")
    return out


def comment_xml(cid, name, ja, en, samples, depth):
    tab = "\t" * depth
    out = [f"{tab}<comment ID='{cid}'>", f"{tab}\t<name>{esc(name)}</name>"]
    for s in samples:
        out.append(f"{tab}\t<sentenceID>{s}</sentenceID>")
    out.append(f"{tab}\t<econtent>{esc(en)}</econtent>")
    out.append(f"{tab}\t<jcontent>{esc(ja)}</jcontent>")
    out.append(f"{tab}</comment>")
    return out


def file_xml(title, samples, category, comments, templates):
    """A whole template file. comments: (id, name, ja, en, sample ids)."""
    out = ["<?xml version='1.0'?>", "", "<root>", "\t<Version>1</Version>",
           "\t<Author>zintra course</Author>", f"\t<S>{esc(title)}</S>"]
    if samples:
        out.append("\t<SAMP>")
        for i, s in enumerate(samples, 1):
            out.append(f"\t\t<P ID='{i}'>{esc(s)}</P>")
        out.append("\t</SAMP>")
    else:
        out.append("\t<SAMP></SAMP>")
    if comments:
        out.append("\t<category>")
        out.append(f"\t\t<name>{esc(category)}</name>")
        for c in comments:
            out.extend(comment_xml(*c, depth=2))
        out.append("\t</category>")
    else:
        out.append(f"\t<category>\n\t\t<name>{esc(category)}</name>\n\t</category>")
    if templates:
        out.append("\t<Template>")
        for t in templates:
            out.extend(template_xml(t, 2))
        out.append("\t</Template>")
    else:
        out.append("\t<Template></Template>")
    out.append("</root>")
    return "\n".join(out) + "\n"
