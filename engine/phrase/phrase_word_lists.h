// The word lists of the phrase rules, built from the configuration: the words
// that IN_WDT_WORD names and those that RB_NPL names, each entry numbered with
// its byte length.
#pragma once

#include "engine/config/config.h"

namespace zintra {

class Arena;
class StringPool;
class StringTable;

class PhraseWordLists {
  public:
    // The tables and their strings come from arena and pool, which outlive them.
    PhraseWordLists(const Config& config, Arena& arena, StringPool& pool);

    const StringTable& inWdtWords() const { return *inWdtWords_; }
    const StringTable& rbNpl() const { return *rbNpl_; }

  private:
    StringTable* inWdtWords_;
    StringTable* rbNpl_;
};

}  // namespace zintra
