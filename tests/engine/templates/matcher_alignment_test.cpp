// Alignment of sentences with templates: graphs, scores, template choice,
// the final symbol and the flags of the report items.
#include "matcher_fixture.h"

#include "engine/templates/alignment.h"
#include "engine/templates/match_items.h"

namespace zintra::test {
namespace {

using K = FillerKind;

class AlignmentTest : public MatcherFixture {};

TEST_F(AlignmentTest, ExactMatchHasNoErrorFlags) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}, {"oranges"}}, {{"."}}});
    auto m = match("I like oranges.", f);
    EXPECT_EQ(summary(*m), "I/i:0 like/like:0 oranges/oranges:0 ./.:0");
    EXPECT_TRUE(m->freeOfErrors());
    EXPECT_EQ(m->chosenTemplate()->name, "t");
    EXPECT_EQ(m->finalSymbol(), "");
}

TEST_F(AlignmentTest, MissingAndExtraWords) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    EXPECT_EQ(summary(*match("I apples.", f)), "I/i:0 /like:8 apples/apples:0 ./.:0");
    EXPECT_EQ(summary(*match("I like red apples.", f)), "I/i:0 like/like:0 red/-:16 apples/apples:0 ./.:0");
    EXPECT_FALSE(match("I apples.", f)->freeOfErrors());
}

TEST_F(AlignmentTest, MissingOrExtraClearsTheSpellingFlag) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    // 'appels' is compared as 'apples' and matches: flags 2 and 4 stay.
    EXPECT_EQ(summary(*match("I like appels.", f)), "I/i:0 like/like:0 appels/apples:6 ./.:0");
    // 'lik' is compared as 'like' but stands where nothing is expected.
    EXPECT_EQ(summary(*match("I like lik apples.", f)), "I/i:0 like/like:0 lik/-:18 apples/apples:0 ./.:0");
}

TEST_F(AlignmentTest, BranchesAndJoins) {
    // i -> (like | have) -> (apples | a book) -> "." with the last node joined
    // from both branches.
    FileBuilder f;
    Template& t = f.add("t");
    Node& i = f.node(t, "i", {{"i"}});
    Node& like = f.node(t, "like", {{"like"}});
    Node& have = f.node(t, "have", {{"have"}});
    Node& apples = f.node(t, "apples", {{"apples"}});
    Node& book = f.node(t, "book", {{"a book"}});
    Node& stop = f.node(t, "stop", {{"."}});
    FileBuilder::link(i, like);
    FileBuilder::link(i, have);
    FileBuilder::link(like, apples);
    FileBuilder::link(have, book);
    FileBuilder::link(apples, stop);
    FileBuilder::link(book, stop);
    FileBuilder::finish(t);
    EXPECT_TRUE(match("I like apples.", f)->freeOfErrors());
    EXPECT_TRUE(match("I have a book.", f)->freeOfErrors());
    EXPECT_EQ(summary(*match("I have book.", f)), "I/i:0 have/have:0 /a:8 book/book:0 ./.:0");
    // The branches do not mix.
    EXPECT_FALSE(match("I like a book.", f)->freeOfErrors());

    // Positions run forward, and the graph starts and ends with the sentinels.
    const PositionGraph& graph = matchGraphsOf(*f).graphs().front();
    const int32_t m = graph.lastPosition();
    for (int32_t p = 0; p < m; ++p)
        for (const Alternative* a = graph.begin(p); a != graph.end(p); ++a) EXPECT_GT(a->target, p);
    ASSERT_EQ(graph.end(0) - graph.begin(0), 1);
    EXPECT_EQ(graph.begin(0)->element, &sentinelElement());
    EXPECT_EQ(graph.begin(0)->target, 1);
    int intoEnd = 0;
    for (int32_t p = 0; p < m; ++p)
        for (const Alternative* a = graph.begin(p); a != graph.end(p); ++a)
            if (a->target == m) {
                ++intoEnd;
                EXPECT_EQ(a->element, &sentinelElement());
            }
    EXPECT_EQ(intoEnd, 1);
}

