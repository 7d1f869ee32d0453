// The learner's sentence as a row of items for the alignment, with the
// checks of capital letters, unknown words and spelling against the template
// file's vocabulary.
#pragma once

#include <string_view>

namespace zintra {

class Analyzer;
class Vocabulary;
struct MatchWorkspace;

// Fills workspace.words and workspace.wordIds: the start sentinel, one item
// per word span (at most 30), the separated final ending when there is one,
// the end sentinel.
void prepareSentence(std::string_view sentence, const Analyzer& analyzer, const Vocabulary& vocabulary,
                     MatchWorkspace& workspace);

}  // namespace zintra
