// zintra show: prints what the template reader builds from one template file,
// and warns about the parts of it the reader quietly drops or reinterprets.
#include <filesystem>
#include <iostream>

#include <xercesc/util/PlatformUtils.hpp>

#include "engine/authoring/template_dump.h"
#include "engine/authoring/template_lint.h"
#include "engine/cli/command.h"
#include "engine/language/analyzer.h"
#include "engine/templates/template_naming.h"

namespace zintra::cli {

namespace {

// Starts the XML library for the command's lifetime.
struct XmlLibrary {
    XmlLibrary() { xercesc::XMLPlatformUtils::Initialize(); }
    ~XmlLibrary() { xercesc::XMLPlatformUtils::Terminate(); }
};

// The file the argument means: a file of that name; a path with a folder as
// it is; or else the template that a match request naming it would use (the
// templates folder in front, ".xvt" appended when there is no extension).
std::string templatePathOf(const std::string& argument, const Analyzer& analyzer) {
    std::error_code ec;
    if (std::filesystem::exists(argument, ec) || argument.find_first_of("/\\") != std::string::npos) return argument;
    std::string named = fullTemplatePath(normaliseTemplatesFolder(analyzer.config().templatesDir), argument);
    return named.empty() ? argument : named;
}

}  // namespace

int runShow(const Options& options) {
    if (options.words.size() != 1) {
        std::cerr << "zintra: show takes one template file or template name\n";
        return 2;
    }
    // The encoding and the word splitting of filler texts come from the
    // configuration, as in the engine.
    Analyzer analyzer;
    analyzer.setDiagnostics(commandDiagnostics(options));
    if (!analyzer.load(options.config, Analyzer::Scope::Tagging)) {
        std::cerr << "zintra: cannot load the language data from " << options.config << "\n";
        return 1;
    }
    std::string path = templatePathOf(options.words[0], analyzer);
    try {
        XmlLibrary xml;
        int status = showTemplateFile(path, analyzer, std::cout, std::cerr);
        std::cout.flush();
        if (status == 0) warnAboutTemplateFile(path, analyzer, analyzer.diagnostics());
        return status;
    } catch (...) {
        std::cerr << "zintra: cannot read " << path << "\n";
        return 1;
    }
}

}  // namespace zintra::cli
