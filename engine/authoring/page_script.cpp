#include "engine/authoring/page_script.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace zintra {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

// The folder part of a path; "." for a bare name.
fs::path folderOf(const std::string& path) {
    fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

std::string scriptBesidePage(const std::string& pagePath) { return (folderOf(pagePath) / kPageScriptName).string(); }

std::string installedScript(const std::string& configPath) { return (folderOf(configPath) / kPageScriptName).string(); }

ScriptPlacement placePageScript(const std::string& pagePath, const std::string& source) {
    const fs::path target = scriptBesidePage(pagePath);
    std::error_code ec;
    std::optional<std::string> wanted = readWhole(source);
    if (fs::exists(target, ec)) {
        std::optional<std::string> present = readWhole(target);
        return wanted && present && *wanted == *present ? ScriptPlacement::AlreadyThere : ScriptPlacement::KeptOwnCopy;
    }
    if (!wanted) return ScriptPlacement::NoSource;
    // Written under a temporary name and linked into place, so a script that
    // appears meanwhile is not replaced and no half-written one is left.
    fs::path temporary = target;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << *wanted;
        out.close();
        if (!out) {
            fs::remove(temporary, ec);
            return ScriptPlacement::CopyFailed;
        }
    }
    fs::create_hard_link(temporary, target, ec);
    // A folder without hard links (some shared or removable drives) gets a
    // plain copy that still refuses to replace an existing file.
    if (ec && ec != std::errc::file_exists) {
        ec.clear();
        fs::copy_file(temporary, target, fs::copy_options::none, ec);
    }
    const bool linked = !ec;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    if (linked) return ScriptPlacement::Copied;
    return fs::exists(target, ignored) ? ScriptPlacement::KeptOwnCopy : ScriptPlacement::CopyFailed;
}

}  // namespace zintra
