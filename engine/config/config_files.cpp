#include "engine/config/config_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/config/diagnostics.h"

namespace zintra {

namespace fs = std::filesystem;

FileProblem fileProblem(const std::string& path, bool wantFolder) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) return FileProblem::NotFound;
    if (wantFolder) {
        if (!fs::is_directory(status)) return FileProblem::NotFolder;
        fs::directory_iterator it(path, ec);
        return ec ? FileProblem::Unreadable : FileProblem::None;
    }
    if (fs::is_directory(status)) return FileProblem::Folder;
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return FileProblem::Unreadable;
    std::fclose(file);
    return FileProblem::None;
}

std::string describeFileProblem(std::string_view label, const std::string& path, FileProblem problem,
                                const std::string& configPath) {
    std::string text(label);
    text += " " + path + ": ";
    std::error_code ec;
    switch (problem) {
        case FileProblem::None: text += "can be read"; break;
        case FileProblem::Folder: text += "is a folder, not a file"; break;
        case FileProblem::NotFolder: text += "is not a folder"; break;
        case FileProblem::Unreadable: {
            int error = errno;
            text += "cannot be read";
            if (error != 0) text += std::string(" (") + std::strerror(error) + ")";
            break;
        }
        case FileProblem::NotFound: {
            fs::path absolute = fs::absolute(path, ec);
            text += "not found at " + (ec ? path : absolute.lexically_normal().string());
            if (!configPath.empty() && fs::path(path).is_relative()) {
                fs::path here = fs::current_path(ec);
                text +=
                    "; relative names in the configuration are taken from the current folder (" + here.string() + ")";
                {
                    fs::path beside = fs::absolute(configPath, ec).parent_path() / path;
                    if (!ec && beside.parent_path() != here / fs::path(path).parent_path() && fs::exists(beside, ec))
                        text += ", not from the configuration file's folder, where " +
                                beside.lexically_normal().string() + " exists";
                }
            }
            break;
        }
    }
    return text;
}

std::string describeUnreadable(std::string_view label, const std::string& path) {
    return describeFileProblem(label, path, fileProblem(path));
}

bool checkConfiguredPath(const Diagnostics& diagnostics, std::string_view key, const std::string& path,
                         const std::string& configPath, bool wantFolder, std::string_view consequence) {
    auto tell = [&](std::string message) {
        if (!consequence.empty()) message += std::string("; ") + std::string(consequence);
        diagnostics.report(message);
    };
    if (path.empty()) {
        if (diagnostics.active()) tell(std::string(key) + " is not set in " + configPath);
        return false;
    }
    errno = 0;
    FileProblem problem = fileProblem(path, wantFolder);
    if (problem == FileProblem::None) return true;
    if (diagnostics.active()) tell(describeFileProblem(key, path, problem, configPath));
    return false;
}

}  // namespace zintra
