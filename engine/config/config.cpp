#include "engine/config/config.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/config/config_files.h"
#include "engine/config/diagnostics.h"

namespace zintra {

namespace {

// Longest line the reader takes at once; a longer line is read in pieces.
constexpr int kLineCapacity = 10240;

void storeText(std::string& target, std::string_view value) { target.assign(trimBlanks(value)); }

void storeInt(int& target, std::string_view value) { target = parseIntLikeAtoi(value); }

// Reads a run of double-quoted strings. A string without its closing quote
// ends the scan and is not entered.
void storeList(ConfigList& list, std::string_view value, int fixedNumber) {
    size_t pos = 0;
    while (true) {
        size_t open = value.find('"', pos);
        if (open == std::string_view::npos) return;
        size_t close = value.find('"', open + 1);
        if (close == std::string_view::npos) return;
        std::string_view item = trimBlanks(value.substr(open + 1, close - open - 1));
        int number = fixedNumber > 0 ? fixedNumber : static_cast<int>(item.size());
        list.add(std::string(item), number);
        pos = close + 1;
    }
}

void setEncode(Config& c, std::string_view v) {
    storeText(c.encode, v);
    c.encodeWidth = c.encode.find('8') != std::string::npos ? 3 : 2;
}

const std::vector<ConfigKey> kKeys = {
    {"TN_SYMBOL", [](Config& c, std::string_view v) { storeText(c.tnSymbol, v); }},
    {"TN_TWO_SYMBOL", [](Config& c, std::string_view v) { storeList(c.tnTwoSymbol, v, 2); }},
    {"TN_TWO1_SYMBOL", [](Config& c, std::string_view v) { storeList(c.tnTwoSymbol, v, 1); }},
    {"SPECIAL_HEAD", [](Config& c, std::string_view v) { storeList(c.specialHead, v, 0); }},
    {"SPECIAL_TAIL", [](Config& c, std::string_view v) { storeList(c.specialTail, v, 0); }},
    {"DEL_TAIL_STRING", [](Config& c, std::string_view v) { storeList(c.delTailString, v, 0); }},
    {"DEL_TAIL_SYMBOL", [](Config& c, std::string_view v) { storeText(c.delTailSymbol, v); }},
    {"SPERATE_FLAG", [](Config& c, std::string_view v) { storeInt(c.sperateFlag, v); }},
    {"IN_WDT_WORD", [](Config& c, std::string_view v) { storeList(c.inWdtWord, v, 0); }},
    {"RB_NPL", [](Config& c, std::string_view v) { storeList(c.rbNpl, v, 0); }},
    {"ENCODE", setEncode},
    {"MYDICTIONARY_FILE", [](Config& c, std::string_view v) { storeText(c.myDictionaryFile, v); }},
    {"DICTIONARY_FILE", [](Config& c, std::string_view v) { storeText(c.dictionaryFile, v); }},
    {"LEXICALRULEFILE", [](Config& c, std::string_view v) { storeText(c.lexicalRuleFile, v); }},
    {"BIGRAMS", [](Config& c, std::string_view v) { storeText(c.bigrams, v); }},
    {"CONTEXTUALRULEFILE", [](Config& c, std::string_view v) { storeText(c.contextualRuleFile, v); }},
    {"COMPOUND_FILE", [](Config& c, std::string_view v) { storeText(c.compoundFile, v); }},
    {"GRAMMAR_FILE", [](Config& c, std::string_view v) { storeText(c.grammarFile, v); }},
    {"TEMPLATES_DIR", [](Config& c, std::string_view v) { storeText(c.templatesDir, v); }},
    {"RDQL_FILE", [](Config& c, std::string_view v) { storeText(c.rdqlFile, v); }},
    {"RDQL_TEMPLATE", [](Config& c, std::string_view v) { storeText(c.rdqlTemplate, v); }},
    {"CACHE", [](Config& c, std::string_view v) { storeInt(c.cache, v); }},
    {"PARSE", [](Config& c, std::string_view v) { storeInt(c.parse, v); }},
};

}  // namespace

void ConfigList::add(std::string value, int number) {
    if (contains(value)) return;
    entries_.emplace_back(std::move(value), number);
}

bool ConfigList::contains(std::string_view value) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == value; });
}

bool isBlankByte(unsigned char c) { return c >= 1 && c <= 32; }

