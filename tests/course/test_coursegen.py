"""Unit tests of the course generator's pieces.

The readers written here follow the application's rules for the lesson files
and for JisGlobal.xvt, so a cell or comment the generator writes is checked
by what a reader gets back, not by the bytes alone.
"""

import os
import re
import tempfile
import unittest

import catalogue
import match_check
from sjis_table import quote_cell, table_bytes
from template_source import parse_node, parse_templates
from tokens import sentence_words


def read_text(reader, text):
    """What reader makes of a source file holding text."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as f:
        f.write(text)
    try:
        return reader(f.name)
    finally:
        os.unlink(f.name)


def unquote_cell(text, text_mode):
    """The lesson readers' undoing of spreadsheet quoting."""
    out, i = [], 0
    while i < len(text):
        if text.startswith('""', i):
            out.append('"')
            i += 2
        else:
            out.append(text[i])
            i += 1
    s = "".join(out)
    if s.startswith('"'):
        s = s[1:-1]
    return s.replace("\n", "\r\n" if text_mode else " ")


def read_rows(data):
    """Rows end at CR LF; a lone LF stays inside its cell."""
    text = data.decode("shift_jis")
    assert text.endswith("\r\n")
    return [line.split("\t") for line in text[:-2].split("\r\n")]


class SpreadsheetCells(unittest.TestCase):
    def test_quoted_word_and_line_break_come_back_as_written(self):
        cell = 'He said "hello".\nThen he left.'
        rows = read_rows(table_bytes([[1, cell]], "t"))
        self.assertEqual(len(rows), 1)
        self.assertEqual(unquote_cell(rows[0][1], True), 'He said "hello".\r\nThen he left.')
        self.assertEqual(unquote_cell(rows[0][1], False), 'He said "hello". Then he left.')

    def test_plain_cells_are_left_alone(self):
        self.assertEqual(quote_cell("I am a student."), "I am a student.")
        self.assertEqual(quote_cell(12), "12")

    def test_tab_or_carriage_return_in_a_cell_is_refused(self):
        for bad in ("a\tb", "a\rb"):
            with self.assertRaises(ValueError):
                quote_cell(bad)

    def test_text_without_a_shift_jis_form_is_refused(self):
        with self.assertRaises(ValueError):
            table_bytes([["①"]], "t")


class WordCutting(unittest.TestCase):
    def test_contractions_and_marks_are_words_of_their_own(self):
        self.assertEqual(sentence_words("I'm not a doctor."), ["I", "'m", "not", "a", "doctor", "."])
        self.assertEqual(sentence_words("Don't run, Ken!"), ["Do", "n't", "run", ",", "Ken", "!"])

    def test_titles_keep_their_full_stop(self):
        self.assertEqual(sentence_words("Thank you, Ms. Brown."),
                         ["Thank", "you", ",", "Ms.", "Brown", "."])


class NodeLines(unittest.TestCase):
    def test_kinds_words_and_citations(self):
        node = parse_node("a student G3 ~one student !a students G4 C2 !() G8", "t")
        got = [(f.kind, f.text, f.comments) for f in node.fillers]
        self.assertEqual(got, [("correct", "a student", ["G3"]), ("normal", "one student", []),
                               ("wrong", "a students", ["G4", "C2"]), ("wrong", "", ["G8"])])

    def test_phrase_fillers(self):
        node = parse_node("@//I_am ~@mine", "t")
        self.assertEqual([(f.kind, f.phrase, f.words) for f in node.fillers],
                         [("correct", "//I am", []), ("normal", "mine", [])])
        with self.assertRaises(ValueError):
            parse_node("@//I am", "t")

    def test_a_node_must_start_with_its_correct_filler(self):
        with self.assertRaises(ValueError):
            parse_node("!is G5", "t")

    def test_further_templates_and_sub_templates(self):
        lines = [(1, "| I"), (2, "| am"), (3, "template I'm"), (4, "| I 'm"), (5, "sub part"),
                 (6, "| x")]
        ts = parse_templates(lines, "I am", "t")
        self.assertEqual([(t.name, t.main, len(t.nodes)) for t in ts],
                         [("I am", True, 2), ("I'm", True, 1), ("part", False, 1)])

    def test_the_authors_first_filler_stays_the_model_in_the_xml(self):
        # The engine's model is a node's first "normal" filler, else its first
        # correct one: fillers accepted without being the model ("~") are
        # written as correct ones, so the correction puts in "am", not "'m".
        from template_source import template_xml
        ts = parse_templates([(1, "| I"), (2, "| am ~'m !is G5")], "I am", "t")
        xml = "\n".join(template_xml(ts[0], 0))
        types = re.findall(r"<Group type='(\w+)'>\s*<name>([^<]*)</name>", xml)
        self.assertEqual(types, [("correct", "I"), ("correct", "am"), ("correct", "'m"), ("wrong", "is")])

    def test_a_template_without_nodes_is_refused(self):
        with self.assertRaises(ValueError):
            parse_templates([(1, "| I"), (2, "template empty")], "I", "t")


