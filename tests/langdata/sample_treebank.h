// Small CoNLL-U texts for the tests, written from "word/TAG" sentences.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace langdata::test {

// One sentence in CoNLL-U from "word/TAG word/TAG ..."; every token gets the
// head 0 and the relation "dep" unless given as word/TAG/HEAD/REL.
std::string conlluSentence(const std::string& id, const std::string& tagged);

// A folder under the system's temporary folder, removed on destruction.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& text) const;
    std::string read(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

}  // namespace langdata::test
