#include "engine/authoring/batch_checks.h"

#include <cstdio>
#include <memory>

#include "engine/authoring/file_set.h"
#include "engine/templates/xml_parser.h"

namespace zintra {

long countLines(std::string_view path, int depth) {
    long lines = 0;
    char buffer[2047];
    for (const std::string& file : collectFiles(path, depth)) {
        std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(file.c_str(), "r"), std::fclose);
        if (!in) continue;
        while (std::fgets(buffer, sizeof buffer, in.get())) ++lines;
    }
    return lines;
}

std::string firstMalformedXml(std::string_view path, int depth) {
    for (const std::string& file : collectFiles(path, depth)) {
        if (!XmlDocument::fromFile(file)->ok()) return file;
    }
    return {};
}

}  // namespace zintra
