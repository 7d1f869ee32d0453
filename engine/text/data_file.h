// Reading the engine's plain-text data files: the whole file at once, then
// line by line and field by field. Lines have no length limit; a zero byte
// ends its line, as for every C string reader.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zintra {

// The whole content of the file; false when it cannot be opened or read.
bool readDataFile(const std::string& path, std::string& content);

// Calls visit(line) for every line of text (line end excluded), cut at a
// zero byte and with its leading bytes 1 to 32 skipped.
template <class F>
void forEachLine(std::string_view text, F&& visit) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        size_t zero = line.find('\0');
        if (zero != std::string_view::npos) line = line.substr(0, zero);
        size_t skip = 0;
        while (skip < line.size() && static_cast<unsigned char>(line[skip]) >= 1 &&
               static_cast<unsigned char>(line[skip]) <= 32)
            ++skip;
        visit(line.substr(skip));
        pos = end + 1;
    }
}

// Splits line into fields at runs of bytes 1 to 32 (bytes of 0x80 and above
// belong to fields). fields is cleared first.
void splitFields(std::string_view line, std::vector<std::string_view>& fields);

// Whether line (leading blanks already skipped) starts with the comment mark
// or is empty.
inline bool isSkippedLine(std::string_view line, std::string_view commentMark) {
    return line.empty() || line.substr(0, commentMark.size()) == commentMark;
}

}  // namespace zintra
