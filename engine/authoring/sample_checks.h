// The batch checks of template samples: every main template's own sample is
// matched against its file, and the phrase-tree page of all samples.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/authoring/sample_trees.h"
#include "engine/templates/template_store.h"

namespace zintra {

class Analyzer;

// One sample that failed the check.
struct SampleFailure {
    std::string path;  // the template file
    TemplateStore::FilePtr file;
    TemplateStore::FilePtr global;
    std::string templateName;  // the template whose sample it is
    std::string sample;        // the sample as matched (unescaped)
    bool treeFailed = false;   // the phrase-tree part did not start with "<!"
    bool errorsFound = false;  // the alignment has an error block
    // The report, the path and name block and the phrase tree, as the check
    // writes them for this sample.
    std::string output;
};

// The samples of the files under path that fail, in file and template order;
// stops after the first when all is false. Files whose global file or
// template file cannot be loaded are skipped; a sample that cannot be matched
// is passed over.
std::vector<SampleFailure> failingSamples(std::string_view path, int depth, TemplateStore& store,
                                          const Analyzer& analyzer, const TreeWriter& tree, bool all);

// The text of a stored (escaped) sample: "&lt;" and "&amp;" undone.
std::string unescapedSample(std::string_view stored);

// Writes the sample-tree page of the files under path to outputFile,
// comparing each sample's tree with the next tree of referenceFile (the
// lines that begin with "<!--" and are longer than 4 bytes without their line
// end). False when the
// output cannot be created or written.
bool writeSampleTreePage(std::string_view path, const std::string& referenceFile, const std::string& outputFile,
                         int depth, TemplateStore& store, const Analyzer& analyzer, const TreeWriter& tree);

// The reference trees of a file; lines are read up to 15,359 bytes.
std::vector<std::string> readReferenceTrees(const std::string& referenceFile);

}  // namespace zintra
