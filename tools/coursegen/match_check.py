"""Reading a match reply the way the application judges it.

The word list is the first division of the reply. A division that carries a
code is an error block, except code 1600 (a plain word) and code 576 (a
phrase whose words are listed inside it; only the error blocks inside it
count). A verdict is "right" when no error block is found; the comments of a
verdict are the numbers of the error blocks that the comment list of the
reply actually explains.
"""

import re
import subprocess

TOKEN = re.compile(r"<div>|</div>|<B>(\d+)</B>|<p>(-?\d+)</p>")


def _blocks(text, pos):
    """Parses divisions from pos (just after an opening <div>) to its close.
    Returns (block, position after its </div>); a block is
    {"code": int or None, "comments": [...], "children": [...]}."""
    block = {"code": None, "comments": [], "children": []}
    while True:
        m = TOKEN.search(text, pos)
        if not m:
            raise ValueError("unclosed division in the reply")
        pos = m.end()
        if m.group(0) == "<div>":
            child, pos = _blocks(text, pos)
            block["children"].append(child)
        elif m.group(0) == "</div>":
            return block, pos
        elif m.group(1) is not None and block["code"] is None:
            block["code"] = int(m.group(1))
        elif m.group(2) is not None:
            block["comments"].append(int(m.group(2)))


def _errors(block, out):
    for child in block["children"]:
        code = child["code"]
        if code == 1600:
            continue
        if code == 576:
            inner = []
            _errors(child, inner)
            if inner:
                out.extend(inner)
                out.append(child)
            continue
        out.append(child)


def verdict(reply):
    """-> (right: bool, comment numbers of the errors explained in the reply)."""
    start = reply.find("<div>")
    if start < 0 or "<span>" not in reply:
        raise ValueError(f"not a match reply: {reply[:200]!r}")
    words, pos = _blocks(reply, start + len("<div>"))
    errors = []
    _errors(words, errors)
    listed = set(int(n) for n in re.findall(r"<div><B>(\d+)</B>\n<span>", reply[pos:]))
    cited = []
    for e in errors:
        for n in e["comments"]:
            if n in listed and n not in cited:
                cited.append(n)
    return not errors, cited


def match(zintra, workdir, template, sentence):
    request = f"<H1>{template}</H1><P>{sentence}</P>"
    done = subprocess.run([zintra, "match", "--config", "zintra.ini", request], cwd=workdir,
                          capture_output=True, text=True, timeout=60)
    if done.returncode != 0:
        raise ValueError(f"zintra match {request}: status {done.returncode}: {done.stderr.strip()}")
    return done.stdout
