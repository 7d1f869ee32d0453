// What the fuzz targets share: the bundled installation's language data,
// loaded once per process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zintra {
class Analyzer;
}

namespace zintra::fuzz {

// The folder of data/engine (set at build time).
std::string installationFolder();

// An analyser over the bundled language data (tagging scope), loaded once.
const Analyzer& bundledAnalyzer();

// Makes the file open as fd hold exactly the size bytes at data (for readers
// that take a path: an in-memory file rewritten per input). False on failure.
bool replaceFileContent(int fd, const uint8_t* data, size_t size);

}  // namespace zintra::fuzz
