// Where grammar lines come from: a file, one string, or an array of lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zintra {

class LineSource {
  public:
    virtual ~LineSource() = default;
    // The next line (its line end removed); false after the last one.
    virtual bool next(std::string& line) = 0;
};

// The lines of a file. Lines are read whole, however long; a CR before the
// LF is removed. ok() is false when the file could not be opened.
class FileLineSource : public LineSource {
  public:
    explicit FileLineSource(const std::string& path);
    bool ok() const { return ok_; }
    // The file's bytes as read.
    const std::string& content() const { return content_; }
    bool next(std::string& line) override;

  private:
    std::string content_;
    size_t pos_ = 0;
    bool ok_ = false;
};

// The lines of one string, split at CR or LF (a CR LF pair is one line
// end), each trimmed of blanks at both ends.
class StringLineSource : public LineSource {
  public:
    explicit StringLineSource(std::string_view text) : text_(text) {}
    bool next(std::string& line) override;

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

// count lines from an array.
class ArrayLineSource : public LineSource {
  public:
    ArrayLineSource(const char* const* lines, size_t count) : lines_(lines), count_(count) {}
    bool next(std::string& line) override;

  private:
    const char* const* lines_;
    size_t count_;
    size_t pos_ = 0;
};

// Bytes 1 to 32 separate fields and count as blanks.
inline bool isBlank(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

}  // namespace zintra
