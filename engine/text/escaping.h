// The escaping used wherever text goes into reply markup, and the copy of a
// reply into a caller's buffer.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

// "&" becomes "&amp;" and "<" becomes "&lt;"; every other byte is copied.
void appendEscaped(std::string& out, std::string_view text);
std::string escaped(std::string_view text);

// Copies a reply into a caller's buffer of capacity bytes (terminating zero
// included), cutting it when it does not fit. A cut ends on a whole character
// of the reply's encoding (ICU name; empty or unknown: not inside a UTF-8
// character). Returns the number of bytes written before the zero.
size_t copyReply(std::string_view reply, char* buffer, size_t capacity, const std::string& encoding = {});

}  // namespace zintra
