#include "engine/text/escaping.h"

#include <cstring>

#include "engine/text/converter.h"

namespace zintra {

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else {
            out.push_back(c);
        }
    }
}

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

size_t copyReply(std::string_view reply, char* buffer, size_t capacity, const std::string& encoding) {
    if (!buffer || capacity == 0) return 0;
    size_t length = reply.size();
    if (length >= capacity) length = Converter(encoding).wholeCharacterPrefix(reply, capacity - 1);
    std::memcpy(buffer, reply.data(), length);
    buffer[length] = '\0';
    return length;
}

}  // namespace zintra