def read_jis_global(text):
    """The application's reader of JisGlobal.xvt: row = ID + 16 -> (path, content)."""
    lines = text.split("\n")
    joined = " ".join(lines) if len(lines[0]) == 1 else "".join(lines)
    start = joined.index("<name>Global</name>") + len("<name>Global</name>")
    stack, rows, pos = [], {}, start
    while True:
        cat = joined.find("<category>", pos)
        if cat < 0:
            return rows
        close = joined.find("</category>", cat)
        p = cat
        while True:
            nxt = joined.find("<category>", p)
            if nxt < 0 or nxt >= close:
                break
            a = joined.index("<name>", nxt) + 6
            stack.append(joined[a:joined.index("/name>", a) - 1])
            p = nxt + 1
        p = cat
        while True:
            c = joined.find("comment ID=", p)
            if c < 0 or c >= close:
                break
            cid = int(re.match(r'comment ID="(\d+)"', joined[c:]).group(1))
            a = joined.index("<name>", c) + 6
            name = joined[a:joined.index("/name>", a) - 1].strip()
            b = joined.index("<jcontent>", c) + 10
            content = joined[b:joined.index("/jcontent>", b) - 1].strip()
            rows[cid + 16] = ("/".join([s for s in stack[:4] if s] + [name])[:40], content)
            p = c + 1
        nxt = joined.find("<category>", close)
        end = nxt if nxt >= 0 else len(joined)
        pops = joined.count("/category", close, end)
        for _ in range(pops):
            if stack:
                stack.pop()
        pos = close + 1


class Catalogue(unittest.TestCase):
    SOURCE = ("== 文法/be動詞\n"
              "5 | I と am | 主語が I のときは am です。 | With I, be is am.\n"
              "== 文法/冠詞\n"
              "2 | a と an | 母音の前は an です。 | an before a vowel\n"
              "== 代名詞\n"
              "1 | 主格 | 主語の形です。 | subject form\n")

    def read(self, text):
        return read_text(catalogue.read_catalogue, text)

    def test_application_reader_finds_every_comment_with_its_path(self):
        rows = read_jis_global(catalogue.jis_global(self.read(self.SOURCE)))
        self.assertEqual(rows, {21: ("文法/be動詞/I と am", "主語が I のときは am です。"),
                                18: ("文法/冠詞/a と an", "母音の前は an です。"),
                                17: ("代名詞/主格", "主語の形です。")})

    def test_engine_file_holds_the_same_numbers_and_texts(self):
        comments = self.read(self.SOURCE)
        xml = catalogue.global_xvt(comments)
        found = dict(re.findall(r"<comment ID='(\d+)'>.*?<jcontent>(.*?)</jcontent>", xml, re.S))
        self.assertEqual(found, {"5": "主語が I のときは am です。", "2": "母音の前は an です。",
                                 "1": "主語の形です。"})

    def test_repeated_or_out_of_range_numbers_are_refused(self):
        for bad in ("== a\n1 | x | y | z\n1 | x | y | z\n", "== a\n585 | x | y | z\n"):
            with self.assertRaises(ValueError):
                self.read(bad)

    def test_a_path_longer_than_the_table_keeps_is_refused(self):
        with self.assertRaises(ValueError):
            self.read("== " + "長" * 30 + "\n1 | " + "名" * 12 + " | y | z\n")


