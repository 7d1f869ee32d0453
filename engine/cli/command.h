// The subcommands of the `zintra` command and what they share.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace zintra {
class Diagnostics;
class Engine;
class SentenceMatcher;
class TemplateFile;
}  // namespace zintra

namespace zintra::cli {

// Options common to the subcommands, and the words that remain.
struct Options {
    std::string config = "zintra.ini";
    std::string encoding;
    bool explain = false;
    int depth = 0;          // --depth N of the batch checks
    std::string reference;  // --reference FILE of sample-tree
    std::string output;     // --output FILE or DIR
    int port = 8888;        // --port N of serve and send
    int mode = 0;           // parse: how word/TAG annotations are read
    bool html = false;      // parse: the HTML form of replies
    bool quiet = false;     // --quiet: no explanations on standard error
    std::vector<std::string> words;
};

// Parses the options ("--config FILE", "--encoding NAME", "--explain",
// "--depth N", "--reference FILE", "--output PATH", "--port N") and the remaining words. False
// with a message on standard error when an option lacks its value or is unknown.
bool parseOptions(const std::vector<std::string>& args, Options& options);

// Where the engine's explanations go: each on its own line of standard error
// after "zintra: ", or nowhere with --quiet. Replies on standard output are
// the same either way.
std::shared_ptr<Diagnostics> commandDiagnostics(const Options& options);
// Points an engine's explanations where commandDiagnostics does.
void listenTo(Engine& engine, const Options& options);

int runMatch(const Options& options);
// Tags each sentence (the words, or each line of standard input) and prints it in slash form.
int runTag(const Options& options);
// Prints the phrase tree of each sentence (the words, or each line of standard input).
int runParse(const Options& options);
// Prints what the template reader builds from one template file.
int runShow(const Options& options);

// The batch checks over a folder of template files (batch_commands.cpp).
int runCheckXml(const Options& options);
int runCheckTemplates(const Options& options);
int runSampleTree(const Options& options);
int runSentences(const Options& options);
int runCountLines(const Options& options);
// The plain-text template query of one sentence.
int runQuery(const Options& options);

// The template service: run it, or exchange one request with it (service_commands.cpp).
int runServe(const Options& options);
int runSend(const Options& options);

// The alignment of a finished match in readable lines (as match --explain).
void printExplanation(std::ostream& out, const std::string& path, const TemplateFile& file, const TemplateFile* global,
                      const SentenceMatcher& matcher);

}  // namespace zintra::cli
