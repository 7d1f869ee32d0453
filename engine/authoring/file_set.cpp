#include "engine/authoring/file_set.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zintra {

namespace fs = std::filesystem;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void collectInto(const std::string& path, int depth, std::vector<std::string>& out) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return;
    if (!fs::is_directory(status)) {
        out.push_back(path);
        return;
    }
    if (depth > 1) return;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        collectInto(path + "/" + it->path().filename().string(), depth == 0 ? 0 : depth + 1, out);
    }
}

}  // namespace

std::vector<std::string> collectFiles(std::string_view path, int depth) {
    std::string start(path);
    if (!start.empty() && (start.back() == '/' || start.back() == '\\')) start.pop_back();
    std::vector<std::string> files;
    if (start.empty()) return files;
    collectInto(start, depth, files);
    std::sort(files.begin(), files.end(),
              [](const std::string& a, const std::string& b) { return naturalCompare(a, b) < 0; });
    return files;
}

int naturalCompare(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            size_t ie = i, je = j;
            while (ie < a.size() && isDigit(a[ie])) ++ie;
            while (je < b.size() && isDigit(b[je])) ++je;
            // Compare the runs as numbers without overflow: skip leading zeros,
            // then the longer run is larger, then digit by digit.
            size_t is = i, js = j;
            while (is + 1 < ie && a[is] == '0') ++is;
            while (js + 1 < je && b[js] == '0') ++js;
            if (ie - is != je - js) return ie - is < je - js ? -1 : 1;
            int c = a.substr(is, ie - is).compare(b.substr(js, je - js));
            if (c != 0) return c;
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace zintra
