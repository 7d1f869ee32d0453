// The engine configuration file: one "KEY value" per line.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zintra {

class Diagnostics;

// One configured list: strings in the order first given, each with its number.
// A string given again keeps its first entry.
class ConfigList {
  public:
    void add(std::string value, int number);
    const std::vector<std::pair<std::string, int>>& entries() const { return entries_; }
    bool contains(std::string_view value) const;
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

  private:
    std::vector<std::pair<std::string, int>> entries_;
};

// Every value the configuration file can set, with its default.
struct Config {
    // Tokenizer symbol lists.
    std::string tnSymbol;
    ConfigList tnTwoSymbol;  // TN_TWO_SYMBOL (number 2) and TN_TWO1_SYMBOL (number 1) share it
    ConfigList specialHead;
    ConfigList specialTail;
    ConfigList delTailString;
    std::string delTailSymbol;
    int sperateFlag = 1;
    // Phrase-rule word lists.
    ConfigList inWdtWord;
    ConfigList rbNpl;
    // Text encoding and its character width in bytes.
    std::string encode = "UTF-8";
    int encodeWidth = 3;
    // Resource files; empty when not configured.
    std::string myDictionaryFile;
    std::string dictionaryFile;
    std::string lexicalRuleFile;
    std::string bigrams;
    std::string contextualRuleFile;
    std::string compoundFile;
    std::string grammarFile;
    std::string templatesDir;
    std::string rdqlFile;
    std::string rdqlTemplate;
    // Switches.
    int cache = 1;
    int parse = 1;
};

// One row of the key table: the key and the handler that stores its value.
struct ConfigKey {
    const char* name;
    void (*handler)(Config&, std::string_view value);
};

// The 23 keys in table order.
const std::vector<ConfigKey>& configKeys();

// Looks a key up by exact, case-sensitive name; null when unknown.
const ConfigKey* findConfigKey(std::string_view name);

// Resets the values that every reading starts from afresh: the encoding and
// the symbol lists. The other defaults belong to a newly made Config.
void resetPerReading(Config& config);

// What a line of the file says: false for a comment line; otherwise the key
// and the value that follows it (line end included).
bool splitConfigLine(std::string_view line, std::string_view& key, std::string_view& value);

// Applies one line of the file to config (comment and unknown-key lines do
// nothing). False only for a line whose key is not in the table.
bool applyConfigLine(Config& config, std::string_view line);

// Reads the file into config. False when it cannot be opened. With
// diagnostics, explains a file that cannot be opened, each line whose key is
// unknown (with the key it probably means) and each list string without its
// closing quote; what is stored is the same either way.
bool readConfig(const std::string& path, Config& config, const Diagnostics* diagnostics = nullptr);

// The known key that an unknown one most probably means (a different case or
// one or two letters off), or null.
const ConfigKey* likelyConfigKey(std::string_view unknown);

// Value helpers shared with the other data-file readers.
bool isBlankByte(unsigned char c);  // bytes 1 to 32
std::string_view trimBlanks(std::string_view text);
int parseIntLikeAtoi(std::string_view text);

}  // namespace zintra