std::string_view trimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlankByte(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && isBlankByte(static_cast<unsigned char>(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

int parseIntLikeAtoi(std::string_view text) {
    size_t i = 0;
    // atoi skips the C locale's white space only.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

const std::vector<ConfigKey>& configKeys() { return kKeys; }

const ConfigKey* findConfigKey(std::string_view name) {
    for (const ConfigKey& key : kKeys)
        if (name == key.name) return &key;
    return nullptr;
}

void resetPerReading(Config& config) {
    config.encode = "UTF-8";
    config.encodeWidth = 3;
    config.tnTwoSymbol.clear();
    config.specialHead.clear();
    config.specialTail.clear();
    config.delTailString.clear();
    config.inWdtWord.clear();
    config.rbNpl.clear();
}

bool splitConfigLine(std::string_view line, std::string_view& key, std::string_view& value) {
    size_t i = 0;
    while (i < line.size() && isBlankByte(static_cast<unsigned char>(line[i]))) ++i;
    if (i == line.size() || line[i] == '#') return false;
    size_t keyEnd = i;
    while (keyEnd < line.size() && static_cast<unsigned char>(line[keyEnd]) > 32) ++keyEnd;
    key = line.substr(i, keyEnd - i);
    size_t valueStart = keyEnd;
    if (valueStart < line.size()) ++valueStart;  // the byte that ended the key
    while (valueStart < line.size() && isBlankByte(static_cast<unsigned char>(line[valueStart]))) ++valueStart;
    value = line.substr(valueStart);
    return true;
}

bool applyConfigLine(Config& config, std::string_view line) {
    std::string_view key, value;
    if (!splitConfigLine(line, key, value)) return true;
    const ConfigKey* k = findConfigKey(key);
    if (!k) return false;
    k->handler(config, value);
    return true;
}

namespace {

bool isListKey(std::string_view key) {
    for (const char* name : {"TN_TWO_SYMBOL", "TN_TWO1_SYMBOL", "SPECIAL_HEAD", "SPECIAL_TAIL", "DEL_TAIL_STRING",
                             "IN_WDT_WORD", "RB_NPL"})
        if (key == name) return true;
    return false;
}

// Letters to add, remove or change to turn a into b (capped at 3).
int editDistance(std::string_view a, std::string_view b) {
    if (a.size() > b.size() + 3 || b.size() > a.size() + 3) return 3;
    std::vector<int> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (size_t j = 1; j <= b.size(); ++j) {
            int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return std::min(row[b.size()], 3);
}

void explainLine(const Diagnostics& diagnostics, const std::string& path, long lineNumber, std::string_view line) {
    std::string_view key, value;
    if (!splitConfigLine(line, key, value)) return;
    std::string where = path + ":" + std::to_string(lineNumber) + ": ";
    if (!findConfigKey(key)) {
        std::string message = where + "unknown key " + std::string(key) + " is ignored";
        if (const ConfigKey* likely = likelyConfigKey(key))
            message += std::string(" (did you mean ") + likely->name + "?)";
        diagnostics.report(message);
        return;
    }
    if (isListKey(key) && std::count(value.begin(), value.end(), '"') % 2 != 0)
        diagnostics.report(where + std::string(key) + ": the last string has no closing double quote and is left out");
}

}  // namespace

const ConfigKey* likelyConfigKey(std::string_view unknown) {
    std::string upper(unknown);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const ConfigKey* best = nullptr;
    int bestDistance = 3;
    for (const ConfigKey& key : kKeys) {
        int distance = editDistance(upper, key.name);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &key;
        }
    }
    return best;
}

bool readConfig(const std::string& path, Config& config, const Diagnostics* diagnostics) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
    if (!file) {
        if (diagnostics && diagnostics->active())
            diagnostics->report(describeUnreadable("the configuration file", path) + "; the engine is not initialised");
        return false;
    }
    resetPerReading(config);
    std::vector<char> buffer(kLineCapacity);
    long lineNumber = 1;
    bool lineStart = true;
    while (std::fgets(buffer.data(), kLineCapacity, file.get())) {
        // A zero byte inside a line ends it, as for every C string reader.
        std::string_view line(buffer.data());
        applyConfigLine(config, line);
        // A line longer than the buffer comes in pieces; only its first piece
        // holds a key.
        if (lineStart && diagnostics && diagnostics->active()) explainLine(*diagnostics, path, lineNumber, line);
        lineStart = std::strchr(buffer.data(), '\n') != nullptr;
        if (lineStart) ++lineNumber;
    }
    return true;
}

}  // namespace zintra
