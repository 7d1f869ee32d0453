// The template reader on any bytes, through the entry point the engine uses
// (readTemplateFile: the parse, the root check, the nesting limit and the
// guard around building), then the file's match graphs, a match of fixed
// sentences against it and its sentence listing.
//
// The bytes go to an in-memory file (memfd) that the reader opens by its
// /proc/self/fd name: no disk file is written per input.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <xercesc/util/PlatformUtils.hpp>

#include "engine/authoring/sentence_listing.h"
#include "engine/language/analyzer.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_reader.h"
#include "fuzz_support.h"

namespace {

int memoryFile = -1;
std::string memoryPath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    xercesc::XMLPlatformUtils::Initialize();
    zintra::fuzz::bundledAnalyzer();
    memoryFile = memfd_create("zintra-template", 0);
    if (memoryFile < 0) std::abort();
    memoryPath = "/proc/self/fd/" + std::to_string(memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!zintra::fuzz::replaceFileContent(memoryFile, data, size)) std::abort();
    const zintra::Analyzer& analyzer = zintra::fuzz::bundledAnalyzer();
    zintra::TemplateReadError error;
    std::shared_ptr<zintra::TemplateFile> file = zintra::readTemplateFile(memoryPath, nullptr, analyzer, &error);
    if (!file) {
        volatile size_t n = zintra::describeTemplateReadError("fuzz.xvt", error).size();
        (void)n;
        return 0;
    }
    zintra::SentenceMatcher matcher(analyzer);
    for (const char* sentence : {"I am a student.", "is he a boy ?", "Ken"}) {
        if (matcher.match(sentence, file.get(), file.get()) == 0) {
            std::string report = matcher.report();
            volatile size_t sink = report.size();
            (void)sink;
        }
    }
    for (const zintra::PositionGraph& graph : zintra::matchGraphsOf(*file).graphs()) {
        volatile size_t n = zintra::sentencesOf(graph, 2000).size();
        (void)n;
    }
    return 0;
}
