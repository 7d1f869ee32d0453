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

}  // namespace zintra::fuzz
