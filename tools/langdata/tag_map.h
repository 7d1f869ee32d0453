// Mapping of the treebank's own extra tags to the classic Penn Treebank set.
//
//   HYPH  (a hyphen between the parts of a split word)   -> ":"
//   NFP   (non-final punctuation: "***", "|", emoticons)  -> ":"
//   ADD   (an e-mail or web address)                      -> "NNP"
//   GW    (a piece of a word split in the text, "goes with" another piece)
//         -> the tag of the piece it goes with (its head); when that head
//            is itself a GW piece, the Penn tag nearest to the piece's own
//            universal part of speech (PROPN -> NNP, NOUN -> NN, X -> FW, ...)
//   XX    (a word the annotators could not classify: typos, foreign bits)
//         -> "FW"
//   AFX   (a separated affix: "pre", "anti", "non")       -> "JJ"
//
// Every other tag (the 45 Penn tags, including -LRB-, -RRB-, ``, '') passes
// through unchanged.
#pragma once

#include <string>
#include <vector>

namespace langdata {

// Maps one tag. GW cannot be resolved without its head, so it maps to "GW";
// resolveGoesWith() finishes the job for a sentence.
std::string mapTag(const std::string& xpos);

struct TreebankSentence;
// Replaces the "GW" tags of a sentence (already mapped) by the tag of the
// piece each goes with.
void resolveGoesWith(TreebankSentence& sentence);

// Puts back the treebank's own tag where it is one of `kept` (such as
// "HYPH", "NFP"), undoing the mapping for those tags.
void keepTreebankTags(std::vector<TreebankSentence>& sentences, const std::vector<std::string>& kept);

// The mapping as text, for --help.
const char* tagMappingText();

}  // namespace langdata
