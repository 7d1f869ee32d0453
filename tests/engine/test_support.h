// Temporary folders and files for tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zintra::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file (creating folders) and returns its full path.
    std::string write(std::string_view relative, std::string_view content) const;
    std::string file(std::string_view relative) const { return (path_ / relative).string(); }

  private:
    std::filesystem::path path_;
};

// Writes a minimal set of language-data files and a configuration naming them;
// extra lines are appended to the configuration. Returns the configuration's path.
std::string writeMinimalInstallation(const TempDir& dir, std::string_view extraConfig = "");

}  // namespace zintra::test
