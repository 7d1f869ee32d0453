// Annotated input of parse requests: "word/TAG" marks written by a user.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

class Splitter;

// Rewrites annotations as bracket groups the tokenizer reads as fixed tokens:
// "boy/NN" and "boy /NN" become "(NN boy)", "( the boy )/NP" becomes
// "(NP the boy)" and a bracketed phrase without a tag "(NN ...)". Units are
// written back separated by single blanks.
std::string rewriteAnnotations(const Splitter& splitter, std::string_view text);

// Blanks out every annotation ("/" with the whitespace and the tag after it)
// and every round bracket, leaving plain text of the same length.
void stripAnnotations(std::string& text);

}  // namespace zintra
