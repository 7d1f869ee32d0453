// Reading a CoNLL-U treebank: the word forms, their part-of-speech tags
// (mapped to the classic Penn set), the dependency relations that mark
// multiword expressions, and the raw text of every sentence.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace langdata {

struct TreebankToken {
    std::string form;
    std::string tag;     // Penn tag after mapping
    std::string rawTag;  // XPOS as written in the treebank
    std::string upos;    // universal part of speech
    int head = 0;        // 1-based index of the head, 0 for the root
    std::string deprel;  // relation without its subtype ("fixed", "flat", ...)
    bool spaceAfter = true;
};

// A multiword token of the text ("don't", "cannot") and the range of syntactic
// words it stands for (1-based, inclusive).
struct SurfaceToken {
    std::string form;
    int first = 0;
    int last = 0;
};

struct TreebankSentence {
    std::string id;
    std::string document;  // newdoc id in force, used to split by document
    std::string text;
    std::vector<TreebankToken> tokens;
    std::vector<SurfaceToken> surfaces;
};

// Reads every sentence. Comment lines give the text and ids; lines whose ID
// holds "-" are surface tokens, lines whose ID holds "." (empty nodes) are
// skipped. Malformed lines (fewer than ten columns) are skipped and counted.
std::vector<TreebankSentence> readConllu(std::istream& in, int* malformedLines = nullptr);
std::vector<TreebankSentence> readConlluFile(const std::string& path, int* malformedLines = nullptr);

}  // namespace langdata