class Verdicts(unittest.TestCase):
    TAIL = "<div>{}</div>\n<div><P>t</P></div>\n<div></div>\n"

    def reply(self, words, comments=""):
        return "<div>" + words + "</div>\n" + self.TAIL.format(comments)

    def test_plain_words_and_quiet_blocks_are_right(self):
        words = ("<span>I</span><div><B>1600</B><span>am</span><font>am</font><p>10008</p></div>\n"
                 "<div><B>576</B><span>a</span><span>boy</span><font>a boy</font><p>10003</p></div>\n")
        self.assertEqual(match_check.verdict(self.reply(words)), (True, []))

    def test_an_error_inside_a_phrase_block_counts_with_its_comments(self):
        words = ("<span>I</span><div><B>576</B><div><B>520</B><span></span><font>a</font>"
                 "<p>10003</p></div>\n<span>boy</span><font>a boy</font><p>10003</p></div>\n")
        comments = "<div><B>10003</B>\n<span>e</span>\n<span>j</span>\n</div>\n"
        self.assertEqual(match_check.verdict(self.reply(words, comments)), (False, [10003]))

    def test_a_cited_number_the_comment_list_lacks_explains_nothing(self):
        words = "<div><B>3648</B><span>is</span><font>am</font><p>10005</p></div>\n"
        self.assertEqual(match_check.verdict(self.reply(words)), (False, []))


class AutomaticErrors(unittest.TestCase):
    def fillers(self, lines):
        import auto_errors
        t = parse_templates(list(enumerate(lines, 1)), "t", "t")[0]
        auto_errors.apply(t)
        return [[(f.kind, f.text, f.comments) for f in n.fillers] for n in t.nodes]

    def test_be_forms_get_their_short_form_and_the_wrong_forms(self):
        nodes = self.fillers(["| I", "| am", "| a student G3"])
        self.assertEqual(nodes[0][1:], [("wrong", "me", ["G1"]), ("wrong", "my", ["G1"])])
        self.assertEqual(nodes[1], [("correct", "am", []), ("normal", "'m", []),
                                    ("wrong", "is", ["G5"]), ("wrong", "are", ["G5"])])
        self.assertEqual(nodes[2], [("correct", "a student", ["G3"])])

    def test_short_forms_inside_longer_fillers_follow_the_word_before(self):
        nodes = self.fillers(["| what is", "| this", "| ?"])
        self.assertIn(("normal", "what 's", []), nodes[0])
        self.assertEqual(nodes[2], [("correct", "?", []), ("wrong", ".", ["G29"])])
        nodes = self.fillers(["| this", "| is not", "| a pen"])
        self.assertIn(("normal", "is n't", []), nodes[1])
        self.assertNotIn(("normal", "'s not", []), nodes[1])  # "this's" is not English

    def test_a_filler_the_author_wrote_is_never_changed(self):
        nodes = self.fillers(["| yes", "| ,", "| I", "| am G11 !'m G47"])
        self.assertEqual([f for f in nodes[3] if f[1] == "'m"], [("wrong", "'m", ["G47"])])

    def test_a_contracted_model_also_accepts_the_full_form(self):
        nodes = self.fillers(["| I", "| 'm", "| from Tokyo"])
        self.assertIn(("normal", "am", []), nodes[1])

    def test_lets_keeps_its_s(self):
        nodes = self.fillers(["| let", "| 's", "| play tennis"])
        self.assertEqual(nodes[1], [("correct", "'s", [])])
        nodes = self.fillers(["| it", "| 's", "| a pen"])
        self.assertIn(("normal", "is", []), nodes[1])

    def test_will_and_not_after_the_past_and_modals_get_their_short_forms(self):
        nodes = self.fillers(["| I", "| will", "| go"])
        self.assertIn(("normal", "'ll", []), nodes[1])
        nodes = self.fillers(["| Ken", "| will", "| go"])
        self.assertEqual(nodes[1], [("correct", "will", [])])  # "Ken'll" is not written
        for verb in ("did", "was", "must"):
            nodes = self.fillers(["| I", f"| {verb} not G70", "| go"])
            self.assertIn(("normal", f"{verb} n't", []), nodes[1])
        nodes = self.fillers(["| I", "| can not", "| go"])
        self.assertEqual(nodes[1], [("correct", "can not", [])])  # can't and won't are written out


