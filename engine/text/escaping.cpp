#include "engine/text/escaping.h"

#include <cstring>

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

size_t copyReply(std::string_view reply, char* buffer, size_t capacity) {
    if (!buffer || capacity == 0) return 0;
    size_t length = reply.size();
    if (length >= capacity) {
        length = capacity - 1;
        // Do not end inside a UTF-8 character: back off over continuation bytes.
        for (int step = 0; step < 3 && length > 0 &&
                           (static_cast<unsigned char>(reply[length]) & 0xC0) == 0x80;
             ++step) {
            --length;
        }
    }
    std::memcpy(buffer, reply.data(), length);
    buffer[length] = '\0';
    return length;
}

}  // namespace zintra
