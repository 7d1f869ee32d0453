#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "engine/language/analyzer.h"

namespace zintra::fuzz {

std::string installationFolder() { return ZINTRA_INSTALLATION; }

const Analyzer& bundledAnalyzer() {
    static const Analyzer* analyzer = [] {
        // The configuration names its files relative to its folder.
        std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(installationFolder());
        auto* a = new Analyzer();
        if (!a->load("zintra.ini", Analyzer::Scope::Tagging)) {
            std::fprintf(stderr, "fuzz: cannot load %s/zintra.ini\n", installationFolder().c_str());
            std::abort();
        }
        std::filesystem::current_path(previous);
        return a;
    }();
    return *analyzer;
}

bool replaceFileContent(int fd, const uint8_t* data, size_t size) {
    return ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size);
}

}  // namespace zintra::fuzz
