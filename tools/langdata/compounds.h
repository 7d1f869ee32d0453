// The compound list: multiword expressions that the engine merges into one
// token. They come from the treebank's marked expressions (words joined by
// the "fixed" relation, and names joined by "flat") and from a short list of
// everyday expressions a beginners' course meets.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tools/langdata/conllu.h"

namespace langdata {

struct Compound {
    std::vector<std::string> words;
    std::string tag;
    int count = 0;  // occurrences marked in the treebank (0 for listed ones)
};

struct CompoundOptions {
    int minFixed = 2;  // marked "fixed" expressions seen at least this often
    int minFlat = 3;   // names joined by "flat" seen at least this often
    bool builtIn = true;
};

// Extracts the marked expressions of the treebank, adds the built-in list,
// and returns them sorted by their words.
std::vector<Compound> extractCompounds(const std::vector<TreebankSentence>& sentences, const CompoundOptions& options);

// The expressions every installation gets, whatever the treebank says.
const std::vector<Compound>& builtInCompounds();

void writeCompounds(const std::vector<Compound>& compounds, std::ostream& out, const std::string& header);

// Longest-match merging the way the engine does it: a word matches a node of
// the list when it equals the node's word, or when its first letter is an
// upper-case ASCII letter and the word with that letter lowered equals it.
class CompoundMatcher {
  public:
    explicit CompoundMatcher(const std::vector<Compound>& compounds);
    // Length (>= 2) and tag of the longest tagged compound that starts at
    // words[start], or 0 when none does.
    // `listed` (may be null) receives the compound's words as listed.
    std::size_t match(const std::vector<std::string>& words, std::size_t start, std::string* tag,
                      std::vector<std::string>* listed = nullptr) const;

  private:
    struct Node {
        std::string tag;
        std::map<std::string, std::unique_ptr<Node>> children;
    };
    Node root_;
};

}  // namespace langdata
