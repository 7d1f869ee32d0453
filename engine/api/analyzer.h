// The analyser: configuration values and the language data built from the
// files the configuration names.
#pragma once

#include <string>

#include "engine/config/config.h"

namespace zintra {

class Analyzer {
public:
    Analyzer() = default;
    // Starts from the values of an earlier reading: scalar keys that the next
    // file does not set keep them, lists and the encoding start afresh.
    explicit Analyzer(const Config& previous) : config_(previous) {}

    // Reads the configuration file and loads the language data in the fixed
    // order. Returns the initialisation result: true only when every required
    // file loaded and PARSE is not 0.
    bool load(const std::string& configPath);

    const Config& config() const { return config_; }

private:
    bool loadLanguageData();

    Config config_;
};

}  // namespace zintra
