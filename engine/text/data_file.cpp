#include "engine/text/data_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace zintra {

bool readDataFile(const std::string& path, std::string& content) {
    content.clear();
    if (path.empty()) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return false;
    // Read a regular file in one piece; anything else (a pipe, or a file
    // that grows meanwhile) is read on in chunks. A folder is not a file.
    std::error_code ec;
    std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) return false;
    if (std::filesystem::is_regular_file(status)) {
        auto size = std::filesystem::file_size(path, ec);
        if (!ec && size > 0) {
            content.resize(static_cast<size_t>(size));
            content.resize(std::fread(content.data(), 1, content.size(), file.get()));
        }
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, n);
    return !std::ferror(file.get());
}

void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    size_t i = 0;
    auto blank = [](char c) {
        auto u = static_cast<unsigned char>(c);
        return u >= 1 && u <= 32;
    };
    while (i < line.size()) {
        while (i < line.size() && blank(line[i])) ++i;
        if (i == line.size()) break;
        size_t start = i;
        while (i < line.size() && !blank(line[i])) ++i;
        fields.push_back(line.substr(start, i - start));
    }
}

}  // namespace zintra
