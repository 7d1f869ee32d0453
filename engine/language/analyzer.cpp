#include "engine/language/analyzer.h"

#include <cstdio>

#include "engine/config/config_files.h"
#include "engine/text/converter.h"

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

Analyzer::Analyzer() : data_(std::make_unique<LanguageData>()), diagnostics_(std::make_shared<Diagnostics>()) {}

Analyzer::Analyzer(const Config& previous)
    : config_(previous), data_(std::make_unique<LanguageData>()), diagnostics_(std::make_shared<Diagnostics>()) {}

Analyzer::~Analyzer() = default;

void Analyzer::setDiagnostics(std::shared_ptr<const Diagnostics> diagnostics) {
    diagnostics_ = diagnostics ? std::move(diagnostics) : std::make_shared<Diagnostics>();
}

bool Analyzer::load(const std::string& configPath, Scope scope) {
    return readConfiguration(configPath) && loadLanguageData(scope);
}

bool Analyzer::readConfiguration(const std::string& configPath) {
    data_ = std::make_unique<LanguageData>();
    configPath_ = configPath;
    if (!readConfig(configPath, config_, diagnostics_.get())) return false;
    if (diagnostics_->active() && !Converter(config_.encode).isOpen())
        diagnostics_->report(configPath + ": ENCODE " + config_.encode +
                             " is not an encoding name this system knows: template texts cannot be converted, so no "
                             "template will match");
    return true;
}

bool Analyzer::loadLanguageData(Scope scope) {
    if (!data_->load(config_, diagnostics_.get(), configPath_)) return false;
    if (scope == Scope::Tagging) return true;
    // The phrase grammar: an empty name succeeds, a named file must open.
    if (config_.grammarFile.empty() || opens(config_.grammarFile)) {
        if (diagnostics_->active()) reportUnusablePaths();
        return true;
    }
    if (diagnostics_->active())
        checkConfiguredPath(*diagnostics_, "GRAMMAR_FILE", config_.grammarFile, configPath_, false,
                            "the engine is not initialised");
    return false;
}

void Analyzer::reportUnusablePaths() const {
    // Named here but read later, or only by some requests: a wrong name shows
    // only as a fixed reply then, so it is pointed out at once.
    if (!config_.templatesDir.empty())
        checkConfiguredPath(*diagnostics_, "TEMPLATES_DIR", config_.templatesDir, configPath_, true,
                            "every request that names a template will fail");
    if (!config_.rdqlFile.empty())
        checkConfiguredPath(*diagnostics_, "RDQL_FILE", config_.rdqlFile, configPath_, false,
                            "questions will get \"Can't understand!\"");
    if (!config_.rdqlTemplate.empty())
        checkConfiguredPath(*diagnostics_, "RDQL_TEMPLATE", config_.rdqlTemplate, configPath_, false,
                            "questions will get \"Can't understand!\"");
}

}  // namespace zintra
