"""Cutting an English sentence into words the way the engine cuts it.

Punctuation marks are words of their own, a contraction loses its ending as a
word of its own (I'm -> I 'm, don't -> do n't), and the titles Mr. Mrs. Ms.
keep their full stop.
"""

import re

TAILS = ("n't", "'s", "'re", "'ve", "'ll", "'d", "'m")
KEEP_STOP = {"Mr.", "Mrs.", "Ms.", "Dr."}
MARKS = ",;:!?\"()"


def sentence_words(sentence):
    words = []
    for raw in sentence.split():
        lead = []
        while raw and raw[0] in MARKS:
            lead.append(raw[0])
            raw = raw[1:]
        trail = []
        while raw and (raw[-1] in MARKS or (raw[-1] == "." and raw not in KEEP_STOP)):
            trail.insert(0, raw[-1])
            raw = raw[:-1]
        words.extend(lead)
        if raw:
            for tail in TAILS:
                if raw.lower().endswith(tail) and len(raw) > len(tail):
                    words.extend([raw[:-len(tail)], raw[-len(tail):]])
                    break
            else:
                words.append(raw)
        words.extend(trail)
    return words


def plain_words(sentence):
    """The words of a sentence without its punctuation marks."""
    return [w for w in sentence_words(sentence) if not re.fullmatch(r"[.,;:!?\"()]+", w)]
