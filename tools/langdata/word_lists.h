// Word forms and their possible Penn tags from Debian's English word lists
// and WordNet. The lists carry no tags; the tags come from WordNet's parts of
// speech and from the inflection that relates a form to a WordNet lemma
// (books -> book: NNS and VBZ; stopped -> stop: VBD and VBN; bigger -> big:
// JJR), with WordNet's exception lists for irregular forms.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace langdata {

// The open-class tags a word list can give, as bits of a mask.
enum OpenTag : std::uint32_t {
    kNN = 1u << 0,
    kNNS = 1u << 1,
    kNNP = 1u << 2,
    kNNPS = 1u << 3,
    kVB = 1u << 4,
    kVBP = 1u << 5,
    kVBZ = 1u << 6,
    kVBD = 1u << 7,
    kVBN = 1u << 8,
    kVBG = 1u << 9,
    kJJ = 1u << 10,
    kJJR = 1u << 11,
    kJJS = 1u << 12,
    kRB = 1u << 13,
    kRBR = 1u << 14,
    kRBS = 1u << 15,
};
constexpr int kOpenTagCount = 16;
const char* openTagName(int bit);
// The tags of a mask, in the fixed order of the enum.
std::vector<std::string> openTagNames(std::uint32_t mask);

struct WordListSources {
    std::vector<std::string> dictionaries;  // plain lists, one word a line
    std::string wordnetDir;                 // empty: no WordNet
};

struct WordListData {
    // Every usable form with its tag mask; a mask of 0 means the lists know
    // the word but not its part of speech.
    std::map<std::string, std::uint32_t> forms;
    int skipped = 0;  // forms left out (possessives, non-ASCII, split by the tokenizer)
};

// Reads the sources; missing files are skipped (reported in `missing`).
WordListData loadWordLists(const WordListSources& sources, std::vector<std::string>* missing);

// The part-of-speech analysis on its own, for tests: lemma sets by part of
// speech (lower case), exception forms, and the forms to tag.
struct Lemmas {
    std::map<std::string, std::uint32_t> pos;         // lemma -> kNN | kVB | kJJ | kRB
    std::map<std::string, std::uint32_t> exceptions;  // irregular form -> tags
};
std::uint32_t tagsForForm(const std::string& form, const Lemmas& lemmas,
                          const std::map<std::string, std::uint32_t>& formsSoFar);

}  // namespace langdata