class TaughtForms(unittest.TestCase):
    def forms(self, word):
        import checkcourse
        return checkcourse.inflections(word)

    def test_regular_past_and_ing_forms_count_with_their_verb(self):
        self.assertTrue({"played", "playing", "plays"} <= self.forms("play"))
        self.assertTrue({"studied", "studying", "studies"} <= self.forms("study"))
        self.assertTrue({"lived", "living"} <= self.forms("live"))
        self.assertTrue({"stopped", "running", "swimming"} <= self.forms("stop") | self.forms("run")
                        | self.forms("swim"))

    def test_irregular_and_misspelt_forms_do_not(self):
        self.assertNotIn("went", self.forms("go"))
        self.assertNotIn("plaied", self.forms("play"))
        self.assertNotIn("stayied", self.forms("stay"))  # a vowel before y keeps it
        self.assertNotIn("makeing", self.forms("make"))
        self.assertNotIn("helpped", self.forms("help"))


def chapter(number, text):
    """A chapter source read and linked as the generator reads it."""
    import shared_items
    from chapter_source import read_chapter
    ch = read_text(lambda path: read_chapter(number, path), text)
    shared_items.link(ch)
    return ch


SKITS = ("== sentences\n"
         "skit In a shop\n"
         "1 | いくらですか。 | How much is this?\n"
         "1 | 10ドルです。 | It's ten dollars.\n"
         "skit At the door\n"
         "2 | ありがとう。 | Thank you.\n"
         "== compositions\n"
         "1\n  error: How many is this?\n"
         "1 値段を答えて\n  error: It's ten dollar.\n"
         "2\n  error: Thanks you.\n")


class SharedItems(unittest.TestCase):
    def test_item_rows_take_prompt_and_answer_from_their_sentence_rows(self):
        ch = chapter(24, SKITS)
        got = [(i.number, i.japanese, i.answer) for i in ch.items]
        self.assertEqual(got, [(1, "いくらですか。", "How much is this?"),
                               (1, "値段を答えて", "It's ten dollars."), (2, "ありがとう。", "Thank you.")])
        self.assertEqual([(s.skit, s.part) for s in ch.sentences], [(1, 1), (1, 2), (2, 0)])

    def test_numbers_rows_and_answers_must_agree(self):
        for bad in (SKITS.replace("2\n  error: Thanks you.\n", ""),            # no item 2
                    SKITS.replace("1 値段を答えて\n  error: It's ten dollar.\n", ""),  # one row short
                    SKITS.replace("2\n  error", "2\n  answer: Thanks.\n  error")):  # another answer
            with self.assertRaises(ValueError):
                chapter(24, bad)

    def test_templates_belong_under_the_item_not_the_sentence(self):
        with self.assertRaises(ValueError):
            chapter(24, SKITS.replace("Thank you.\n", "Thank you.\n  accept: Thanks.\n", 1))

    def test_skits_only_in_the_conversation_chapters(self):
        with self.assertRaises(ValueError):
            chapter(27, SKITS)
        one_skit = SKITS.replace("skit At the door\n", "")
        with self.assertRaises(ValueError):
            chapter(24, one_skit)

    def test_rows_of_one_number_stand_together(self):
        with self.assertRaises(ValueError):
            chapter(5, "== sentences\n1 | a | A.\n2 | b | B.\n1 | c | C.\n")

    def test_the_item_the_screen_plays_from_its_first_part_is_a_dialogue(self):
        text = "== sentences\n12 | 行った？ | Have you been there?\n== compositions\n12\n  error: x\n"
        with self.assertRaises(ValueError):
            chapter(23, text)

    def test_chapters_before_23_keep_prompts_of_their_own(self):
        with self.assertRaises(ValueError):
            chapter(10, "== compositions\n1\n  answer: I am Ken.\n  error: x\n")

    def test_the_review_chapter_has_no_basic_sentences(self):
        with self.assertRaises(ValueError):
            chapter(28, "== sentences\n1 | a | A.\n")


