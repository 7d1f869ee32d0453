"""Checks of the committed lesson files for chapters 19 to 22 and the review
chapter 28, read the way the screens read them.

Chapter 28 has no basic sentences: the home screen disables the basic
sentences, the rearrangement quiz and the listening quiz there, and every
function it does offer (goal and pages, words, summary, word test,
composition test) must find content. Its composition test asks the items in
file order, so the items follow the course from chapter 1 to 27.
"""

import glob
import os
import re
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CONTENT = os.path.join(ROOT, "data/course")
LESSON = os.path.join(CONTENT, "Lesson")
TEMPLATES = os.path.join(ROOT, "data/engine/templates")
REVIEW = 28
MIN_REVIEW_ITEMS, MIN_REVIEW_WORDS = 30, 30


def lines(name):
    """The lines of a lesson file: Shift-JIS, ending at CR LF."""
    with open(os.path.join(LESSON, name), "rb") as f:
        text = f.read().decode("shift_jis")
    return text[:-2].split("\r\n") if text.endswith("\r\n") else text.split("\r\n")


def chapter_rows(name, chapter):
    """The TAB-separated rows of one chapter (column 2), title row skipped."""
    rows = [line.split("\t") for line in lines(name)[1:]]
    return [r for r in rows if len(r) > 1 and r[1].strip() == str(chapter)]


def cited(template_file):
    with open(template_file, encoding="utf-8") as f:
        return {int(n) for n in re.findall(r"<commentID>G(\d+)</commentID>", f.read())}


class ReviewChapter(unittest.TestCase):
    def test_has_no_basic_sentences_and_no_sentence_templates(self):
        self.assertEqual(chapter_rows("基本文.txt", REVIEW), [])
        self.assertEqual(glob.glob(os.path.join(TEMPLATES, f"khnbun{REVIEW}-*.xvt")), [])

    def test_every_function_the_home_screen_offers_has_content(self):
        # Goal screen: its line of 学習目標.txt, page 1 and the skit picture.
        self.assertGreater(len(lines("学習目標.txt")[REVIEW - 1].strip('"')), 1)
        self.assertTrue(os.path.exists(os.path.join(CONTENT, f"HTML/Explain{REVIEW}-01.htm")))
        self.assertTrue(os.path.exists(os.path.join(CONTENT, f"Image/L{REVIEW}-skit.jpg")))
        # Summary screen.
        self.assertGreater(len(lines("まとめ.txt")[REVIEW - 1].strip('"')), 1)
        # Words and word test: the test never takes spoken phrases.
        words = chapter_rows("単語.txt", REVIEW)
        tested = [w for w in words if w[7].strip() != "話し言葉"]
        self.assertGreaterEqual(len(tested), MIN_REVIEW_WORDS)
        # Composition test: every row has its template.
        items = chapter_rows("英作文.txt", REVIEW)
        self.assertGreaterEqual(len(items), MIN_REVIEW_ITEMS)
        for row in items:
            name = f"Lesson{REVIEW}-{int(row[2]):02d}.xvt"
            self.assertTrue(os.path.exists(os.path.join(TEMPLATES, name)), name)

    def test_items_follow_the_course_in_file_order(self):
        items = chapter_rows("英作文.txt", REVIEW)
        numbers = [int(r[2]) for r in items]
        self.assertEqual(numbers, list(range(1, len(items) + 1)))
        reviewed = []
        for r in items:
            m = re.search(r"（第(\d+)章）$", r[3].strip())
            self.assertIsNotNone(m, f"item {r[2]} does not name the chapter it reviews: {r[3]}")
            reviewed.append(int(m.group(1)))
        self.assertEqual(reviewed, sorted(reviewed), "items out of the course's order")
        self.assertEqual((reviewed[0], reviewed[-1]), (1, REVIEW - 1))
        self.assertLess(max(reviewed), REVIEW)


class LaterChapters(unittest.TestCase):
    # The course-wide comments that explain each chapter's grammar.
    OWN_COMMENTS = {19: range(87, 92), 20: range(92, 96), 21: range(96, 105), 22: range(105, 110)}

    def test_every_composition_cites_its_chapters_grammar(self):
        for chapter, own in self.OWN_COMMENTS.items():
            files = sorted(glob.glob(os.path.join(TEMPLATES, f"Lesson{chapter}-*.xvt")))
            self.assertGreaterEqual(len(files), 9, chapter)
            for path in files:
                self.assertTrue(cited(path) & set(own),
                                f"{os.path.basename(path)} cites none of G{own[0]}-G{own[-1]}")

    def test_every_basic_sentence_has_its_template(self):
        for chapter in self.OWN_COMMENTS:
            rows = chapter_rows("基本文.txt", chapter)
            self.assertGreaterEqual(len(rows), 8, chapter)
            for number in {int(r[2]) for r in rows}:
                name = f"khnbun{chapter}-{number:02d}.xvt"
                self.assertTrue(os.path.exists(os.path.join(TEMPLATES, name)), name)


if __name__ == "__main__":
    unittest.main()
