// The engine reads the file names of its configuration relative to the
// current folder: a FolderGuard changes to a folder for a load and returns
// to the folder before when it goes out of scope (an empty path stays).
#pragma once

#include <filesystem>
#include <system_error>

namespace langdata {

class FolderGuard {
  public:
    explicit FolderGuard(const std::filesystem::path& dir) : saved_(std::filesystem::current_path()) {
        if (!dir.empty()) std::filesystem::current_path(dir);
    }
    ~FolderGuard() {
        std::error_code ignored;
        std::filesystem::current_path(saved_, ignored);
    }
    FolderGuard(const FolderGuard&) = delete;
    FolderGuard& operator=(const FolderGuard&) = delete;

  private:
    std::filesystem::path saved_;
};

}  // namespace langdata