TEST_F(AlignmentTest, PhraseFillersExpandInLine) {
    FileBuilder f;
    Template& adverb = f.chain("adverb", {{{"very"}}, {{"much"}}}, TemplateKind::Sub);
    Template& t = f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {}, {{"."}}});
    f.phrase(*t.nodes[3], adverb);
    EXPECT_TRUE(match("I like apples very much.", f)->freeOfErrors());
    EXPECT_EQ(summary(*match("I like apples very.", f)), "I/i:0 like/like:0 apples/apples:0 very/very:0 /much:8 ./.:0");
}

TEST_F(AlignmentTest, TemplatesThatNameThemselvesAndCyclesDoNotHang) {
    FileBuilder f;
    Template& loop = f.chain("loop", {{{"very"}}, {{"much"}}}, TemplateKind::Main);
    f.phrase(*loop.nodes[1], loop);
    // A node graph with a cycle: a -> b -> a.
    Template& cycle = f.add("cycle");
    Node& a = f.node(cycle, "a", {{"big"}});
    Node& b = f.node(cycle, "b", {{"red"}});
    FileBuilder::link(a, b);
    FileBuilder::link(b, a);
    FileBuilder::finish(cycle);
    auto m = match("very much", f);
    EXPECT_EQ(m->chosenTemplate(), &loop);
    EXPECT_EQ(summary(*m), "very/very:1 much/much:0 /.:8");
}

TEST_F(AlignmentTest, TemplateChoice) {
    // Equal scores: the earlier template.
    FileBuilder same;
    same.chain("first", {{{"i"}}, {{"like"}}, {{"apples"}}});
    same.chain("second", {{{"i"}}, {{"like"}}, {{"apples"}}});
    EXPECT_EQ(match("I like apples", same)->chosenTemplate()->name, "first");

    // More matched words win.
    FileBuilder more;
    more.chain("short", {{{"i"}}, {{"like"}}});
    more.chain("long", {{{"i"}}, {{"like"}}, {{"apples"}}});
    EXPECT_EQ(match("I like apples", more)->chosenTemplate()->name, "long");

    // Then more words matched outside wrong fillers.
    FileBuilder good;
    good.chain("wrong", {{{"he"}}, {{"goed", K::Wrong}}, {{"to"}}, {{"school"}}});
    good.chain("right", {{{"he"}}, {{"goed"}}, {{"to"}}, {{"school"}}});
    EXPECT_EQ(match("he goed to school", good)->chosenTemplate()->name, "right");

    // Then fewer expected words passed.
    FileBuilder fewer;
    fewer.chain("longer", {{{"he"}}, {{"went"}}, {{"to"}}, {{"school"}}, {{"yesterday"}}});
    fewer.chain("exact", {{{"he"}}, {{"went"}}, {{"to"}}, {{"school"}}});
    EXPECT_EQ(match("he went to school", fewer)->chosenTemplate()->name, "exact");

    // Then fewer wordless wrong fillers passed.
    FileBuilder wordless;
    wordless.chain("gap", {{{"he"}}, {{"", K::Wrong}}, {{"went"}}});
    wordless.chain("plain", {{{"he"}}, {{"went"}}});
    EXPECT_EQ(match("he went", wordless)->chosenTemplate()->name, "plain");

    // A template whose end cannot be reached is never chosen.
    FileBuilder dead;
    dead.chain("dead", {{{"he"}}, {}, {{"went"}}});
    auto m = match("he went", dead);
    EXPECT_EQ(m->chosenTemplate(), nullptr);
    EXPECT_TRUE(m->items().empty());
    EXPECT_EQ(m->report(), "<div></div>\n<div></div>\n");
}

