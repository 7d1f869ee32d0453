// zintra tag: tags sentences with the configured language data and prints
// each in slash form, one line per sentence.
#include <iostream>
#include <string>

#include "engine/cli/command.h"
#include "engine/language/analyzer.h"
#include "engine/language/tagger.h"
#include "engine/text/arena.h"
#include "engine/text/token.h"

namespace zintra::cli {

namespace {

// word/TAG, or for a compound "(" members ")/TAG".
void appendSlashForm(std::string& out, const Token* t) {
    if (t->children) {
        out += '(';
        for (const Token* m = t->children; m; m = m->next) {
            if (m != t->children) out += ' ';
            appendSlashForm(out, m);
        }
        out += ')';
    } else {
        out += t->word;
    }
    out += '/';
    out += t->tag;
}

}  // namespace

int runTag(const Options& options) {
    Analyzer analyzer;
    analyzer.setDiagnostics(commandDiagnostics(options));
    if (!analyzer.load(options.config, Analyzer::Scope::Tagging)) {
        std::cerr << "zintra: cannot load the language data from " << options.config << "\n";
        return 1;
    }
    Arena arena;
    std::string line;
    auto tagOne = [&](const std::string& sentence) {
        arena.clear();
        line.clear();
        for (const Token* t = tagSentence(analyzer.data(), sentence, arena); t; t = t->next) {
            if (!line.empty()) line += ' ';
            appendSlashForm(line, t);
        }
        line += '\n';
        std::cout << line;
    };
    if (!options.words.empty()) {
        for (const std::string& sentence : options.words) tagOne(sentence);
    } else {
        std::string input;
        while (std::getline(std::cin, input)) tagOne(input);
    }
    std::cout.flush();
    return 0;
}

}  // namespace zintra::cli
