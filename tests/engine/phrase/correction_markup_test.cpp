// The correction markup of a word for the phrase-tree printer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/phrase/correction_markup.h"

namespace zintra {
namespace {

// A chain of annotations in sentence order.
std::vector<CorrectionAnnotation> chain(std::initializer_list<std::string_view> texts) {
    std::vector<CorrectionAnnotation> out(texts.size());
    size_t i = 0;
    for (std::string_view text : texts) out[i++].text = text;
    for (size_t k = 0; k < out.size(); ++k) {
        if (k > 0) out[k].prev = &out[k - 1];
        if (k + 1 < out.size()) out[k].next = &out[k + 1];
    }
    return out;
}

TEST(CorrectionMarkup, StrikesWordsToDeleteAndShowsTheReplacement) {
    auto a = chain({"the", "went", "", "boy"});
    std::string out;
    appendCorrectedWord(out, "goed", &a[1]);
    EXPECT_EQ(out, "<STRIKE>the</STRIKE><P><B>goed</B><FONT>went</FONT></P>");
    out.clear();
    // The struck word is not struck again; an empty annotation is struck empty.
    appendCorrectedWord(out, "boy", &a[3]);
    EXPECT_EQ(out, "<STRIKE></STRIKE><P><B>boy</B></P>");
    EXPECT_TRUE(a[0].used && a[1].used && a[2].used && a[3].used);
}

TEST(CorrectionMarkup, WordWithoutAnnotationAndEscaping) {
    std::string out;
    appendCorrectedWord(out, "R&D<", nullptr);
    EXPECT_EQ(out, "<P><B>R&amp;D&lt;</B></P>");
    auto a = chain({"&"});
    out.clear();
    appendCorrectedWord(out, "and", &a[0]);
    EXPECT_EQ(out, "<P><B>and</B><FONT>&amp;</FONT></P>");
    auto empty = chain({""});
    out.clear();
    appendCorrectedWord(out, "very", &empty[0]);
    EXPECT_EQ(out, "<P><B>very</B><FONT></FONT></P>");
}

TEST(CorrectionMarkup, AnAnnotationUsedAgainStrikesWhatFollows) {
    auto a = chain({"is", "this", "extra"});
    std::string out;
    appendCorrectedWord(out, "is", &a[0]);
    EXPECT_EQ(out, "<P><B>is</B></P>");
    out.clear();
    // A second token pointing at the same annotation: its followers are
    // struck, except those used already.
    a[1].used = true;
    appendCorrectedWord(out, "it", &a[0]);
    EXPECT_EQ(out, "<P><B>it</B><FONT>is</FONT></P><STRIKE>extra</STRIKE>");
    EXPECT_TRUE(a[2].used);
}

}  // namespace
}  // namespace zintra
