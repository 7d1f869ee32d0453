// The analyser: configuration values and the language data built from the
// files the configuration names.
#pragma once

#include <memory>
#include <string>

#include "engine/config/config.h"
#include "engine/config/diagnostics.h"
#include "engine/language/language_data.h"

namespace zintra {

class Analyzer {
  public:
    // What load() reads beyond the configuration.
    enum class Scope {
        Full,     // the language data set and the phrase grammar
        Tagging,  // the language data set only (enough to tag sentences)
    };

    Analyzer();
    // Starts from the values of an earlier reading: scalar keys that the next
    // file does not set keep them, lists and the encoding start afresh.
    explicit Analyzer(const Config& previous);
    ~Analyzer();
    Analyzer(const Analyzer&) = delete;
    Analyzer& operator=(const Analyzer&) = delete;

    // Reads the configuration file and loads the language data in the fixed
    // order. Returns the initialisation result: true only when every required
    // file loaded and PARSE is not 0.
    bool load(const std::string& configPath, Scope scope = Scope::Full);
    // The two halves of load(), for a caller that does other work (such as
    // building the phrase grammar, which reads only the configuration)
    // while the language data loads: the configuration first, then the
    // data. loadData() is called only after readConfiguration() succeeded.
    bool readConfiguration(const std::string& configPath);
    bool loadData(Scope scope = Scope::Full) { return loadLanguageData(scope); }

    const Config& config() const { return config_; }

    // Where the explanations of this analyser's loading and of the work done
    // with it go (the engine instance's diagnostics; silent by default).
    void setDiagnostics(std::shared_ptr<const Diagnostics> diagnostics);
    const Diagnostics& diagnostics() const { return *diagnostics_; }

    // The loaded language data (empty tables before a load).
    const LanguageData& data() const { return *data_; }
    const Lexicon& lexicon() const { return data_->lexicon(); }
    const Splitter& splitter() const { return data_->splitter(); }

  private:
    bool loadLanguageData(Scope scope);
    void reportUnusablePaths() const;

    Config config_;
    std::string configPath_;
    std::unique_ptr<LanguageData> data_;
    std::shared_ptr<const Diagnostics> diagnostics_;
};

}  // namespace zintra
