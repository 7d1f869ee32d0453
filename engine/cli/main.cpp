// zintra: the engine's command for template authors.
#include <iostream>
#include <string>
#include <vector>

#include "engine/cli/command.h"

namespace {

constexpr const char* kUsage =
    "usage: zintra COMMAND [OPTIONS] [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  match [--config FILE] [--encoding NAME] [--explain] REQUEST\n"
    "      initialise the engine and print the reply to one request exactly as\n"
    "      the match export returns it (REQUEST from standard input when absent),\n"
    "      e.g. zintra match '<H1>lesson1</H1><P>I am a boy.</P>';\n"
    "      with --explain, print the chosen template and every aligned word with\n"
    "      its expected word, flags, candidates and comments instead\n"
    "  tag [--config FILE] [SENTENCE...]\n"
    "      tag each SENTENCE (each line of standard input when none is given) and\n"
    "      print it as word/TAG pairs, a compound as (word/TAG word/TAG)/TAG,\n"
    "      e.g. zintra tag 'I am a boy.'\n"
    "  parse [--config FILE] [--mode N] [--html] [SENTENCE...]\n"
    "      tag each SENTENCE (each line of standard input when none is given) and\n"
    "      print its phrase tree in bracket form, or with --html in the form of\n"
    "      match replies; --mode 0 (default) reads (TAG words) groups as given,\n"
    "      1 also word/TAG annotations, any other value strips both,\n"
    "      e.g. zintra parse \"She doesn't like ice cream.\"\n"
    "  show [--config FILE] TEMPLATE\n"
    "      read one template file as the engine does and print its samples,\n"
    "      comments and templates with their nodes, successors and fillers;\n"
    "      status 1 and the reason when the file cannot be read,\n"
    "      e.g. zintra show templates/lesson1.xvt\n"
    "\n"
    "options:\n"
    "  --config FILE    the engine configuration (default: zintra.ini here)\n"
    "  --encoding NAME  the reply's encoding (default: the engine's own)\n"
    "  --explain        (match) a readable account of the alignment\n"
    "  --mode N         (parse) how annotations are read (default 0)\n"
    "  --html           (parse) print the HTML form\n"
    "  --help           this text\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }
    std::string command = args[0];
    zintra::cli::Options options;
    if (!zintra::cli::parseOptions({args.begin() + 1, args.end()}, options)) return 2;
    if (command == "match") return zintra::cli::runMatch(options);
    if (command == "tag") return zintra::cli::runTag(options);
    if (command == "show") return zintra::cli::runShow(options);
    if (command == "parse") return zintra::cli::runParse(options);
    std::cerr << "zintra: unknown command " << command << "\n" << kUsage;
    return 2;
}