class SharedTemplates(unittest.TestCase):
    def test_one_lesson_file_serves_the_item_and_its_basic_sentence(self):
        import coursegen
        files = coursegen.build(coursegen.Course(os.path.join(coursegen.ROOT, "course")))
        self.assertFalse([n for n in files if re.search(r"khnbun2[3-7]-", n)])
        self.assertIn("data/engine/templates/khnbun18-01.xvt", files)
        xml = files["data/engine/templates/Lesson24-01.xvt"].decode("utf-8")
        self.assertEqual(re.findall(r"<template sub='0' Tag='S'>\n\t+<name>(.*?)</name>", xml),
                         ["may I help you", "yes , I 'm looking for a shirt"])
        samples = re.findall(r"<P ID='\d+'>(.*?)</P>", xml)
        self.assertEqual(samples[0], "May I help you?")
        self.assertIn("Yes, I'm looking for a shirt.", samples)


class Minimums(unittest.TestCase):
    def test_later_chapters_and_the_review_want_more(self):
        import checkcourse
        self.assertEqual(checkcourse.minimums(5), (15, 8, 8, 2))
        self.assertEqual(checkcourse.minimums(23), (20, 8, 9, 2))
        self.assertEqual(checkcourse.minimums(28), (30, 0, 30, 2))

    def test_the_screens_tables_and_the_course_totals(self):
        import checkcourse
        from chapter_source import Chapter, Item, Word
        ch = Chapter(3, "t")
        ch.words = [Word("m", "w", "", "名詞")] * 201
        ch.items = [Item(1, "p") for _ in range(12)]  # one item of 12 rows
        problems = checkcourse.capacity_problems([ch])
        self.assertEqual(len(problems), 2, problems)
        self.assertIn("201 words", problems[0])
        self.assertIn("more than 11 rows", problems[1])
        self.assertEqual(checkcourse.totals([ch]), (201, 0, 1, 12))
        # Totals are wanted only of the whole course.
        small = [Chapter(n, "t") for n in range(1, 29)]
        self.assertEqual(len(checkcourse.capacity_problems(small)), 3)


class Recordings(unittest.TestCase):
    def test_names_follow_the_screens_rules(self):
        import audio
        from coursegen import ROOT, Course
        course = Course(os.path.join(ROOT, "course"))
        names = [rel for rel, _, _ in audio.recordings(course)]
        self.assertEqual(len(names), len(set(names)))
        first = course.chapters[0]
        dialogue = next(s for s in first.sentences if s.part == 2)
        base = f"{first.number:02d}-{dialogue.number:02d}"
        for rel in (f"AudioSent/s{base}-h1.mp3", f"AudioSent/s{base}-h2.mp3",
                    f"AudioSent/ss{base}-h2.mp3", f"AudioWord/w01-{len(first.words):02d}.mp3",
                    "AudioExSent/e01-01.mp3", "AudioOKNG/ok_5.mp3", "AudioOKNG/ng_3.mp3"):
            self.assertIn(rel, names)
        slow = [n for n in names if n.startswith("AudioSent/ss")]
        self.assertTrue(all(n[12:14] in ("01", "02") for n in slow))

    def test_shared_chapters_play_the_composition_from_the_basic_sentence(self):
        import audio
        import shared_items
        from coursegen import ROOT, Course
        course = Course(os.path.join(ROOT, "course"))
        names = {rel for rel, _, _ in audio.recordings(course)}
        for ch in course.chapters:
            if ch.number not in shared_items.SHARED_CHAPTERS:
                continue
            self.assertFalse([n for n in names if n.startswith(f"AudioExSent/e{ch.number}-")])
            # The correction screen's first speaker: sNN-MM.mp3, -h1 for 23-12.
            for number in shared_items.item_groups(ch):
                tail = "-h1" if (ch.number, number) == shared_items.FIRST_PART_ITEM else ""
                self.assertIn(f"AudioSent/s{ch.number}-{number:02d}{tail}.mp3", names)
            for s in ch.sentences:
                if s.part:
                    self.assertIn(f"AudioSent/s{ch.number}-{s.number:02d}-h{s.part}.mp3", names)


