#include "engine/templates/template_naming.h"

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

}  // namespace zintra
