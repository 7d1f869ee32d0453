#include "engine/text/converter.h"

#include <memory>

namespace zintra {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Value of count hexadecimal digits at text[pos], or -1.
long hexRun(const std::string& text, size_t pos, size_t count) {
    if (pos + count > text.size()) return -1;
    long value = 0;
    for (size_t i = 0; i < count; ++i) {
        int digit = hexValue(text[pos + i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::u16string toUnicodeWith(UConverter* conv, std::string_view bytes, UErrorCode& error) {
    std::u16string out(bytes.size() * 2 + 16, u'\0');
    ucnv_resetToUnicode(conv);
    UChar* target = out.data();
    const char* source = bytes.data();
    error = U_ZERO_ERROR;
    ucnv_toUnicode(conv, &target, out.data() + out.size(), &source, bytes.data() + bytes.size(), nullptr, true, &error);
    out.resize(static_cast<size_t>(target - out.data()));
    return out;
}

std::string fromUnicodeWith(UConverter* conv, std::u16string_view units, UErrorCode& error) {
    std::string out(units.size() * 4 + 16, '\0');
    ucnv_resetFromUnicode(conv);
    char* target = out.data();
    const UChar* source = units.data();
    error = U_ZERO_ERROR;
    ucnv_fromUnicode(conv, &target, out.data() + out.size(), &source, units.data() + units.size(), nullptr, true,
                     &error);
    out.resize(static_cast<size_t>(target - out.data()));
    return out;
}

// Characters whose Japanese code pages disagree on the Unicode side: the JIS
// mapping gives the first, Windows' code page 932 the second. Text written on
// either side must reach a Shift-JIS reader as the same character.
constexpr char16_t kJapaneseVariants[][2] = {
    {u'\u301C', u'\uFF5E'},  // wave dash
    {u'\u2016', u'\u2225'},  // double vertical line
    {u'\u2212', u'\uFF0D'},  // minus sign
    {u'\u2014', u'\u2015'},  // dash
    {u'\u00A2', u'\uFFE0'},  // cent sign
    {u'\u00A3', u'\uFFE1'},  // pound sign
    {u'\u00AC', u'\uFFE2'},  // not sign
};

bool converterMaps(UConverter* conv, char16_t unit) {
    UErrorCode status = U_ZERO_ERROR;
    UConverterFromUCallback previous = nullptr;
    const void* previousContext = nullptr;
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, &previous, &previousContext, &status);
    char bytes[16];
    UErrorCode converted = U_ZERO_ERROR;
    ucnv_resetFromUnicode(conv);
    ucnv_fromUChars(conv, bytes, sizeof bytes, &unit, 1, &converted);
    ucnv_setFromUCallBack(conv, previous, previousContext, nullptr, nullptr, &status);
    ucnv_resetFromUnicode(conv);
    return U_SUCCESS(converted);
}

// Replaces a character the target cannot write by its other-code-page variant
// when the target can write that one, instead of a substitution character.
void useWritableVariants(UConverter* conv, std::u16string& units) {
    for (const auto& pair : kJapaneseVariants) {
        for (int side = 0; side < 2; ++side) {
            const char16_t from = pair[side];
            const char16_t to = pair[1 - side];
            if (units.find(from) == std::u16string::npos) continue;
            if (converterMaps(conv, from) || !converterMaps(conv, to)) continue;
            for (char16_t& u : units) {
                if (u == from) u = to;
            }
        }
    }
}

}  // namespace

Converter::Converter(std::string encodingName) : name_(std::move(encodingName)) {
    converter_ = ucnv_open(name_.c_str(), &error_);
    if (U_FAILURE(error_)) converter_ = nullptr;
}

Converter::~Converter() {
    if (converter_) ucnv_close(converter_);
}

void Converter::percentDecode(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == 'u') {
            long unit = hexRun(text, i + 2, 4);
            if (unit >= 0) {
                char16_t u = static_cast<char16_t>(unit);
                if (converter_) out += fromUnicodeWith(converter_, std::u16string_view(&u, 1), error_);
                i += 5;
                continue;
            }
        } else {
            long byte = hexRun(text, i + 1, 2);
            if (byte >= 0) {
                out.push_back(static_cast<char>(byte));
                i += 2;
                continue;
            }
        }
        out.push_back('%');
    }
    text.swap(out);
}

std::u16string Converter::toUtf16(std::string_view bytes) {
    if (!converter_) return {};
    return toUnicodeWith(converter_, bytes, error_);
}

std::string Converter::fromUtf16(std::u16string_view units) {
    if (!converter_) return {};
    return fromUnicodeWith(converter_, units, error_);
}

std::string Converter::reencode(std::string_view reply, std::string_view target) {
    if (target.empty() || target == name_) return std::string(reply);
    std::u16string units = toUtf16(reply);
    if (target == "IE") {
        std::string out;
        out.reserve(units.size());
        for (char16_t u : units) {
            if (u < 256) {
                out.push_back(static_cast<char>(u));
            } else {
                out += "&#" + std::to_string(static_cast<unsigned>(u)) + ";";
            }
        }
        return out;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, void (*)(UConverter*)> other(ucnv_open(std::string(target).c_str(), &status),
                                                             ucnv_close);
    if (U_FAILURE(status) || !other) {
        error_ = status;
        return {};
    }
    useWritableVariants(other.get(), units);
    std::string out = fromUnicodeWith(other.get(), units, status);
    error_ = status;
    return out;
}

size_t Converter::wholeCharacterPrefix(std::string_view bytes, size_t limit) {
    if (limit >= bytes.size()) return bytes.size();
    if (!converter_ || name_ == "IE") {
        size_t length = limit;
        for (int step = 0; step < 3 && length > 0 && (static_cast<unsigned char>(bytes[length]) & 0xC0) == 0x80; ++step)
            --length;
        return length;
    }
    // Walk the characters from the start: in a multi-byte encoding such as
    // Shift-JIS a trail byte can look like a lead byte, so only a walk from a
    // known boundary finds the boundaries.
    ucnv_resetToUnicode(converter_);
    const char* begin = bytes.data();
    const char* end = begin + bytes.size();
    const char* source = begin;
    size_t boundary = 0;
    while (source < end) {
        UErrorCode status = U_ZERO_ERROR;
        const char* before = source;
        ucnv_getNextUChar(converter_, &source, end, &status);
        if (source == before) ++source;  // never stall on a byte it cannot take
        size_t next = static_cast<size_t>(source - begin);
        if (next > limit) break;
        boundary = next;
    }
    ucnv_resetToUnicode(converter_);
    return boundary;
}

}  // namespace zintra