class RearrangementCapitals(unittest.TestCase):
    def test_sentences_opening_with_a_proper_word_keep_their_capital(self):
        from types import SimpleNamespace as NS
        import lesson_files
        words = [NS(spelling="Japan", kind="名詞"), NS(spelling="English", kind="名詞・形容詞"),
                 NS(spelling="Hello", kind="話し言葉"), NS(spelling="Good morning", kind="話し言葉")]
        proper = lesson_files.proper_words([NS(words=words)], {"Ken"})
        self.assertEqual(proper, {"Ken", "Japan", "English"})
        flags = [lesson_files.quiz_flags(NS(english=e, part=p), proper) for e, p in
                 [("English is spoken here.", 0), ("Japan is big.", 2), ("Ken, come here.", 0),
                  ("I'm Ken.", 0), ("Hello, Ken.", 1), ("The book is mine.", 0)]]
        self.assertEqual(flags, [100, 102, 100, 100, 1, 0])


def read_questions_text(text):
    import questions
    return read_text(questions.read_questions, text)


class Questions(unittest.TestCase):
    SOURCE = "# comment\n== points\n01 | greetings\n13 | the past tense ; past tense\n== parts of speech\nnoun ; verb\n"

    def test_points_by_chapter_and_the_parts_of_speech(self):
        points, parts = read_questions_text(self.SOURCE)
        self.assertEqual(points, {1: ["greetings"], 13: ["the past tense", "past tense"]})
        self.assertEqual(parts, ["noun", "verb"])

    def test_a_name_twice_or_not_plain_words_is_refused(self):
        for bad in (self.SOURCE.replace("greetings", "Past tense"),     # named again, case aside
                    self.SOURCE.replace("greetings", "let's"),          # the tokenizer cuts it
                    self.SOURCE.replace("01 |", "one |"),               # no chapter number
                    "noun\n" + self.SOURCE,                             # before any section
                    self.SOURCE.replace("== parts", "== kinds")):
            with self.assertRaises(ValueError, msg=bad):
                read_questions_text(bad)

    def test_words_are_the_chapters_plain_words_once_each(self):
        import questions
        ch = chapter(1, "== words\n"
                        "学生 | student | a student | 名詞\n"
                        "郵便局 | post office | the post office | 名詞\n"
                        "すみません | Excuse me. | Excuse me. | 話し言葉\n"
                        "〜しよう | let's | let's go | 熟語\n"
                        "学生 | Student | students | 名詞\n")
        self.assertEqual(questions.course_words([ch]), ["student", "post office"])

    def test_each_question_subject_carries_its_variable(self):
        import questions
        xml = questions.questions_xml({13: ["the past tense"]}, ["noun"], ["student", "post office"])
        nodes = re.findall(r"<node(?: var='([^']*)')?>\s*<name>(\w+)</name>", xml)
        self.assertEqual([(v, n) for v, n in nodes if v],
                         [("$point", "q4"), ("$word", "w3"), ("$word", "p2"), ("$pos", "p4")])
        self.assertIn("<name>post office</name>", xml)
        with self.assertRaises(ValueError):
            questions.questions_xml({}, ["noun"], ["student"])


if __name__ == "__main__":
    unittest.main()
