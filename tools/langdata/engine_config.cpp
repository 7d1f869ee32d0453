#include "tools/langdata/engine_config.h"

#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace langdata {
namespace {

const char* const kManagedKeys[] = {"ENCODE",          "TN_SYMBOL",         "TN_TWO_SYMBOL",   "TN_TWO1_SYMBOL",
                                    "SPECIAL_HEAD",    "SPECIAL_TAIL",      "SPERATE_FLAG",    "DEL_TAIL_STRING",
                                    "DEL_TAIL_SYMBOL", "DICTIONARY_FILE",   "LEXICALRULEFILE", "BIGRAMS",
                                    "COMPOUND_FILE",   "CONTEXTUALRULEFILE"};

const char* const kBeginMark = "# --- language data (written by langdata) ---";
const char* const kEndMark = "# --- end of language data ---";

std::string quoted(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "\"" : " \"") + s + "\"";
    return out;
}

std::string keyOf(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= 32) ++i;
    std::size_t j = i;
    while (j < line.size() && static_cast<unsigned char>(line[j]) > 32) ++j;
    return line.substr(i, j - i);
}

}  // namespace

std::string managedConfigLines(const DataFileNames& names) {
    // A hyphen or slash right before a letter is a token of its own
    // ("well-known", "and/or"), but stays inside numbers and dates
    // ("10-20", "11/28/2000"): the pairs are one-character separators.
    std::vector<std::string> beforeLetter;
    for (char c = 'a'; c <= 'z'; ++c) {
        beforeLetter.push_back(std::string("-") + c);
        beforeLetter.push_back(std::string("-") + static_cast<char>(c - 'a' + 'A'));
        beforeLetter.push_back(std::string("/") + c);
        beforeLetter.push_back(std::string("/") + static_cast<char>(c - 'a' + 'A'));
    }
    std::ostringstream out;
    out << kBeginMark << "\n"
        << "# Tokens: punctuation is cut off words the way the English Web Treebank\n"
        << "# cuts it; contractions lose their ending as a token of its own.\n"
        << "ENCODE UTF-8\n"
        << "TN_SYMBOL ,;:!?\"()[]{}$%*|\n"
        << "TN_TWO_SYMBOL \"--\"\n"
        << "TN_TWO1_SYMBOL " << quoted(beforeLetter) << "\n"
        << "SPECIAL_TAIL "
        << quoted({"n't", "N'T", "'s", "'S", "'re", "'RE", "'ve", "'VE", "'ll", "'LL", "'d", "'D", "'m", "'M"}) << "\n"
        << "SPERATE_FLAG 1\n"
        << "DEL_TAIL_STRING " << quoted({"...", "?!", "!!", "??", "!?"}) << "\n"
        << "DEL_TAIL_SYMBOL .?!\n"
        << "# Language data learned from the treebank and the word lists.\n"
        << "DICTIONARY_FILE " << names.lexicon << "\n"
        << "LEXICALRULEFILE " << names.lexicalRules << "\n"
        << "BIGRAMS " << names.bigrams << "\n"
        << "COMPOUND_FILE " << names.compounds << "\n"
        << "CONTEXTUALRULEFILE " << names.contextualRules << "\n"
        << kEndMark << "\n";
    return out.str();
}

bool writeEngineConfig(const std::string& path, const DataFileNames& names) {
    std::vector<std::string> kept;
    std::size_t blockAt = std::string::npos;  // where the file's own block stood
    bool existed = false;
    {
        std::ifstream in(path);
        existed = static_cast<bool>(in);
        std::set<std::string> managed(std::begin(kManagedKeys), std::end(kManagedKeys));
        std::string line;
        bool inBlock = false;
        while (existed && std::getline(in, line)) {
            if (line == kBeginMark && blockAt == std::string::npos) blockAt = kept.size();
            if (line == kBeginMark) inBlock = true;
            const bool drop = inBlock || managed.count(keyOf(line)) != 0;
            if (line == kEndMark) inBlock = false;
            if (!drop) kept.push_back(line);
        }
    }
    std::ofstream out(path);
    if (!out) return false;
    if (!existed) {
        kept = {"# The engine's default installation. File names are relative to the folder",
                "# the engine runs in (the installation folder).", "TEMPLATES_DIR templates", "CACHE 1", "PARSE 1"};
    }
    // The tool's block goes where the file had it, or else after the file's
    // leading comment lines (a comment after the block belongs to the keys
    // that follow it and stays there).
    std::size_t at = 0;
    if (blockAt != std::string::npos)
        at = blockAt;
    else
        while (at < kept.size() && (kept[at].empty() || kept[at][0] == '#')) ++at;
    for (std::size_t i = 0; i < at; ++i) out << kept[i] << "\n";
    out << managedConfigLines(names);
    for (std::size_t i = at; i < kept.size(); ++i) out << kept[i] << "\n";
    return static_cast<bool>(out);
}

}  // namespace langdata
