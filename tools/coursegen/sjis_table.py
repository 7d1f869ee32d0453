"""Writing the lesson text files: Shift-JIS, TAB-separated, CR LF lines.

A cell that holds a line break or a double quote is wrapped in double quotes
with its inner quotes doubled, the way a spreadsheet exports it. A line break
inside a cell is a lone LF, so it never ends the row.
"""


def quote_cell(text):
    text = str(text)
    if "\t" in text or "\r" in text:
        raise ValueError(f"a cell may not hold a TAB or CR: {text!r}")
    if "\n" in text or '"' in text:
        return '"' + text.replace('"', '""') + '"'
    return text


def encode_sjis(text, where):
    try:
        # Plain JIS X 0208 Shift-JIS: the signs only the Windows code page has
        # (①, ～ as U+FF5E) are refused, so every reader decodes the same text.
        return text.encode("shift_jis")
    except UnicodeEncodeError as err:
        bad = text[err.start:err.end]
        raise ValueError(f"{where}: {bad!r} has no Shift-JIS form") from None


def table_bytes(rows, where):
    """rows: lists of cells; every row ends with CR LF."""
    lines = ["\t".join(quote_cell(c) for c in row) for row in rows]
    return encode_sjis("".join(line + "\r\n" for line in lines), where)


def text_bytes(text, where):
    """A plain text file (HTML, XML) in Shift-JIS with CR LF line ends."""
    body = text.replace("\r\n", "\n").replace("\n", "\r\n")
    return encode_sjis(body, where)
