// The sentence listing: every word sequence the main templates of a file can
// produce without a wrong filler, written into text files below an output
// folder, one folder per template file named after its base name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zintra {

class Analyzer;
class PositionGraph;
class TemplateStore;

struct SentenceListingLimits {
    // Sentences gathered before the de-duplicated table is written out and emptied.
    size_t flushAt = 500230;
    // Paths walked per template file; a graph with more (they grow with the
    // product of its alternatives) is listed up to this many and marked cut.
    size_t maxPathsPerFile = 20000000;
};

struct SentenceListingResult {
    size_t files = 0;      // template files listed
    size_t sentences = 0;  // lines written
    size_t cutFiles = 0;   // files whose walk reached maxPathsPerFile
    bool writeFailed = false;
};

// The folder name for a template file: its base name without the extension;
// "_" when nothing usable remains, so the listing always stays below the
// output folder.
std::string listingFolderName(std::string_view templatePath);

SentenceListingResult listSentences(std::string_view path, const std::string& outputFolder, int depth,
                                    TemplateStore& store, const Analyzer& analyzer,
                                    const SentenceListingLimits& limits = {});

// The sentences of one graph, at most budget paths: for each path from its
// start to its end that uses no wrong filler, the words along it joined by
// single blanks (duplicates kept).
std::vector<std::string> sentencesOf(const PositionGraph& graph, size_t budget = 1000000);

}  // namespace zintra
