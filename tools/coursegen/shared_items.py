"""Chapters whose composition items and basic sentences are one exercise.

In chapters 23 to 27 the basic-sentence study aid checks a typed sentence
against the composition template LessonNN-MM, and the correction screen
plays a composition's model answer from the basic sentence's recording
(AudioSent/sNN-MM.mp3). So there composition item MM is basic sentence MM:
the same numbers, the same rows in the same order, each item row's answer the
English of its sentence row. One template file serves both, and no
khnbunNN-MM file is made. An item row may leave out its prompt and its
answer: they are taken from the sentence row.

Chapters 24 to 26 are conversations told as several skits, each with its
own picture (L24a-skit.jpg, L24b-skit.jpg ...). Chapter 28, the review, has
no basic sentences.
"""

from chapter_source import numbered_groups

SHARED_CHAPTERS = range(23, 28)
SKIT_CHAPTERS = range(24, 27)
REVIEW_CHAPTER = 28
# The correction screen plays this item's model answer from the first part
# of a dialogue: s23-12-h1.mp3.
FIRST_PART_ITEM = (23, 12)


def skit_letter(skit):
    return chr(ord("a") + skit - 1)


def skit_pictures(ch):
    """The skit picture names the screens open for a chapter."""
    if ch.number in SKIT_CHAPTERS:
        return [f"L{ch.number:02d}{skit_letter(k)}-skit.jpg" for k in range(1, len(ch.skits) + 1)]
    return [f"L{ch.number:02d}-skit.jpg"]


def item_groups(ch):
    return numbered_groups(ch.items, f"{ch.path}: composition item")


def sentence_groups(ch):
    return numbered_groups(ch.sentences, f"{ch.path}: basic sentence")


def link(ch):
    """Checks a chapter's skits and, in a shared chapter, fills in each item
    row from its basic-sentence row. Raises ValueError."""
    where = ch.path
    if ch.number in SKIT_CHAPTERS:
        if len(ch.skits) < 2:
            raise ValueError(f"{where}: a conversation chapter tells at least two skits")
        if any(s.skit == 0 for s in ch.sentences):
            raise ValueError(f"{where}: every basic sentence belongs to a skit ('skit TITLE' first)")
        used = {s.skit for s in ch.sentences}
        if used != set(range(1, len(ch.skits) + 1)):
            raise ValueError(f"{where}: a skit without basic sentences")
        for number, rows in sentence_groups(ch).items():
            if len({s.skit for s in rows}) > 1:
                raise ValueError(f"{where}: basic sentence {number} is cut by a skit line")
    elif ch.skits:
        raise ValueError(f"{where}: only chapters 24 to 26 have several skits")
    if ch.number == REVIEW_CHAPTER and ch.sentences:
        raise ValueError(f"{where}: the review chapter has no basic sentences")
    if ch.number not in SHARED_CHAPTERS:
        for item in ch.items:
            if not item.japanese:
                raise ValueError(f"{where}: composition item {item.number} needs its prompt")
        return
    sentences, items = sentence_groups(ch), item_groups(ch)
    if list(sentences) != list(items):
        raise ValueError(f"{where}: composition items {list(items)} and basic sentences "
                         f"{list(sentences)} must be numbered alike")
    for number, rows in items.items():
        srows = sentences[number]
        if len(rows) != len(srows):
            raise ValueError(f"{where}: item {number} has {len(rows)} rows, its basic sentence "
                             f"{len(srows)}")
        for item, s in zip(rows, srows):
            if s.lines or s.accept:
                raise ValueError(f"{where}: basic sentence {number}: write its template and "
                                 f"accepted variants under composition item {number}")
            item.japanese = item.japanese or s.japanese
            item.answer = item.answer or s.english
            if item.answer != s.english:
                raise ValueError(f"{where}: item {number} answers '{item.answer}', its basic "
                                 f"sentence says '{s.english}': the recording serves both")
    if ch.number == FIRST_PART_ITEM[0] and FIRST_PART_ITEM[1] in sentences \
            and len(sentences[FIRST_PART_ITEM[1]]) < 2:
        raise ValueError(f"{where}: basic sentence {FIRST_PART_ITEM[1]} must be a dialogue: the "
                         "correction screen plays its first part")
