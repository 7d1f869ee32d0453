// The report markup: word list, error blocks with codes, candidates and
// comment numbers, and the comment list.
#include "matcher_fixture.h"

#include "engine/templates/report_writer.h"

namespace zintra::test {
namespace {

using K = FillerKind;

class ReportTest : public MatcherFixture {
  protected:
    std::string report(const std::string& sentence, const FileBuilder& file, const FileBuilder* global = nullptr) {
        return match(sentence, file, global)->report();
    }
};

TEST_F(ReportTest, PlainWordsAndAnEmptyCommentList) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    EXPECT_EQ(report("I like apples.", f),
              "<div><span>I</span><span>like</span><span>apples</span><span>.</span></div>\n<div></div>\n");
}

TEST_F(ReportTest, MissingAndExtraWords) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    EXPECT_EQ(report("I apples.", f),
              "<div><span>I</span><div><B>8</B><span></span><font>like</font></div>\n"
              "<span>apples</span><span>.</span></div>\n<div></div>\n");
    EXPECT_EQ(report("I like red apples.", f),
              "<div><span>I</span><span>like</span><div><B>16</B><span>red</span></div>\n"
              "<span>apples</span><span>.</span></div>\n<div></div>\n");
    // A small first letter: the expected word is the candidate.
    EXPECT_EQ(report("i like apples.", f),
              "<div><div><B>1</B><span>i</span><font>i</font></div>\n"
              "<span>like</span><span>apples</span><span>.</span></div>\n<div></div>\n");
}

TEST_F(ReportTest, WordsAndCandidatesAreEscaped) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"R&D"}}});
    EXPECT_EQ(report("I like <b>", f),
              "<div><span>I</span><span>like</span><div><B>18</B><span>&lt;b></span></div>\n"
              "<div><B>8</B><span></span><font>R&amp;D</font></div>\n"
              "<div><B>8</B><span></span><font>.</font></div>\n</div>\n<div></div>\n");
}

TEST_F(ReportTest, CommentsAreListedOnceWithTheirSamples) {
    FileBuilder global;
    global.comment(12, "Global note", "\xE3\x82\xB0", {"1"});
    global.sample(1, "Global sample &amp; more");
    FileBuilder f;
    f.comment(5, "Past tense.", "\xE9\x81\x8E", {"3", "see also", "7"});
    f.comment(6, "", "");  // no text: never cited
    f.sample(3, "He went home.");
    f.chain("t", {{{"he"}}, {{"went"}, {"goed", K::Wrong, {5, 10012, 6}}}, {{"to"}}, {{"school", K::Correct, {5}}}});
    EXPECT_EQ(report("He goed to school", f, &global),
              "<div><span>He</span>"
              "<div><B>3648</B><span>goed</span><font>went</font><p>5</p><p>10012</p></div>\n"
              "<span>to</span>"
              "<div><B>1600</B><span>school</span><font>school</font><p>5</p></div>\n"
              "<div><B>8</B><span></span><font>.</font></div>\n"
              "</div>\n"
              "<div>"
              "<div><B>5</B>\n<span>Past tense.</span>\n<span>\xE9\x81\x8E</span>\n"
              "<p>He went home.</p>\n<p>see also</p>\n</div>\n"
              "<div><B>10012</B>\n<span>Global note</span>\n<span>\xE3\x82\xB0</span>\n"
              "<p>Global sample &amp; more</p>\n</div>\n"
              "</div>\n");
}

TEST_F(ReportTest, WrongFillerBlockMarksADifferenceInside) {
    FileBuilder f;
    f.comment(5, "Past tense.");
    f.chain("t", {{{"he"}}, {{"went to"}, {"goed to", K::Wrong, {5}}}, {{"school"}}, {{"."}}});
    auto m = match("He goed school.", f);
    EXPECT_EQ(m->report(),
              "<div><span>He</span>"
              "<div><B>6720</B><span>goed</span><span></span><font>went to</font><p>5</p></div>\n"
              "<span>school</span><span>.</span></div>\n"
              "<div><div><B>5</B>\n<span>Past tense.</span>\n<span></span>\n</div>\n</div>\n");
    EXPECT_FALSE(m->freeOfErrors());
    // Typed as the wrong filler has it: no difference bit.
    EXPECT_NE(report("He goed to school.", f).find("<div><B>2624</B><span>goed</span><span>to</span>"),
              std::string::npos);
}

