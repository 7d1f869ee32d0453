#include "test_support.h"

#include <atomic>
#include <fstream>
#include <random>

#include <unistd.h>

namespace zintra::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    std::random_device random;
    path_ = fs::temp_directory_path() / ("zintra-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
                                         "-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::write(std::string_view relative, std::string_view content) const {
    fs::path target = path_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return target.string();
}

std::string writeMinimalInstallation(const TempDir& dir, std::string_view extraConfig) {
    std::string lexicon = dir.write("lexicon.txt", "I PRP\nam VBP\na DT\nboy NN\n. .\nrun VB NN\nthe DT\n");
    std::string lexical = dir.write("lexical.txt", "NN s fhassuf 1 NNS x\nly hassuf 2 RB x\n");
    std::string bigrams = dir.write("bigrams.txt", "the boy\n");
    std::string compounds = dir.write("compounds.txt", "ice cream/NN\na lot of/JJ\n");
    std::string contextual = dir.write("contextual.txt", "VB NN PREVTAG DT\n");
    std::string templates = (dir.path() / "templates").string();
    fs::create_directories(templates);
    std::string config = "DICTIONARY_FILE " + lexicon + "\nLEXICALRULEFILE " + lexical + "\nBIGRAMS " + bigrams +
                         "\nCOMPOUND_FILE " + compounds + "\nCONTEXTUALRULEFILE " + contextual + "\nTEMPLATES_DIR " +
                         templates + "\nDEL_TAIL_SYMBOL .?!\n" + std::string(extraConfig);
    return dir.write("zintra.ini", config);
}

}  // namespace zintra::test
