// The template reader on any bytes: the file built from the document, its
// match graphs, a match of fixed sentences against it and its sentence listing.
#include <cstddef>
#include <cstdint>
#include <string>

#include <xercesc/util/PlatformUtils.hpp>

#include "engine/authoring/sentence_listing.h"
#include "engine/language/analyzer.h"
#include "engine/templates/match_graph.h"
#include "engine/templates/sentence_matcher.h"
#include "engine/templates/template_reader.h"
#include "engine/templates/xml_parser.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    xercesc::XMLPlatformUtils::Initialize();
    zintra::fuzz::bundledAnalyzer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const zintra::Analyzer& analyzer = zintra::fuzz::bundledAnalyzer();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<zintra::XmlDocument> doc = zintra::XmlDocument::fromMemory(bytes, "fuzz");
    if (!doc->ok() || !doc->document() || !doc->document()->getDocumentElement()) return 0;
    std::unique_ptr<zintra::TemplateFile> file =
        zintra::buildTemplateFile(doc->document()->getDocumentElement(), nullptr, analyzer);
    if (!file) return 0;
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
