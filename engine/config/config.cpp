#include "engine/config/config.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>

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

void applyConfigLine(Config& config, std::string_view line) {
    size_t i = 0;
    while (i < line.size() && isBlankByte(static_cast<unsigned char>(line[i]))) ++i;
    if (i == line.size() || line[i] == '#') return;
    size_t keyEnd = i;
    while (keyEnd < line.size() && static_cast<unsigned char>(line[keyEnd]) > 32) ++keyEnd;
    std::string_view key = line.substr(i, keyEnd - i);
    size_t valueStart = keyEnd;
    if (valueStart < line.size()) ++valueStart;  // the byte that ended the key
    while (valueStart < line.size() && isBlankByte(static_cast<unsigned char>(line[valueStart]))) ++valueStart;
    if (const ConfigKey* k = findConfigKey(key)) k->handler(config, line.substr(valueStart));
}

bool readConfig(const std::string& path, Config& config) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
    if (!file) return false;
    resetPerReading(config);
    std::vector<char> buffer(kLineCapacity);
    while (std::fgets(buffer.data(), kLineCapacity, file.get())) {
        // A zero byte inside a line ends it, as for every C string reader.
        applyConfigLine(config, std::string_view(buffer.data()));
    }
    return true;
}

}  // namespace zintra
