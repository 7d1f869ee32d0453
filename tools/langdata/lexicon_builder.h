// The main dictionary: every treebank word with its tags, most frequent
// first, plus the word forms of the word lists with the tags their part of
// speech and form give.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/langdata/conllu.h"
#include "tools/langdata/word_lists.h"

namespace langdata {

// The sentence as the engine's tokenizer cuts it: a multiword token whose
// surface the tokenizer does not split ("cannot", "dont", "gonna") is one
// token, tagged with the tag of its first part. Surfaces that end in one of
// the split-off endings ("don't", "I'm") stay as the treebank cuts them.
struct Word {
    std::string form;
    std::string tag;
};
std::vector<Word> engineTokens(const TreebankSentence& sentence);
// The treebank's own tokens, as the text joined by blanks is cut.
std::vector<Word> goldWords(const TreebankSentence& sentence);
bool endsWithSplitTail(const std::string& form);

struct TagCounts {
    std::map<std::string, std::map<std::string, int>> byWord;
    std::map<std::string, long> byTag;
    long tokens = 0;
};
// Counts every treebank token and, besides, every multiword surface that
// the tokenizer keeps whole (tagged with its first part's tag).
void countTags(const std::vector<TreebankSentence>& sentences, TagCounts& counts);

class Lexicon {
  public:
    void set(const std::string& word, std::vector<std::string> tags) { entries_[word] = std::move(tags); }
    const std::vector<std::string>* find(const std::string& word) const {
        auto it = entries_.find(word);
        return it == entries_.end() ? nullptr : &it->second;
    }
    bool known(const std::string& word) const { return entries_.count(word) != 0; }
    std::size_t size() const { return entries_.size(); }
    const std::unordered_map<std::string, std::vector<std::string>>& entries() const { return entries_; }

  private:
    std::unordered_map<std::string, std::vector<std::string>> entries_;
};

struct LexiconOptions {
    // Add the word lists' tags after the observed tags of treebank words.
    bool extendKnown = false;
    // ... but only for words seen fewer times than this (0: all words);
    // the tags of frequent words are well attested by the treebank itself.
    int extendBelow = 0;
    // Drop an observed tag seen at most this often when the word's top tag
    // was seen at least `noiseRatio` times as often (annotation noise).
    int noiseCount = 0;
    int noiseRatio = 20;
    // Words the lexicon has from the word lists only: their tag order comes
    // from the treebank words the lists give the same tag set. Count only
    // treebank words seen fewer than `listClassBelow` times (0: all): rare
    // words, which list-only words resemble more than frequent ones do.
    int listClassBelow = 0;
};

struct LexiconReport {
    std::size_t treebankWords = 0;
    std::size_t listWords = 0;
    std::size_t untaggedListWords = 0;
    std::size_t droppedTags = 0;
};

// Builds the lexicon. Word-list forms whose part of speech is unknown are
// returned in `untagged` (they are tagged later by the learned unknown-word
// rules) and are not entered here.
Lexicon buildLexicon(const TagCounts& counts, const WordListData& lists, const LexiconOptions& options,
                     std::vector<std::string>& untagged, LexiconReport& report);

// One line per word, "word TAG TAG ...", sorted by word.
void writeLexicon(const Lexicon& lexicon, std::ostream& out, const std::string& header);

}  // namespace langdata
