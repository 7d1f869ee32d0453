// The correction markup that the phrase-tree printer puts around a word: the
// words to delete before it struck through, the replacement after it.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

// One correction annotation. The annotations of a sentence form one chain in
// sentence order; a token's annotations link points at its own annotation,
// and annotations that no token owns stand for words to delete.
struct CorrectionAnnotation {
    std::string_view text;  // the replacement; may be empty
    bool used = false;
    CorrectionAnnotation* prev = nullptr;
    CorrectionAnnotation* next = nullptr;
};

// Appends the markup of one word with its own annotation (null for none):
// every unused annotation before it as "<STRIKE>text</STRIKE>", then
// "<P><B>word</B>", the replacement as "<FONT>text</FONT>" unless it equals
// the word, and "</P>"; when the own annotation had been used already, the
// unused annotations after it follow struck through. Annotations written are
// marked used.
void appendCorrectedWord(std::string& out, std::string_view word, CorrectionAnnotation* own);

}  // namespace zintra
