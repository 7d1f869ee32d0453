// langdata: builds the engine's language data (dictionary, unknown-word
// rules, bigrams, compounds, contextual rules and the tokenizer settings of
// zintra.ini) from a CoNLL-U treebank and English word lists.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "tools/langdata/engine_check.h"
#include "tools/langdata/pipeline.h"
#include "tools/langdata/tag_map.h"

namespace {

void usage(std::ostream& out) {
    out << "usage: langdata --train FILE [--dev FILE] [--out DIR] [options]\n"
           "  --train FILE        CoNLL-U training treebank (FORM and XPOS columns)\n"
           "  --dev FILE          CoNLL-U development treebank, only measured\n"
           "  --out DIR           write the data files and zintra.ini there\n"
           "  --no-config         do not write zintra.ini\n"
           "  --dict FILE         a word list, one word a line (repeatable)\n"
           "  --wordnet DIR       WordNet database folder (data.*, *.exc)\n"
           "  --folds N           folds for learning the unknown-word rules (4)\n"
           "  --contextual-folds N  tag the contextual learner's text with the\n"
           "                      dictionary of the other N-1 folds (4; 0: whole)\n"
           "  --keep-tag TAG       learn the treebank tag TAG as written, unmapped\n"
           "                      (repeatable; e.g. HYPH, NFP)\n"
           "  --model-corpus      tag the contextual learner's text with the learner's\n"
           "                      own model of the engine instead of the engine\n"
           "  --lexical-min N     smallest net gain of an unknown-word rule (2)\n"
           "  --contextual-min N  smallest net gain of a contextual rule (2)\n"
           "  --max-lexical N     at most N unknown-word rules (1000)\n"
           "  --max-contextual N  at most N contextual rules (2000)\n"
           "  --no-from-rules     learn no f- forms of unknown-word rules\n"
           "  --extend-known      add the word lists' tags to treebank words too\n"
           "  --extend-below N    ... only for words seen fewer than N times\n"
           "  --noise N           drop a word's tag seen at most N times when its\n"
           "                      top tag was seen 20 times as often (0: keep all)\n"
           "  --list-class-below N  order the tags of list-only words by treebank words\n"
           "                      seen fewer than N times with the same list tags (0: all)\n"
           "  --no-capitalised    add no capitalised forms of lower-case words\n"
           "  --capital-names N   NNP first in capitalised forms of the kinds of\n"
           "                      lower-case words whose unseen capitalised forms are\n"
           "                      mostly names in train (kinds of >= N tokens; 0: off)\n"
           "  --no-compounds      neither write nor use compounds\n"
           "  --fixed-min N       treebank 'fixed' expressions seen N times (2)\n"
           "  --flat-min N        treebank 'flat' names seen N times (3)\n"
           "  --check             after writing, tag dev with the engine from the\n"
           "                      written zintra.ini and compare\n"
           "  --check-counts      recount the contextual learner's counts after every\n"
           "                      rule and report differences (slow)\n"
           "  --extra-contextual FILE  hand-written contextual rules appended after\n"
           "                      the learned ones (repeatable)\n"
           "  --verbose           progress on standard error\n\n"
        << langdata::tagMappingText();
}

bool intArg(int argc, char** argv, int& i, const char* name, int& value) {
    if (std::strcmp(argv[i], name) != 0 || i + 1 >= argc) return false;
    value = std::atoi(argv[++i]);
    return true;
}

bool longArg(int argc, char** argv, int& i, const char* name, long& value) {
    if (std::strcmp(argv[i], name) != 0 || i + 1 >= argc) return false;
    value = std::atol(argv[++i]);
    return true;
}

bool strArg(int argc, char** argv, int& i, const char* name, std::string& value) {
    if (std::strcmp(argv[i], name) != 0 || i + 1 >= argc) return false;
    value = argv[++i];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    langdata::Settings s;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        std::string dict;
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(std::cout);
            return 0;
        }
        if (strArg(argc, argv, i, "--train", s.train) || strArg(argc, argv, i, "--dev", s.dev) ||
            strArg(argc, argv, i, "--out", s.outDir) || strArg(argc, argv, i, "--wordnet", s.wordLists.wordnetDir) ||
            intArg(argc, argv, i, "--folds", s.folds) ||
            intArg(argc, argv, i, "--contextual-folds", s.contextualFolds) ||
            intArg(argc, argv, i, "--lexical-min", s.lexical.minScore) ||
            intArg(argc, argv, i, "--contextual-min", s.contextual.minScore) ||
            intArg(argc, argv, i, "--max-lexical", s.lexical.maxRules) ||
            intArg(argc, argv, i, "--max-contextual", s.contextual.maxRules) ||
            intArg(argc, argv, i, "--noise", s.lexicon.noiseCount) ||
            intArg(argc, argv, i, "--extend-below", s.lexicon.extendBelow) ||
            intArg(argc, argv, i, "--list-class-below", s.lexicon.listClassBelow) ||
            longArg(argc, argv, i, "--capital-names", s.capitalNameMin) ||
            intArg(argc, argv, i, "--fixed-min", s.compounds.minFixed) ||
            intArg(argc, argv, i, "--flat-min", s.compounds.minFlat))
            continue;
        if (strArg(argc, argv, i, "--dict", dict)) {
            s.wordLists.dictionaries.push_back(dict);
        } else if (strArg(argc, argv, i, "--keep-tag", dict)) {
            s.keptTags.push_back(dict);
        } else if (strArg(argc, argv, i, "--extra-contextual", dict)) {
            s.extraContextual.push_back(dict);
        } else if (a == "--no-config") {
            s.writeConfig = false;
        } else if (a == "--model-corpus") {
            s.engineCorpus = false;
        } else if (a == "--no-from-rules") {
            s.lexical.fromRules = false;
        } else if (a == "--extend-known") {
            s.lexicon.extendKnown = true;
        } else if (a == "--no-capitalised") {
            s.capitalised = false;
        } else if (a == "--no-compounds") {
            s.useCompounds = false;
        } else if (a == "--check-counts") {
            s.contextual.checkCounts = true;
        } else if (a == "--check") {
            check = true;
        } else if (a == "--verbose") {
            s.contextual.verbose = true;
        } else {
            std::cerr << "langdata: unknown or incomplete option " << a << "\n";
            usage(std::cerr);
            return 2;
        }
    }
    if (s.train.empty()) {
        usage(std::cerr);
        return 2;
    }
    try {
        langdata::Report report;
        const langdata::LanguageData data = langdata::buildLanguageData(s, report);
        if (!s.outDir.empty()) langdata::writeLanguageData(data, s);
        langdata::printReport(report, std::cout);
        if (check && !s.outDir.empty() && !s.dev.empty()) {
            const auto dev = langdata::readConlluFile(s.dev);
            const std::string config = s.outDir + "/zintra.ini";
            langdata::printEngineCheck(langdata::checkWithEngine(config, dev, false, report.devPredicted),
                                       "treebank tokens", std::cout);
            langdata::printEngineCheck(langdata::checkWithEngine(config, dev, true, {}), "original text", std::cout);
        }
    } catch (const std::exception& e) {
        std::cerr << "langdata: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
