"""The lesson text files of the Lesson folder, built from the chapters."""

from sjis_table import table_bytes

CHAPTERS = 28


def _plain(text, where):
    """Cells that the readers only strip of surrounding quotes: no quote or
    line break may stand inside them."""
    if '"' in text or "\n" in text:
        raise ValueError(f"{where}: no double quote or line break here: {text!r}")
    return text


def words_file(chapters):
    rows = [["No.", "章", "表示", "番号", "意味", "英語", "補足", "種類"]]
    number = 0
    for ch in chapters:
        for i, w in enumerate(ch.words, 1):
            number += 1
            where = f"chapter {ch.number} word {i}"
            rows.append([number, ch.number, 0, i, w.meaning, _plain(w.spelling, where),
                         w.second, w.kind])
    return table_bytes(rows, "単語.txt")


def examples_file(chapters):
    rows = [["No.", "番号", "見出し", "種類", "内容"]]
    number = 0
    for ch in chapters:
        for i, w in enumerate(ch.words, 1):
            for kind, text in w.examples:
                number += 1
                where = f"chapter {ch.number} word {i} example"
                rows.append([number, f"{ch.number}-{i}", _plain(w.spelling, where), kind,
                             _plain(text, where)])
    return table_bytes(rows, "例文データ.txt")


def proper_words(chapters, names):
    """Words always written with a capital: the names, and the taught nouns
    and adjectives spelt with one (Japan, English, Monday, TV)."""
    words = set(names)
    for ch in chapters:
        for w in ch.words:
            if w.spelling[:1].isupper() and " " not in w.spelling and \
                    ("名詞" in w.kind or "形容詞" in w.kind):
                words.add(w.spelling)
    return words


def quiz_flags(sentence, proper):
    """Column 6: 100 keeps the first capital in the rearrangement quiz (a
    sentence that starts with I, a name or another proper word); the rest is
    the recording part."""
    first = sentence.english.split()[0].strip(",.?!")
    keep = 100 if first == "I" or first.startswith("I'") or first in proper else 0
    return keep + sentence.part


def sentences_file(chapters, names):
    rows = [["No.", "章", "番号", "日本語", "英語", "区分", "問題文"]]
    proper = proper_words(chapters, names)
    number = 0
    for ch in chapters:
        for s in ch.sentences:
            number += 1
            rows.append([number, ch.number, s.number, s.japanese, s.english,
                         quiz_flags(s, proper), s.quiz])
    return table_bytes(rows, "基本文.txt")


def compositions_file(chapters):
    rows = [["No.", "章", "番号", "日本語", "英語"]]
    number = 0
    for ch in chapters:
        for item in ch.items:
            number += 1
            rows.append([number, ch.number, item.number, item.japanese, item.answer])
    return table_bytes(rows, "英作文.txt")


def per_chapter_file(chapters, attr, name):
    """One line per chapter 1 to 28; a chapter not written yet has an empty line."""
    texts = {ch.number: getattr(ch, attr) for ch in chapters}
    rows = []
    for n in range(1, CHAPTERS + 1):
        text = texts.get(n, "")
        if attr == "summary" and '"' in text:
            raise ValueError(f"chapter {n}: the summary may not hold a double quote")
        rows.append([text])
    return table_bytes(rows, name)


def glossary_file(path):
    rows = [["用語", "読み", "英語", "説明"]]
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            cells = [c.strip() for c in line.split("|")]
            if len(cells) != 4:
                raise ValueError(f"{path}:{n}: expected 'term | reading | English | explanation'")
            cells[3] = cells[3].replace("\\n", "\n")
            rows.append(cells)
    return table_bytes(rows, "用語一覧.txt"), len(rows) - 1
