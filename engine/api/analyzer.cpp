#include "engine/api/analyzer.h"

#include <fstream>

namespace zintra {

namespace {

bool opens(const std::string& path) {
    if (path.empty()) return false;
    std::ifstream in(path);
    return static_cast<bool>(in);
}

// True when the file opens and has a line that is not empty (after leading
// blanks) and does not start with the comment mark.
bool hasDataLine(const std::string& path, std::string_view commentMark) {
    if (path.empty()) return false;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::string_view view = trimBlanks(line);
        if (!view.empty() && view.substr(0, commentMark.size()) != commentMark) return true;
    }
    return false;
}

}  // namespace

bool Analyzer::load(const std::string& configPath) {
    if (!readConfig(configPath, config_)) return false;
    return loadLanguageData();
}

bool Analyzer::loadLanguageData() {
    if (!opens(config_.dictionaryFile) || !opens(config_.lexicalRuleFile) || !opens(config_.bigrams))
        return false;
    if (config_.parse == 0) return false;
    if (!hasDataLine(config_.compoundFile, "#")) return false;
    if (!hasDataLine(config_.contextualRuleFile, "#")) return false;
    return config_.grammarFile.empty() || opens(config_.grammarFile);
}

}  // namespace zintra
