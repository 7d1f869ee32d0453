#include "engine/grammar/line_source.h"

#include "engine/text/data_file.h"

namespace zintra {

FileLineSource::FileLineSource(const std::string& path) { ok_ = readDataFile(path, content_); }

bool FileLineSource::next(std::string& line) {
    if (pos_ >= content_.size()) return false;
    size_t end = content_.find('\n', pos_);
    if (end == std::string::npos) end = content_.size();
    size_t stop = end;
    if (stop > pos_ && content_[stop - 1] == '\r') --stop;
    line.assign(content_, pos_, stop - pos_);
    pos_ = end + 1;
    return true;
}

bool StringLineSource::next(std::string& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view raw = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (end < text_.size() && text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    size_t a = 0, b = raw.size();
    while (a < b && isBlank(raw[a])) ++a;
    while (b > a && isBlank(raw[b - 1])) --b;
    line.assign(raw.substr(a, b - a));
    return true;
}

bool ArrayLineSource::next(std::string& line) {
    if (pos_ >= count_) return false;
    const char* text = lines_[pos_++];
    line.assign(text ? text : "");
    return true;
}

}  // namespace zintra