TEST_F(AlignmentTest, WordlessWrongFillerReportsTheLeftOutWord) {
    // "the" may not be left out: the empty wrong filler takes the place.
    FileBuilder f;
    f.chain("t", {{{"he"}}, {{"went"}}, {{"to"}}, {{"the"}, {"", K::Wrong}}, {{"school"}}});
    auto m = match("he went to school", f);
    // A node block of one item: 64, 512 and 1024.
    EXPECT_EQ(summary(*m), "he/he:1 went/went:0 to/to:0 /:1600 school/school:0 /.:8");
    EXPECT_FALSE(m->freeOfErrors());
}

TEST_F(AlignmentTest, OnlyTheFirstThirtyWordsAreMatched) {
    FileBuilder f;
    f.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    std::string sentence = "I like";
    for (int i = 0; i < 33; ++i) sentence += " very";
    sentence += " apples.";
    auto m = match(sentence, f);
    int typed = 0;
    for (const ReportItem& item : m->items()) typed += !item.word.empty();
    // 30 spans and the separated full stop; 'apples' lies beyond them.
    EXPECT_EQ(typed, 31);
    EXPECT_EQ(m->items().back().word, ".");
    EXPECT_NE(summary(*m).find("/apples:8"), std::string::npos);
}

TEST_F(AlignmentTest, ScorePacking) {
    Score s;
    s.matched = 7;
    s.good = 5;
    s.consumed = 9;
    s.wordless = 2;
    Score back = unpackScore(packScore(s));
    EXPECT_EQ(back.matched, 7u);
    EXPECT_EQ(back.good, 5u);
    EXPECT_EQ(back.consumed, 9u);
    EXPECT_EQ(back.wordless, 2u);
    EXPECT_EQ(packScore(Score()), kUnreached);
    Score fewerConsumed = s;
    --fewerConsumed.consumed;
    Score moreWordless = s;
    ++moreWordless.wordless;
    Score moreGood = s;
    ++moreGood.good;
    moreGood.consumed += 100;
    EXPECT_GT(packScore(fewerConsumed), packScore(s));
    EXPECT_LT(packScore(moreWordless), packScore(s));
    EXPECT_GT(packScore(moreGood), packScore(s));
}

TEST_F(AlignmentTest, FinalSymbol) {
    FileBuilder withStop;
    withStop.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}, {{"."}}});
    // The template ends with "." and the sentence has none: the alignment's
    // own missing word.
    auto m = match("I like apples", withStop);
    EXPECT_EQ(summary(*m), "I/i:0 like/like:0 apples/apples:0 /.:8");
    EXPECT_EQ(m->finalSymbol(), "");

    FileBuilder without;
    without.chain("t", {{{"i"}}, {{"like"}}, {{"apples"}}});
    // No final symbol anywhere: a missing full stop is added.
    m = match("I like apples", without);
    EXPECT_EQ(summary(*m), "I/i:0 like/like:0 apples/apples:0 /.:8");
    EXPECT_EQ(m->finalSymbol(), ".");
    // A final "." typed where the template has none is taken as the full stop.
    m = match("I like apples.", without);
    EXPECT_EQ(summary(*m), "I/i:0 like/like:0 apples/apples:0 ./.:0");
    EXPECT_EQ(m->finalSymbol(), ".");
    // "?" stays the final item, compared with the full stop.
    m = match("I like apples?", without);
    EXPECT_EQ(summary(*m), "I/i:0 like/like:0 apples/apples:0 ?/.:32");
    EXPECT_EQ(m->finalSymbol(), ".");
    // A longer final ending that begins with "." is settled as ".".
    m = match("I like apples...", without);
    EXPECT_EQ(summary(*m), "I/i:0 like/like:0 apples/apples:0 .../.:34");  // unknown to the lexicon
    EXPECT_EQ(m->finalSymbol(), ".");

    // A template that asks a question keeps "?".
    FileBuilder question;
    question.chain("t", {{{"is"}}, {{"this"}}, {{"a"}}, {{"pen"}}, {{"?"}}});
    EXPECT_EQ(summary(*match("Is this a pen?", question)), "Is/is:0 this/this:0 a/a:0 pen/pen:0 ?/?:0");
}

