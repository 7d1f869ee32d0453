#include "engine/text/image_sweep.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "engine/text/image_file.h"

namespace zintra {

namespace {

bool isHex(std::string_view s) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

bool isKind(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

// Whether the file at name in the folder dir starts with the image magic,
// or is empty (a temporary file whose writer died before its first write).
bool holdsAnImage(int dir, const char* name, bool emptyCounts) {
    int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    char magic[sizeof kImageMagic];
    ssize_t n = ::read(fd, magic, sizeof magic);
    ::close(fd);
    if (n == 0) return emptyCounts;
    return n == static_cast<ssize_t>(sizeof magic) && std::memcmp(magic, kImageMagic, sizeof magic) == 0;
}

}  // namespace

bool isImageName(std::string_view name) {
    // KIND-<16 hex>-<8 hex>.img
    constexpr size_t kTail = 1 + 16 + 1 + 8 + 4;
    if (name.size() <= kTail) return false;
    std::string_view kind = name.substr(0, name.size() - kTail), tail = name.substr(name.size() - kTail);
    return isKind(kind) && tail[0] == '-' && isHex(tail.substr(1, 16)) && tail[17] == '-' &&
           isHex(tail.substr(18, 8)) && tail.substr(26) == ".img";
}

bool isTemporaryImageName(std::string_view name) {
    // The image's name, a dot and the six characters mkstemp chose.
    constexpr size_t kSuffix = 7;
    if (name.size() <= kSuffix || name[name.size() - kSuffix] != '.') return false;
    for (char c : name.substr(name.size() - kSuffix + 1))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    return isImageName(name.substr(0, name.size() - kSuffix));
}

int sweepStaleImages(const std::string& folder, time_t now, std::string_view keep) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return 0;
    int dir = ::dirfd(listing);
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        std::string_view name = entry->d_name;
        if (name == keep) continue;
        bool image = isImageName(name);
        bool temporary = !image && isTemporaryImageName(name);
        if (!image && !temporary) continue;
        struct stat st {};
        if (::fstatat(dir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        time_t limit = image ? kImageUnusedSeconds : kTemporaryImageSeconds;
        if (now - st.st_mtim.tv_sec <= limit) continue;
        if (!holdsAnImage(dir, entry->d_name, temporary)) continue;
        if (::unlinkat(dir, entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(listing);
    return removed;
}

}  // namespace zintra
