// Checks over whole template folders for template authors.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

// Counts the lines of every file under path, reading with a 2,047-byte line
// buffer, so a line longer than 2,046 bytes counts more than once.
long countLines(std::string_view path, int depth);

// The first file under path that is not well-formed XML; empty when all are.
std::string firstMalformedXml(std::string_view path, int depth);

}  // namespace zintra
