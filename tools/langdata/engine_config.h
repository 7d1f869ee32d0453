// The engine configuration written with the language data: the tokenizer's
// symbol lists for English, chosen so that ordinary text is cut the way the
// treebank cuts it, and the names of the data files.
#pragma once

#include <string>

namespace langdata {

// The file names the installation uses.
struct DataFileNames {
    std::string lexicon = "lexicon.txt";
    std::string lexicalRules = "lexical_rules.txt";
    std::string bigrams = "bigrams.txt";
    std::string compounds = "compounds.txt";
    std::string contextualRules = "contextual_rules.txt";
};

// The keys this tool sets, as configuration lines.
std::string managedConfigLines(const DataFileNames& names);

// Writes the configuration: the tool's keys, plus every other line of an
// existing file at `path` kept as it was (other keys, such as the templates
// folder or a grammar file, belong to the installation). Without an existing
// file, the installation's other defaults are written as well.
bool writeEngineConfig(const std::string& path, const DataFileNames& names);

}  // namespace langdata