TEST_F(ReportTest, IdiomBlocks) {
    FileBuilder f;
    f.comment(7, "An idiom.");
    f.chain("t", {{{"i"}}, {{"have"}}, {{"a lot of", K::Correct, {7}}, {"many"}}, {{"apples"}}, {{"."}}});
    auto m = match("I have a lot of apples.", f);
    EXPECT_EQ(m->report(),
              "<div><span>I</span><span>have</span>"
              "<div><B>576</B><span>a</span><span>lot</span><span>of</span>"
              "<font>a lot of</font><font>many</font><p>7</p></div>\n"
              "<span>apples</span><span>.</span></div>\n"
              "<div><div><B>7</B>\n<span>An idiom.</span>\n<span></span>\n</div>\n</div>\n");
    EXPECT_TRUE(m->freeOfErrors());
    // An error inside the idiom has a block of its own inside the idiom's.
    EXPECT_NE(report("I have a lots of apples.", f)
                  .find("<div><B>576</B><span>a</span><div><B>6</B><span>lots</span><font>lot</font><p>7</p></div>\n"
                        "<span>of</span><font>a lot of</font><font>many</font><p>7</p></div>\n"),
              std::string::npos);
    // A word filler alone in its block reads as correct (1600)...
    FileBuilder single;
    single.comment(7, "Polite.");
    single.chain("t", {{{"i"}}, {{"like", K::Correct, {7}}}, {{"apples"}}, {{"."}}});
    EXPECT_EQ(report("I like apples.", single),
              "<div><span>I</span><div><B>1600</B><span>like</span><font>like</font><p>7</p></div>\n"
              "<span>apples</span><span>.</span></div>\n"
              "<div><div><B>7</B>\n<span>Polite.</span>\n<span></span>\n</div>\n</div>\n");
    EXPECT_TRUE(match("I like apples.", single)->freeOfErrors());
    // ...so when that word needs correcting it is reported by itself, with its comment.
    EXPECT_NE(report("I lke apples.", single).find("<div><B>70</B><span>lke</span><font>like</font><p>7</p></div>\n"),
              std::string::npos);
}

TEST_F(ReportTest, PhraseBlockAroundASuperfluousWord) {
    FileBuilder f;
    Template& adverb = f.chain("adverb", {{{"very"}}, {{"much"}}}, TemplateKind::Sub);
    Template& t = f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {}, {{"."}}});
    f.phrase(*t.nodes[3], adverb);
    auto m = match("I like apples very big much.", f);
    EXPECT_EQ(m->report(),
              "<div><span>I</span><span>like</span><span>apples</span><span>very</span>"
              "<div><B>400</B><div><B>400</B><span>big</span></div>\n</div>\n"
              "<span>much</span><span>.</span></div>\n<div></div>\n");
    EXPECT_FALSE(m->freeOfErrors());
    // Outside the phrase a superfluous word has no phrase block.
    EXPECT_NE(report("I like big apples very much.", f).find("<div><B>16</B><span>big</span></div>\n"),
              std::string::npos);
}

TEST_F(ReportTest, SwappedPairOffersEachPlaceTheOthersWord) {
    FileBuilder f;
    f.chain("t", {{{"this"}}, {{"is"}}, {{"a"}}, {{"pen"}}, {{"."}}});
    EXPECT_EQ(report("Is this a pen.", f),
              "<div><div><B>8288</B><span>Is</span><font>this</font></div>\n"
              "<div><B>16480</B><span>this</span><font>is</font></div>\n"
              "<span>a</span><span>pen</span><span>.</span></div>\n<div></div>\n");
}

TEST_F(ReportTest, MisplacedWord) {
    FileBuilder f;
    f.chain("t", {{{"he"}}, {{"went"}}, {{"to"}}, {{"school"}}, {{"yesterday"}}, {{"."}}});
    EXPECT_EQ(report("Yesterday he went to school.", f),
              "<div><div><B>32784</B><span>Yesterday</span></div>\n"
              "<span>he</span><span>went</span><span>to</span><span>school</span>"
              "<div><B>32776</B><span></span><font>yesterday</font></div>\n"
              "<span>.</span></div>\n<div></div>\n");
}

