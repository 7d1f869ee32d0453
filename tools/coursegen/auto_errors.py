"""Errors a beginner makes with the commonest words, added to every template.

Each rule looks at the one word of a node's first correct filler and at the
word before it, and adds the normal contraction and the wrong fillers a
Japanese beginner is known to write there, each citing the course-wide
comment that explains the point. Fillers the author wrote are never doubled.
"""

from template_source import Filler

# Course-wide comment numbers (course/comments.txt).
G_SUBJECT, G_A_AN = "G1", "G2"
G_BE_I, G_BE_ARE, G_BE_IS = "G5", "G6", "G7"
G_QUESTION_MARK = "G29"

SUBJECT_WRONG = {"I": ["me", "my"], "he": ["him", "his"], "she": ["her"],
                 "we": ["us", "our"], "they": ["them", "their"]}
IS_CONTRACTS = {"he", "she", "it", "that", "what", "where", "who", "how"}
ARE_CONTRACTS = {"you", "we", "they"}
# "not" shortens to "n't" after these (can't and won't change the verb, so
# their short forms are written in the templates).
NOT_CONTRACTS = {"is", "are", "do", "does", "was", "were", "did", "should", "must"}
WILL_CONTRACTS = {"i", "you", "he", "she", "it", "we", "they"}


def _single(node):
    f = node.first_correct()
    if f is None or len(f.words) != 1:
        return None
    return f.words[0]


def _last_word(node):
    f = node.first_correct() if node else None
    return f.words[-1] if f and f.words else ""


def _add(node, kind, text, comment=None):
    if text in node.texts():
        return
    f = Filler(kind, text.split())
    if comment:
        f.comments.append(comment)
    node.fillers.append(f)


CONTRACTED = {"'m": "am", "'s": "is", "'re": "are", "n't": "not"}
SHORT = {"am": ("'m", {"i"}), "is": ("'s", IS_CONTRACTS), "are": ("'re", ARE_CONTRACTS)}


def _contractions(node, before):
    """A correct filler of several words is also accepted with a form of "be"
    in its short form where the word before allows it (I'm, what's), and
    with "n't" for a "not" after "is", "are", "did", "must" and the like."""
    for f in list(node.fillers):
        if f.kind != "correct" or f.phrase is not None or len(f.words) < 2:
            continue
        words = f.words
        for i, word in enumerate(words):
            short = SHORT.get(word)
            left = words[i - 1].lower() if i else before
            if short and left in short[1]:
                _add(node, "normal", " ".join(words[:i] + [short[0]] + words[i + 1:]))
            if word == "not" and i and words[i - 1] in NOT_CONTRACTS:
                _add(node, "normal", " ".join(words[:i] + ["n't"] + words[i + 1:]))


def apply(template):
    prev = None
    for index, node in enumerate(template.nodes):
        word = _single(node)
        before = _last_word(prev).lower()
        prev = node
        _contractions(node, before)
        if word == "'s" and before == "let":
            continue  # Let's: the 's stands for "us", never for "is"
        if word in CONTRACTED:
            _add(node, "normal", CONTRACTED[word])
            word = CONTRACTED[word]
        if word is None:
            continue
        if word == "am":
            if before == "i":
                _add(node, "normal", "'m")
            _add(node, "wrong", "is", G_BE_I)
            _add(node, "wrong", "are", G_BE_I)
        elif word == "is":
            if before in IS_CONTRACTS:
                _add(node, "normal", "'s")
            _add(node, "wrong", "are", G_BE_IS)
            _add(node, "wrong", "am", G_BE_IS)
        elif word == "are":
            if before in ARE_CONTRACTS:
                _add(node, "normal", "'re")
            _add(node, "wrong", "is", G_BE_ARE)
            _add(node, "wrong", "am", G_BE_ARE)
        elif word == "not" and before in NOT_CONTRACTS:
            _add(node, "normal", "n't")
        elif word == "will" and before in WILL_CONTRACTS:
            _add(node, "normal", "'ll")
        elif word == "?":
            _add(node, "wrong", ".", G_QUESTION_MARK)
        elif word == "a":
            _add(node, "wrong", "an", G_A_AN)
        elif word == "an":
            _add(node, "wrong", "a", G_A_AN)
        elif index == 0 and word in SUBJECT_WRONG:
            for w in SUBJECT_WRONG[word]:
                _add(node, "wrong", w, G_SUBJECT)
