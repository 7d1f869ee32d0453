// The phrase-tree division of a reply: the tree of a parse request's
// sentence, and the tree of a matched sentence with its corrections.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

class Analyzer;
class PhraseGrammar;
class SentenceMatcher;

// The HTML tree of a parse request's sentence: word/TAG annotations taken
// as given tags when keepTags is set, stripped first otherwise.
void appendRequestTree(std::string& out, const Analyzer& analyzer, const PhraseGrammar* grammar,
                       std::string_view sentence, bool keepTags);

// The HTML tree of the sentence the matcher analysed: its words re-tagged,
// each word that the alignment corrects marked with its replacement, each
// word nothing is expected for marked for deletion; when no template could
// be aligned, the sentence as typed. "<div></div>\n" without a grammar.
void appendMatchTree(std::string& out, const Analyzer& analyzer, const PhraseGrammar* grammar,
                     const SentenceMatcher& matcher, std::string_view sentence);

}  // namespace zintra
