"""HTML pages of the HTML folder: chapter explanations and the guide.

Pages are Shift-JIS with CR LF. The body is written by the author as HTML;
the page frame carries the font size tag the application rewrites for the
small display balance.
"""

from sjis_table import text_bytes
from xml_text import esc

FRAME = """<HTML>
<HEAD>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=Shift_JIS">
<TITLE>{title}</TITLE>
</HEAD>
<BODY BGCOLOR="#FFFDF5" TEXT="#333333">
<BASEFONT SIZE=3>
<H2><FONT COLOR="#2E6B9E">{heading}</FONT></H2>
{body}
</BODY>
</HTML>
"""


def page_bytes(heading, body_lines, where):
    body = "\n".join(body_lines).strip("\n")
    return text_bytes(FRAME.format(title=esc(heading), heading=esc(heading), body=body), where)


def read_guide(path):
    """course/guide.txt: "== TITLE" opens a page of the guide."""
    pages = []
    with open(path, encoding="utf-8") as f:
        for raw in f.read().split("\n"):
            if raw.startswith("== "):
                pages.append((raw[3:].strip(), []))
            elif pages:
                pages[-1][1].append(raw.rstrip())
    return pages
