#include "engine/language/language_data.h"

#include "engine/config/config_files.h"
#include "engine/config/diagnostics.h"
#include "engine/text/image_file.h"

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

bool LanguageData::load(const Config& config, const Diagnostics* diagnostics, const std::string& configPath) {
    parsing_ = false;
    configure(config);
    // A step that failed: why, when anyone listens. The file is looked at
    // again only then, so a silent load costs nothing extra.
    auto failed = [&](const char* key, const std::string& path, const char* contentProblem) {
        if (!diagnostics || !diagnostics->active()) return false;
        const char* consequence = "the engine is not initialised";
        if (checkConfiguredPath(*diagnostics, key, path, configPath, false, consequence))
            diagnostics->report(std::string(key) + " " + path + ": " + contentProblem + "; " + consequence);
        return false;
    };
    // The main dictionary's tables are kept in an image between processes.
    if (!lexicon_.loadMain(config.dictionaryFile, imageFolder()))
        return failed("DICTIONARY_FILE", config.dictionaryFile, "could not be read");
    if (!lexicalRules_.load(config.lexicalRuleFile, bigrams_))
        return failed("LEXICALRULEFILE", config.lexicalRuleFile, "could not be read");
    if (!bigrams_.load(config.bigrams)) return failed("BIGRAMS", config.bigrams, "could not be read");
    // The user dictionary may be missing; one that is named but missing is
    // worth a word all the same.
    if (!lexicon_.loadUser(config.myDictionaryFile) && !config.myDictionaryFile.empty() && diagnostics &&
        diagnostics->active())
        checkConfiguredPath(*diagnostics, "MYDICTIONARY_FILE", config.myDictionaryFile, configPath, false,
                            "going on without the user dictionary");
    if (config.parse == 0) {
        if (diagnostics)
            diagnostics->report("PARSE is 0 in " + configPath +
                                ": the engine stops after the dictionaries and is not initialised");
        return false;
    }
    if (!compounds_.load(config.compoundFile))
        return failed("COMPOUND_FILE", config.compoundFile, "holds no compound line");
    if (!contextualRules_.load(config.contextualRuleFile))
        return failed("CONTEXTUALRULEFILE", config.contextualRuleFile, "holds no rule line");
    parsing_ = true;
    return true;
}

}  // namespace zintra
