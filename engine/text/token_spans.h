// The first spans (tokens) of a text as the splitter cuts them, at most 30.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

class Splitter;

class TokenSpans {
  public:
    static constexpr int kMaxSpans = 30;

    // Cuts text from its start until it is used up or 30 spans are taken.
    TokenSpans(const Splitter& splitter, std::string_view text);

    int count() const { return count_; }
    // The bytes of span i as they stand in the text.
    std::string_view span(int i) const;
    // A copy of span i. A span that begins with a double quote is normalised:
    // whitespace runs become one blank (a run right after a double quote is
    // dropped), trailing blanks and double quotes are dropped and one closing
    // double quote is put back.
    std::string copy(int i) const;

    // The normalisation of copy() on any text that begins with a double quote.
    static std::string normaliseQuoted(std::string_view text);

  private:
    std::string text_;  // zero-terminated copy the spans point into
    int count_ = 0;
    size_t start_[kMaxSpans];
    size_t length_[kMaxSpans];
};

}  // namespace zintra
