// Conversion between the engine's byte encoding and UTF-16 (ICU converters),
// percent-decoding of request text and re-encoding of replies.
#pragma once

#include <string>
#include <string_view>

#include <unicode/ucnv.h>

namespace zintra {

class Converter {
  public:
    explicit Converter(std::string encodingName);
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool isOpen() const { return converter_ != nullptr; }
    const std::string& encodingName() const { return name_; }
    // The ICU status of the last call (open included); a warning still counts as success.
    UErrorCode error() const { return error_; }

    // Decodes "%XX" bytes and "%uXXXX" UTF-16 units (written in this encoding) in place.
    // An escape with a digit that is not hexadecimal stays as typed.
    void percentDecode(std::string& text);

    std::u16string toUtf16(std::string_view bytes);
    std::string fromUtf16(std::u16string_view units);

    // Re-encodes a reply written in this converter's encoding into target.
    // Unchanged when target is empty or equal to this encoding's name. "IE"
    // writes units below 256 as single bytes and the others as "&#N;".
    std::string reencode(std::string_view reply, std::string_view target);

    // The longest prefix of bytes, at most limit long, that ends on a whole
    // character of this encoding. Bytes the encoding does not know count as
    // characters of their own length. Without a converter (an unknown name)
    // the prefix only avoids ending inside a UTF-8 character.
    size_t wholeCharacterPrefix(std::string_view bytes, size_t limit);

  private:
    std::string name_;
    UConverter* converter_ = nullptr;
    UErrorCode error_ = U_ZERO_ERROR;
};

}  // namespace zintra
