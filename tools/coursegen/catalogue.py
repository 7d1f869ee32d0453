"""The course-wide comment catalogue (course/comments.txt).

    == 文法/be動詞
    5 | I と am | 主語が I のときは am です。 | With "I", "be" is "am".

A "==" line names the category path of the comments below it; a comment line
holds its number, a short name, the Japanese and the English explanation.
One catalogue writes both the engine's Global.xvt and the application's
JisGlobal.xvt, so a comment number means the same comment in both.
"""

from xml_text import esc

MAX_ID = 584      # the application's comment table ends at row 600 (ID + 16)
MAX_PATH = 40     # the application keeps 40 characters of "category/.../name"
MAX_CONTENT = 200


class Comment:
    def __init__(self, cid, path, name, ja, en):
        self.id, self.path, self.name, self.ja, self.en = cid, path, name, ja, en


def read_catalogue(path):
    comments, category = [], None
    seen = set()
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            line = raw.strip()
            where = f"{path}:{n}"
            if not line or line.startswith("#"):
                continue
            if line.startswith("== "):
                category = [p.strip() for p in line[3:].split("/")]
                continue
            cells = [c.strip() for c in line.split("|")]
            if len(cells) != 4 or category is None:
                raise ValueError(f"{where}: expected 'number | name | Japanese | English'")
            cid = int(cells[0])
            if cid in seen or not 1 <= cid <= MAX_ID:
                raise ValueError(f"{where}: comment number {cid} repeated or out of range")
            seen.add(cid)
            c = Comment(cid, category, cells[1], cells[2], cells[3])
            if len("/".join(category + [c.name])) > MAX_PATH or len(c.ja) > MAX_CONTENT:
                raise ValueError(f"{where}: path or Japanese text too long for the comment table")
            comments.append(c)
    return comments


def _tree(comments):
    """Category paths in order of first use -> nested (name, comments, children)."""
    root = {"children": {}, "comments": []}
    for c in comments:
        node = root
        for part in c.path:
            node = node["children"].setdefault(part, {"children": {}, "comments": []})
        node["comments"].append(c)
    return root


def global_xvt(comments):
    """The engine's Global.xvt, in the layout the engine's writer uses."""
    out = ["<?xml version='1.0'?>", "", "<root>", "\t<Version>1</Version>",
           "\t<Author>zintra course</Author>",
           "\t<S>Comments every exercise of this folder may cite with G and the number.</S>",
           "\t<SAMP></SAMP>", "\t<category>", "\t\t<name>Global</name>"]

    def walk(node, depth):
        tab = "\t" * depth
        for c in node["comments"]:
            out.extend([f"{tab}<comment ID='{c.id}'>", f"{tab}\t<name>{esc(c.name)}</name>",
                        f"{tab}\t<econtent>{esc(c.en)}</econtent>",
                        f"{tab}\t<jcontent>{esc(c.ja)}</jcontent>", f"{tab}</comment>"])
        for name, child in node["children"].items():
            out.extend([f"{tab}<category>", f"{tab}\t<name>{esc(name)}</name>"])
            walk(child, depth + 1)
            out.append(f"{tab}</category>")

    walk(_tree(comments), 2)
    out.extend(["\t</category>", "\t<Template></Template>", "</root>"])
    return "\n".join(out) + "\n"


def jis_global(comments):
    """The application's JisGlobal.xvt: one element per line, Shift-JIS.

    Comments sit only in the innermost categories, before any category
    closes, so a reader that collects the names of the open categories and
    then the comments up to the next closing tag finds each comment's path.
    """
    out = ['<?xml version="1.0" encoding="Shift_JIS"?>', "<root>", "<category>",
           "<name>Global</name>"]

    def walk(node):
        if node["comments"] and node["children"]:
            raise ValueError("a category holds either comments or categories")
        for c in node["comments"]:
            out.extend([f'<comment ID="{c.id}">', f"<name>{esc(c.name)}</name>",
                        f"<econtent>{esc(c.en)}</econtent>",
                        f"<jcontent>{esc(c.ja)}</jcontent>", "</comment>"])
        for name, child in node["children"].items():
            out.extend(["<category>", f"<name>{esc(name)}</name>"])
            walk(child)
            out.append("</category>")

    walk(_tree(comments))
    out.extend(["</category>", "</root>"])
    return "\n".join(out) + "\n"
