// The subcommands of the `zintra` command and what they share.
#pragma once

#include <string>
#include <vector>

namespace zintra::cli {

// Options common to the subcommands, and the words that remain.
struct Options {
    std::string config = "zintra.ini";
    std::string encoding;
    bool explain = false;
    int mode = 0;       // parse: how word/TAG annotations are read
    bool html = false;  // parse: the HTML form of replies
    std::vector<std::string> words;
};

// Parses "--config FILE", "--encoding NAME" and the remaining words. False
// with a message on standard error when an option lacks its value or is unknown.
bool parseOptions(const std::vector<std::string>& args, Options& options);

int runMatch(const Options& options);
// Tags each sentence (the words, or each line of standard input) and prints it in slash form.
int runTag(const Options& options);
// Prints the phrase tree of each sentence (the words, or each line of standard input).
int runParse(const Options& options);
// Prints what the template reader builds from one template file.
int runShow(const Options& options);

}  // namespace zintra::cli
