// zintra parse: tags sentences and prints the phrase tree of each, one per
// line, as a parse request or (with --html) a match reply would hold it.
#include <iostream>
#include <memory>
#include <string>

#include "engine/cli/command.h"
#include "engine/language/analyzer.h"
#include "engine/phrase/parse_text.h"
#include "engine/phrase/phrase_grammar.h"
#include "engine/text/arena.h"

namespace zintra::cli {

int runParse(const Options& options) {
    auto analyzer = std::make_shared<Analyzer>();
    analyzer->setDiagnostics(commandDiagnostics(options));
    if (!analyzer->load(options.config)) {
        std::cerr << "zintra: cannot load the language data from " << options.config << "\n";
        return 1;
    }
    std::shared_ptr<const Analyzer> shared = analyzer;
    std::unique_ptr<PhraseGrammar> grammar;
    if (!shared->config().grammarFile.empty()) {
        grammar = PhraseGrammar::load(shared, [](std::string_view line) { std::cerr << line; });
        if (!grammar) {
            std::cerr << "zintra: cannot read the phrase grammar " << shared->config().grammarFile << "\n";
            return 1;
        }
    }
    Arena arena;
    std::string out;
    auto parseOne = [&](const std::string& sentence) {
        arena.clear();
        out.clear();
        appendParsedText(out, *shared, grammar.get(), sentence, options.mode, options.html, arena);
        if (out.empty() || out.back() != '\n') out += '\n';
        std::cout << out;
    };
    if (!options.words.empty()) {
        for (const std::string& sentence : options.words) parseOne(sentence);
    } else {
        std::string input;
        while (std::getline(std::cin, input)) parseOne(input);
    }
    std::cout.flush();
    return 0;
}

}  // namespace zintra::cli
