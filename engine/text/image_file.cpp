#include "engine/text/image_file.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "engine/text/image_sweep.h"

namespace zintra {

namespace {

constexpr uint64_t kLaneFactor = 0x9E3779B97F4A7C15ULL;

uint64_t rotate(uint64_t v, int bits) { return (v << bits) | (v >> (64 - bits)); }

uint64_t avalanche(uint64_t h) {
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

uint64_t load64(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

uint64_t hashBytes(std::string_view bytes, uint64_t seed) {
    // Eight independent lanes of 8 bytes, so the multiplications overlap.
    constexpr int kLanes = 8;
    uint64_t lane[kLanes];
    for (int i = 0; i < kLanes; ++i) lane[i] = seed ^ (kLaneFactor * static_cast<uint64_t>(2 * i + 1));
    const char* p = bytes.data();
    size_t n = bytes.size();
    for (; n >= 8 * kLanes; p += 8 * kLanes, n -= 8 * kLanes)
        for (int i = 0; i < kLanes; ++i) lane[i] = rotate((lane[i] ^ load64(p + 8 * i)) * kLaneFactor, 31);
    for (int i = 0; n >= 8; p += 8, n -= 8, ++i) lane[i] = rotate((lane[i] ^ load64(p)) * kLaneFactor, 31);
    uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    uint64_t h = bytes.size() * kLaneFactor;
    for (int i = 0; i < kLanes; ++i) h = avalanche(h ^ lane[i]);
    return avalanche(h ^ tail ^ (static_cast<uint64_t>(n) << 56));
}

namespace {

struct IdentitySearch {
    uintptr_t address;
    std::string identity;
};

int findBuildId(struct dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<IdentitySearch*>(data);
    bool holds = false;
    for (int i = 0; i < info->dlpi_phnum && !holds; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        uintptr_t start = info->dlpi_addr + ph.p_vaddr;
        holds = ph.p_type == PT_LOAD && search->address >= start && search->address < start + ph.p_memsz;
    }
    if (!holds) return 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_NOTE) continue;
        const char* at = reinterpret_cast<const char*>(info->dlpi_addr + ph.p_vaddr);
        const char* end = at + ph.p_memsz;
        while (at + sizeof(ElfW(Nhdr)) <= end) {
            const auto* note = reinterpret_cast<const ElfW(Nhdr)*>(at);
            const char* name = at + sizeof(ElfW(Nhdr));
            const char* desc = name + ((note->n_namesz + 3) & ~3U);
            if (desc + note->n_descsz > end) break;
            if (note->n_type == NT_GNU_BUILD_ID && note->n_namesz == 4 && std::memcmp(name, "GNU", 4) == 0) {
                static const char kHex[] = "0123456789abcdef";
                std::string id = "build-id:";
                for (unsigned k = 0; k < note->n_descsz; ++k) {
                    unsigned char b = static_cast<unsigned char>(desc[k]);
                    id += kHex[b >> 4];
                    id += kHex[b & 15];
                }
                search->identity = id;
                return 1;
            }
            at = desc + ((note->n_descsz + 3) & ~3U);
        }
    }
    return 1;  // the object holds the code but has no build id
}

std::string computeIdentity() {
    IdentitySearch search{reinterpret_cast<uintptr_t>(&computeIdentity), {}};
    dl_iterate_phdr(findBuildId, &search);
    if (!search.identity.empty()) return search.identity;
    // Without a build id: the object file as it lies on disk.
    Dl_info info{};
    struct stat st {};
    if (dladdr(reinterpret_cast<void*>(&computeIdentity), &info) && info.dli_fname && stat(info.dli_fname, &st) == 0)
        return std::string("file:") + info.dli_fname + ":" + std::to_string(st.st_size) + ":" +
               std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
    return {};
}

// The fixed part at the start of every image.
struct Header {
    char magic[8];
    uint32_t version;
    uint32_t headerBytes;
    uint64_t build;  // hash of the engine build identity
    uint64_t key;    // hash of the kind, the source text and the owner's key
    uint64_t bodyBytes;
    uint64_t bodyHash;
};
constexpr uint64_t kBodySeed = 3;

uint64_t buildHash() {
    static const uint64_t hash = hashBytes(engineBuildIdentity(), 1);
    return hash;
}

bool readWhole(int fd, char* into, size_t bytes) {
    while (bytes > 0) {
        ssize_t n = ::read(fd, into, bytes);
        if (n < 0 && errno == EINTR) continue;  // a signal came before any byte moved
        if (n <= 0) return false;
        into += n;
        bytes -= static_cast<size_t>(n);
    }
    return true;
}

bool writeWhole(int fd, const char* from, size_t bytes) {
    while (bytes > 0) {
        ssize_t n = ::write(fd, from, bytes);
        if (n < 0 && errno == EINTR) continue;  // a signal came before any byte moved
        if (n <= 0) return false;
        from += n;
        bytes -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

const std::string& engineBuildIdentity() {
    static const std::string identity = computeIdentity();
    return identity;
}

std::string imageFolder() {
    if (const char* dir = std::getenv("ZINTRA_CACHE_DIR")) return dir;
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/zintra";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.cache/zintra";
    return {};
}

ImageFile::ImageFile(const std::string& folder, std::string_view kind, uint32_t version, std::string_view sourcePath,
                     std::string_view sourceText, uint64_t extraKey) {
    // Without a build identity no image could be told from another build's.
    if (folder.empty() || engineBuildIdentity().empty()) return;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(sourcePath), ec);
    if (ec) return;
    // One image per kind, source file and engine build: a new one replaces
    // the old, and two builds that share an installation (the library and
    // the command) keep one each instead of replacing each other's.
    std::string where = absolute.lexically_normal().string();
    char name[64];
    std::snprintf(name, sizeof name, "-%016llx-%08llx.img", static_cast<unsigned long long>(hashBytes(where)),
                  static_cast<unsigned long long>(buildHash() >> 32));
    path_ = folder + "/" + std::string(kind) + name;
    version_ = version;
    key_ = hashBytes(sourceText, hashBytes(kind, version ^ (extraKey * 0x9E3779B97F4A7C15ULL)));
}

ImageFile::Reader::~Reader() {
    if (fd_ >= 0) ::close(fd_);
}

ImageFile::Reader::Reader(Reader&& other) noexcept
    : fd_(other.fd_),
      remaining_(other.remaining_),
      hash_(other.hash_),
      expectedHash_(other.expectedHash_),
      modified_(other.modified_) {
    other.fd_ = -1;
}

bool ImageFile::Reader::take(void* into, size_t bytes) {
    if (fd_ < 0 || bytes > remaining_) return fail();
    // Piece by piece, each hashed while it is still in the cache.
    char* at = static_cast<char*>(into);
    for (size_t done = 0; done < bytes;) {
        size_t piece = std::min(bytes - done, kPieceBytes);
        if (!readWhole(fd_, at + done, piece)) return fail();
        hash_ = hashBytes(std::string_view(at + done, piece), hash_);
        done += piece;
    }
    remaining_ -= bytes;
    return true;
}

bool ImageFile::Reader::fail() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

bool ImageFile::Reader::finish() {
    bool whole = fd_ >= 0 && remaining_ == 0 && hash_ == expectedHash_;
    // An image in use is not swept: its time says when it was last used.
    if (whole && std::time(nullptr) - modified_ > kImageTouchSeconds) ::futimens(fd_, nullptr);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return whole;
}

ImageFile::Reader ImageFile::open() const {
    Reader reader;
    if (!enabled()) return reader;
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return reader;
    struct stat st {};
    Header h{};
    bool ok = fstat(fd, &st) == 0 && static_cast<uint64_t>(st.st_size) >= sizeof h &&
              readWhole(fd, reinterpret_cast<char*>(&h), sizeof h) && std::memcmp(h.magic, kImageMagic, 8) == 0 &&
              h.version == version_ && h.headerBytes == sizeof h && h.build == buildHash() && h.key == key_ &&
              h.bodyBytes == static_cast<uint64_t>(st.st_size) - sizeof h;
    if (!ok) {
        ::close(fd);
        return reader;
    }
    reader.fd_ = fd;
    reader.remaining_ = h.bodyBytes;
    reader.hash_ = kBodySeed;
    reader.expectedHash_ = h.bodyHash;
    reader.modified_ = st.st_mtim.tv_sec;
    return reader;
}

bool ImageFile::write(std::span<const std::string_view> sections) const {
    if (!enabled()) return false;
    Header h{};
    std::memcpy(h.magic, kImageMagic, 8);
    h.version = version_;
    h.headerBytes = sizeof h;
    h.build = buildHash();
    h.key = key_;
    h.bodyHash = kBodySeed;
    for (std::string_view section : sections) {
        h.bodyBytes += section.size();
        for (size_t done = 0; done < section.size(); done += kPieceBytes)
            h.bodyHash = hashBytes(section.substr(done, kPieceBytes), h.bodyHash);
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    // A temporary file of its own for every writer, renamed over the image
    // only once complete: concurrent writers leave one whole image.
    std::string temp = path_ + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = writeWhole(fd, reinterpret_cast<const char*>(&h), sizeof h);
    for (std::string_view section : sections) ok = ok && writeWhole(fd, section.data(), section.size());
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path_.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // A fresh image is written when a build or a text is new, which is when
    // images of other builds and texts may have been left behind.
    std::filesystem::path written(path_);
    sweepStaleImages(written.parent_path().string(), std::time(nullptr), written.filename().string());
    return true;
}

}  // namespace zintra
