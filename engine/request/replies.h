// The fixed reply texts of requests.
#pragma once

#include <cstddef>
#include <string_view>

namespace zintra {

inline constexpr std::string_view kReplyCantOpen = "<div><P>Can't open Global or Template file!</P></div>\n";
inline constexpr std::string_view kReplyCacheCleared = "The Cache is cleared.\n";
inline constexpr std::string_view kReplyCantUnderstand = "Can't understand!\n";

// The most a caller's reply buffer holds, terminating zero included.
inline constexpr size_t kReplyLimit = 1000000;

}  // namespace zintra