// The writer's rules on items made by hand, for the cases the matcher
// leaves to the writer.
class WriterRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file.comment(5, "Five.");
        file.comment(6, "Six.");
        node.order = 1;
        node.candidates = {"went", "came"};
        wrong.kind = K::Wrong;
        wrong.comments = {5, -1, 6};  // a negative number ends the list
        right.comments = {6};
        goed = {K::Wrong, 0, "goed", {}, &wrong, &node, nullptr};
        went = {K::Correct, 1, "went", {}, &right, &node, nullptr};
    }
    std::string write(std::vector<ReportItem>& items) {
        std::string out;
        std::vector<int32_t> comments;
        writeReport(items, *file, nullptr, out, comments);
        return out;
    }

    FileBuilder file;
    NodeRecord node;
    Filler wrong, right;
    ExpectedElement goed, went;
};

TEST_F(WriterRulesTest, FillerBlockOfAWrongFillerGetsBit2048) {
    std::vector<ReportItem> items(1);
    items[0].word = items[0].comparison = "goed";
    items[0].expected = items[0].filler = &goed;
    items[0].flags = kFlagComments | kFlagWrong;
    EXPECT_EQ(write(items),
              "<div><div><B>2144</B><span>goed</span><font>went</font><font>came</font><p>5</p></div>\n</div>\n"
              "<div><div><B>5</B>\n<span>Five.</span>\n<span></span>\n</div>\n</div>\n");
    EXPECT_TRUE(items[0].has(kFlagWrongFiller));
}

TEST_F(WriterRulesTest, NodeBlockClosingASwappedPairOffersBothWordsInOrder) {
    std::vector<ReportItem> items(2);
    items[0].word = items[0].comparison = "came";
    items[0].expected = items[0].filler = &went;
    items[0].node = &node;
    items[0].flags = kFlagComments | kFlagNodeOpen | kFlagSwapFirst;
    items[1].word = items[1].comparison = "went";
    items[1].expected = items[1].filler = &goed;
    items[1].node = &node;
    items[1].flags = kFlagComments | kFlagNodeClose | kFlagSwapSecond;
    // The first item's filler block takes the next item's candidates, the
    // second's the previous item's candidates and comments; the node block
    // closes with "went came" and the comments of both fillers.
    EXPECT_EQ(write(items),
              "<div><div><B>8768</B>"
              "<div><B>8704</B><span>came</span><font>went</font><font>came</font><p>6</p></div>\n"
              "<div><B>19456</B><span>went</span><font>went</font><p>6</p></div>\n"
              "<font>went came</font><p>6</p><p>5</p></div>\n</div>\n"
              "<div><div><B>6</B>\n<span>Six.</span>\n<span></span>\n</div>\n"
              "<div><B>5</B>\n<span>Five.</span>\n<span></span>\n</div>\n</div>\n");
}

TEST_F(WriterRulesTest, PhraseBlockCodeDropsTheErrorBitsOfAFillerBlockButNotBit16) {
    PhraseRecord phrase;
    std::vector<ReportItem> items(1);
    items[0].word = items[0].comparison = "x";
    items[0].expected = items[0].filler = &went;
    items[0].phrase = &phrase;
    items[0].flags = kFlagCapital | kFlagExtra | kFlagWrong | kFlagPhraseOpen | kFlagPhraseClose;
    EXPECT_EQ(write(items).substr(0, 35), "<div><div><B>400</B><div><B>433</B>");
}

TEST(FreeOfErrors, FollowsTheBlocksThatReportErrors) {
    Filler wrong;
    wrong.kind = FillerKind::Wrong;
    Filler right;
    NodeRecord node;
    PhraseRecord phrase;
    ExpectedElement wrongElement{FillerKind::Wrong, 0, "w", {}, &wrong, &node, nullptr};
    ExpectedElement rightElement{FillerKind::Correct, 1, "r", {}, &right, &node, nullptr};
    std::vector<ReportItem> items(1);
    EXPECT_TRUE(isFreeOfErrors(items));
    items[0].node = &node;
    items[0].expected = &rightElement;
    items[0].flags = kFlagNodeOpen | kFlagNodeClose | kFlagComments;
    EXPECT_TRUE(isFreeOfErrors(items));
    items[0].expected = &wrongElement;
    EXPECT_FALSE(isFreeOfErrors(items));
    items[0] = ReportItem();
    items[0].phrase = &phrase;
    items[0].flags = kFlagPhraseOpen;
    EXPECT_TRUE(isFreeOfErrors(items));
    items[0].flags |= kFlagPhraseClose;
    EXPECT_FALSE(isFreeOfErrors(items));
    items[0] = ReportItem();
    items[0].filler = &rightElement;
    EXPECT_FALSE(isFreeOfErrors(items));
}

}  // namespace
}  // namespace zintra::test
