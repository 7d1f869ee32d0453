// zintra show: prints what the template reader builds from one template file.
#include <iostream>

#include <xercesc/util/PlatformUtils.hpp>

#include "engine/authoring/template_dump.h"
#include "engine/cli/command.h"
#include "engine/language/analyzer.h"

namespace zintra::cli {

namespace {

// Starts the XML library for the command's lifetime.
struct XmlLibrary {
    XmlLibrary() { xercesc::XMLPlatformUtils::Initialize(); }
    ~XmlLibrary() { xercesc::XMLPlatformUtils::Terminate(); }
};

}  // namespace

int runShow(const Options& options) {
    if (options.words.size() != 1) {
        std::cerr << "zintra: show takes one template file\n";
        return 2;
    }
    // The encoding and the word splitting of filler texts come from the
    // configuration, as in the engine.
    Analyzer analyzer;
    if (!analyzer.load(options.config, Analyzer::Scope::Tagging)) {
        std::cerr << "zintra: cannot load the language data from " << options.config << "\n";
        return 1;
    }
    try {
        XmlLibrary xml;
        return showTemplateFile(options.words[0], analyzer, std::cout, std::cerr);
    } catch (...) {
        std::cerr << "zintra: cannot read " << options.words[0] << "\n";
        return 1;
    }
}

}  // namespace zintra::cli
