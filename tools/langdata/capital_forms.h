// Which capitalised forms of lower-case words are names first. A
// capitalised word the dictionary has only through its lower-case form is,
// in running text, often a name ("Adobe", "Holocaust") and at the start of
// a sentence mostly the lower-case word. Which of the two wins depends on
// what the lower-case word is: the share is learned from train's own
// capitalised words that the other folds never saw, grouped by the
// lower-case word's first tag and by whether train has the lower-case word
// (or only the word lists do).
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/langdata/conllu.h"
#include "tools/langdata/lexicon_builder.h"

namespace langdata {

struct CapitalClass {
    std::string lowerTop;  // the lower-case word's first tag
    bool lowerInTrain = false;
    bool operator<(const CapitalClass& o) const {
        return lowerTop != o.lowerTop ? lowerTop < o.lowerTop : lowerInTrain < o.lowerInTrain;
    }
};

struct CapitalCounts {
    long names = 0;     // tagged NNP or NNPS
    long lowerTag = 0;  // tagged with the lower-case word's first tag
    long other = 0;
};

// Counts, for every train token written with one capital then lower-case
// letters whose form no other fold has and whose lower-case form the
// lexicon knows, what it was tagged. `fold` gives each sentence's fold.
std::map<CapitalClass, CapitalCounts> countCapitalisedForms(const std::vector<TreebankSentence>& train,
                                                            const std::vector<int>& fold, const Lexicon& lexicon);

// The classes whose capitalised forms are names more often than they are
// the lower-case word's first tag, each with at least `minTokens` tokens.
std::set<CapitalClass> nameFirstClasses(const std::map<CapitalClass, CapitalCounts>& counts, long minTokens);

// Adds the capitalised form of every lower-case entry that has none: the
// lower-case word's tags and NNP, NNP first when `nameFirst` says so for
// the lower-case word and its tags, last otherwise. Returns the number added.
using NameFirst = std::function<bool(const std::string& lower, const std::vector<std::string>& tags)>;
std::size_t addCapitalisedForms(Lexicon& lexicon, const NameFirst& nameFirst = {});

}  // namespace langdata
