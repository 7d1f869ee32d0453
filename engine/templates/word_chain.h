// The word chain of a Group filler: its text cut into words with the token
// span list, one linked node per word.
#pragma once

namespace zintra {

class Analyzer;
class TemplateFile;
struct Filler;

// At most this many words of a filler text are taken.
inline constexpr int kMaxFillerWords = 30;

// Cuts filler.text into words. A single word, or two words of which the second
// begins with ".", get no chain (the filler text itself is the expected word).
// Otherwise filler.chain is set to the first of one WordNode per word, each
// carrying the filler's kind and cited comments; the nodes are owned by file.
void buildWordChain(Filler& filler, TemplateFile& file, const Analyzer& analyzer);

}  // namespace zintra
