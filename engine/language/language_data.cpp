#include "engine/language/language_data.h"

namespace zintra {

LanguageData::LanguageData()
    : pool_(arena_),
      lexicon_(arena_, pool_),
      bigrams_(arena_, pool_),
      lexicalRules_(arena_, pool_),
      compounds_(arena_, pool_),
      contextualRules_(arena_, pool_, lexicon_),
      period_(pool_.intern(".")) {}

void LanguageData::configure(const Config& config) { splitter_.configure(config, arena_, pool_, &lexicon_); }

bool LanguageData::load(const Config& config) {
    parsing_ = false;
    configure(config);
    if (!lexicon_.loadMain(config.dictionaryFile)) return false;
    if (!lexicalRules_.load(config.lexicalRuleFile, bigrams_)) return false;
    if (!bigrams_.load(config.bigrams)) return false;
    lexicon_.loadUser(config.myDictionaryFile);  // the user dictionary may be missing
    if (config.parse == 0) return false;
    if (!compounds_.load(config.compoundFile)) return false;
    if (!contextualRules_.load(config.contextualRuleFile)) return false;
    parsing_ = true;
    return true;
}

}  // namespace zintra