TEST_F(AlignmentTest, MisplacedWord) {
    FileBuilder f;
    f.chain("t", {{{"he"}}, {{"went"}}, {{"to"}}, {{"school"}}, {{"yesterday"}}, {{"."}}});
    auto m = match("Yesterday he went to school.", f);
    EXPECT_EQ(summary(*m), "Yesterday/-:32784 he/he:0 went/went:0 to/to:0 school/school:0 /yesterday:32776 ./.:0");
}

TEST_F(AlignmentTest, MisplacedWordTakesTheAlternativeThatMatches) {
    FileBuilder f;
    f.chain("t", {{{"this"}}, {{"is"}}, {{"a"}, {"the"}}, {{"pen"}}});
    auto m = match("the this is pen", f);
    EXPECT_EQ(summary(*m), "the/-:32785 this/this:0 is/is:0 /the:32776 pen/pen:0 /.:8");
}

TEST_F(AlignmentTest, SwappedNeighbours) {
    FileBuilder f;
    f.chain("t", {{{"this"}}, {{"is"}}, {{"a"}}, {{"pen"}}, {{"."}}});
    auto m = match("Is this a pen.", f);
    // "Is" stands where "this" belongs, and "this" where "is" belongs.
    EXPECT_EQ(summary(*m), "Is/this:8288 this/is:16480 a/a:0 pen/pen:0 ./.:0");
    ASSERT_GE(m->items().size(), 2u);
    EXPECT_EQ(m->items()[0].filler->word, "is");
    EXPECT_EQ(m->items()[1].filler->word, "this");

    FileBuilder longer;
    longer.chain("t", {{{"he"}}, {{"went"}}, {{"to"}}, {{"school"}}, {{"yesterday"}}});
    EXPECT_EQ(summary(*match("he went school to yesterday", longer)),
              "he/he:1 went/went:0 school/to:8288 to/school:16480 yesterday/yesterday:0 /.:8");
}

TEST_F(AlignmentTest, CommentsFlagNeedsAnExistingCommentOrAWrongFiller) {
    FileBuilder f;
    f.comment(3, "use went", "");
    f.comment(4, "", "");  // no text: does not count
    f.chain("t", {{{"he"}},
                  {{"went", K::Correct, {4}}, {"goes", K::Correct, {9}}, {"goed", K::Wrong}},
                  {{"to", K::Correct, {3}}},
                  {{"school"}}});
    EXPECT_EQ(summary(*match("he went to school", f)), "he/he:1 went/went:0 to/to:1600 school/school:0 /.:8");
    EXPECT_EQ(summary(*match("he goes to school", f)), "he/he:1 goes/goes:0 to/to:1600 school/school:0 /.:8");
    EXPECT_EQ(summary(*match("he goed to school", f)), "he/he:1 goed/goed:1600 to/to:1600 school/school:0 /.:8");
}

TEST_F(AlignmentTest, ItemsCanBeBuiltFromAHandMadePath) {
    // The block scans: a record made before the last one opened does not
    // open again, and an item alone in its block gets both bits.
    NodeRecord alone;
    alone.order = 1;
    NodeRecord later;
    later.order = 3;
    NodeRecord earlier;
    earlier.order = 2;
    std::vector<ReportItem> items(5);
    items[0].node = &alone;
    items[1].node = &later;
    items[2].node = &earlier;  // made before the open one: no new block
    items[3].node = &later;
    items[4].node = nullptr;
    markNodeBlocks(items);
    EXPECT_EQ(items[0].flags, kFlagNodeOpen | kFlagNodeClose);
    EXPECT_EQ(items[1].flags, kFlagNodeOpen);
    EXPECT_EQ(items[2].flags, 0u);
    EXPECT_EQ(items[3].flags, kFlagNodeClose);
    EXPECT_EQ(items[4].flags, 0u);
}

}  // namespace
}  // namespace zintra::test
