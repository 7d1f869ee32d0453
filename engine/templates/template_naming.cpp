#include "engine/templates/template_naming.h"

#include <filesystem>
#include <system_error>

namespace zintra {

std::string normaliseTemplatesFolder(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') out.push_back('/');
    return out;
}

std::string fullTemplatePath(std::string_view folder, std::string_view name) {
    if (name.empty()) return {};
    if (name == "Untitled") return std::string(name);
    std::string path;
    if (name.find(':') == std::string_view::npos && name.front() != '/') path.assign(folder);
    path.append(name);
    if (name.find('.') == std::string_view::npos) path.append(".xvt");
    return path;
}

std::string_view folderOf(std::string_view path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string_view baseNameOf(std::string_view path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string resolvedPath(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) return {};
    // Lexically first, so that ".." never climbs out through a missing part;
    // then the links of the existing part.
    fs::path resolved = fs::weakly_canonical(absolute.lexically_normal(), ec);
    if (ec) return {};
    std::string out = resolved.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

std::string resolvedInside(std::string_view folder, std::string_view path) {
    if (folder.empty()) return {};
    std::string root = resolvedPath(folder);
    std::string resolved = resolvedPath(path);
    if (root.empty() || resolved.empty()) return {};
    if (root.back() != '/') root.push_back('/');
    if (resolved.size() <= root.size() || resolved.compare(0, root.size(), root) != 0) return {};
    return resolved;
}

}  // namespace zintra
