#include "engine/phrase/phrase_word_lists.h"

#include "engine/text/splitter.h"
#include "engine/text/string_table.h"

namespace zintra {

PhraseWordLists::PhraseWordLists(const Config& config, Arena& arena, StringPool& pool)
    : inWdtWords_(makeListTable(config.inWdtWord, StringTable::kDefaultBuckets, arena, pool)),
      rbNpl_(makeListTable(config.rbNpl, StringTable::kDefaultBuckets, arena, pool)) {}

}  // namespace zintra
