// Annotated input of parse requests: word/TAG marks.
#include <gtest/gtest.h>

#include <string>

#include "../language/language_fixture.h"
#include "engine/phrase/annotations.h"

namespace zintra {
namespace {

TEST(AnnotationTest, RewritesWordTagMarksAsGroups) {
    test::LanguageFixture f({"TN_SYMBOL ,()\n"});
    const Splitter& s = f.data.splitter();
    EXPECT_EQ(rewriteAnnotations(s, "the/DT boy /NN runs"), "(DT the) (NN boy) runs");
    EXPECT_EQ(rewriteAnnotations(s, "run/VB."), "(VB run) .");
    EXPECT_EQ(rewriteAnnotations(s, "http://x /bin"), "(bin http://x)");
    EXPECT_EQ(rewriteAnnotations(s, "/NN a//b"), "/NN a//b");
    EXPECT_EQ(rewriteAnnotations(s, "( the boy )/NP runs"), "(NP the boy) runs");
    EXPECT_EQ(rewriteAnnotations(s, "(ice cream) is"), "(NN ice cream) is");
    EXPECT_EQ(rewriteAnnotations(s, "a ) b ( c"), "a ) b ( c");
    EXPECT_EQ(rewriteAnnotations(s, "(a/DT boy/NN)/NP"), "(NP (DT a) (NN boy))");
}

TEST(AnnotationTest, StripLeavesPlainTextOfTheSameLength) {
    std::string text = "(the/DT boy) /NN runs/VBZ. a//b";
    stripAnnotations(text);
    EXPECT_EQ(text, " the    boy      runs    . a//b");
}

}  // namespace
}  // namespace zintra
