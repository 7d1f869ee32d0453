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
    "      e.g. zintra match '<H1>Lesson01-01</H1><P>I am a student.</P>';\n"
    "      with --explain, print the chosen template and every aligned word with\n"
    "      its expected word, flags, candidates and comments instead\n"
    "  tag [--config FILE] [SENTENCE...]\n"
    "      tag each SENTENCE (each line of standard input when none is given) and\n"
    "      print it as word/TAG pairs, a compound as (word/TAG word/TAG)/TAG,\n"
    "      e.g. zintra tag 'I am a student.'\n"
    "  parse [--config FILE] [--mode N] [--html] [SENTENCE...]\n"
    "      tag each SENTENCE (each line of standard input when none is given) and\n"
    "      print its phrase tree in bracket form, or with --html in the form of\n"
    "      match replies; --mode 0 (default) reads (TAG words) groups as given,\n"
    "      1 also word/TAG annotations, any other value strips both,\n"
    "      e.g. zintra parse \"She doesn't like ice cream.\"\n"
    "  show [--config FILE] TEMPLATE\n"
    "      read one template file as the engine does and print its samples,\n"
    "      comments and templates with their nodes, successors and fillers;\n"
    "      TEMPLATE is a file or a name as match requests give it (Lesson01-01);\n"
    "      warns on standard error about a Group type that is not correct,\n"
    "      normal or wrong and a Next that names no node; status 1 and the\n"
    "      reason when the file cannot be read, e.g. zintra show Lesson01-01\n"
    "  query [--config FILE] SENTENCE\n"
    "      the template query of a plain-text question: the sentence matched with\n"
    "      RDQL_TEMPLATE, the RDQL_FILE query of the bound variables filled in;\n"
    "      status 1 and \"Can't understand!\" when none fits\n"
    "  serve [--config FILE] [--port N]\n"
    "      run the template service on 127.0.0.1 (port 8888) until SIGINT or SIGTERM\n"
    "  send [--port N] REQUEST\n"
    "      one exchange with a running service; the reply on standard output\n"
    "  check-xml [PATH] [--depth N]\n"
    "      list every file under PATH that is not well-formed XML; status 1 if any\n"
    "  check-templates [PATH] [--depth N]\n"
    "      match every main template's sample with its file; print each failing\n"
    "      sample with its file, template, alignment and whether its phrase tree\n"
    "      failed, and each file that cannot be read; status 1 if any\n"
    "  sample-tree [PATH] --reference FILE --output FILE [--depth N]\n"
    "      write the HTML page of the samples' phrase trees, each compared with\n"
    "      the next reference tree (lines beginning with <!--) of FILE; puts the\n"
    "      drawing script parse.js (from the configuration file's folder) beside\n"
    "      the page when none is there, and keeps one that is\n"
    "  sentences [PATH] --output DIR [--depth N]\n"
    "      list every sentence the main templates produce without a wrong filler,\n"
    "      in DIR/NAME/NAME.txt for each template file NAME.xvt\n"
    "  count-lines [PATH] [--depth N]\n"
    "      the number of lines of the files under PATH (2,047-byte line buffer)\n"
    "\n"
    "PATH is a template file or folder (default: the configured templates folder);\n"
    "--depth 0 walks all subfolders, 1 only the folder itself.\n"
    "\n"
    "options:\n"
    "  --config FILE    the engine configuration (default: zintra.ini here)\n"
    "  --encoding NAME  the reply's encoding (default: the engine's own)\n"
    "  --explain        (match) a readable account of the alignment\n"
    "  --depth N        (batch checks) 0 all subfolders, 1 the folder only\n"
    "  --reference FILE, --output PATH  (sample-tree, sentences)\n"
    "  --port N         (serve, send) the service's port (default 8888)\n"
    "  --mode N         (parse) how annotations are read (default 0)\n"
    "  --html           (parse) print the HTML form\n"
    "  --quiet, -q      no explanations on standard error (files that cannot be\n"
    "                   loaded and why, unknown configuration keys, ...); the\n"
    "                   replies on standard output are the same\n"
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
    if (command == "query") return zintra::cli::runQuery(options);
    if (command == "serve") return zintra::cli::runServe(options);
    if (command == "send") return zintra::cli::runSend(options);
    if (command == "check-xml") return zintra::cli::runCheckXml(options);
    if (command == "check-templates") return zintra::cli::runCheckTemplates(options);
    if (command == "sample-tree") return zintra::cli::runSampleTree(options);
    if (command == "sentences") return zintra::cli::runSentences(options);
    if (command == "count-lines") return zintra::cli::runCountLines(options);
    if (command == "parse") return zintra::cli::runParse(options);
    std::cerr << "zintra: unknown command " << command << "\n" << kUsage;
    return 2;
}
