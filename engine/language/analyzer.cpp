#include "engine/language/analyzer.h"

#include <cstdio>

namespace zintra {

namespace {

bool opens(const std::string& path) {
    if (path.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    std::fclose(file);
    return true;
}

}  // namespace

Analyzer::Analyzer() : data_(std::make_unique<LanguageData>()) {}

Analyzer::Analyzer(const Config& previous) : config_(previous), data_(std::make_unique<LanguageData>()) {}

Analyzer::~Analyzer() = default;

bool Analyzer::load(const std::string& configPath, Scope scope) {
    data_ = std::make_unique<LanguageData>();
    if (!readConfig(configPath, config_)) return false;
    return loadLanguageData(scope);
}

bool Analyzer::loadLanguageData(Scope scope) {
    if (!data_->load(config_)) return false;
    if (scope == Scope::Tagging) return true;
    // The phrase grammar: an empty name succeeds, a named file must open.
    return config_.grammarFile.empty() || opens(config_.grammarFile);
}

}  // namespace zintra
