// Images: binary copies of tables the engine builds from its text files,
// kept on disk between processes so that a start-up with unchanged files
// reads them instead of building them again.
//
// The text files stay the source of truth. An image is trusted only when its
// header names its kind and format version, this very engine build (the
// build identity of the linked object holding this code) and the hash of the
// exact bytes of the text it was built from (with any other key its owner
// adds), and when the checksum of its body holds. Anything else is ignored
// and the owner builds from the text, then writes a fresh image over the old
// one: into a temporary file of its own, renamed into place once complete,
// so neither a reader nor a second writer ever sees a half-written image.
//
// The folder: $ZINTRA_CACHE_DIR when set (set but empty: no images), else
// $XDG_CACHE_HOME/zintra, else $HOME/.cache/zintra.
#pragma once

#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zintra {

// The first bytes of every image.
inline constexpr char kImageMagic[8] = {'Z', 'I', 'N', 'T', 'R', 'A', 'I', 'M'};

// A 64-bit hash of bytes (not cryptographic: fast, to detect change).
uint64_t hashBytes(std::string_view bytes, uint64_t seed = 0);

// The identity of the engine build running this code: the build id of the
// linked object that holds it (or, without one, its path, size and time);
// empty when it cannot be told.
const std::string& engineBuildIdentity();

// The image folder the environment names; empty when images are off.
std::string imageFolder();

class ImageFile {
  public:
    // No image: reads fail and writes do nothing.
    ImageFile() = default;
    // The image of kind (a short name) for the text file at sourcePath whose
    // bytes are sourceText, in folder; extraKey is part of the key too.
    ImageFile(const std::string& folder, std::string_view kind, uint32_t version, std::string_view sourcePath,
              std::string_view sourceText, uint64_t extraKey = 0);

    bool enabled() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // The body's checksum chains the hashes of its sections' pieces: each
    // section is cut into pieces of this size from its start.
    static constexpr size_t kPieceBytes = 64 * 1024;

    // Reads a current image section by section; each take() reads bytes
    // into place, finish() is true only when the whole body was read and
    // its checksum holds. Sections must be taken as they were written, or
    // a section in parts that are whole pieces but for the last.
    class Reader {
      public:
        ~Reader();
        Reader(const Reader&) = delete;
        Reader& operator=(const Reader&) = delete;
        Reader(Reader&& other) noexcept;

        // Whether the header is current (the image may still be damaged).
        bool ok() const { return fd_ >= 0; }
        // Bytes of the body not read yet.
        uint64_t remaining() const { return remaining_; }
        bool take(void* into, size_t bytes);
        bool finish();

      private:
        bool fail();
        friend class ImageFile;
        Reader() = default;
        int fd_ = -1;
        uint64_t remaining_ = 0;
        uint64_t hash_ = 0;
        uint64_t expectedHash_ = 0;
        time_t modified_ = 0;  // of the image file, in seconds
    };
    Reader open() const;

    // Writes the body made of sections atomically, creating the folder when
    // needed. False, with nothing left behind, when it cannot be written.
    bool write(std::span<const std::string_view> sections) const;
    bool write(std::initializer_list<std::string_view> sections) const {
        return write(std::span<const std::string_view>(sections.begin(), sections.size()));
    }

  private:
    std::string path_;
    uint32_t version_ = 0;
    uint64_t key_ = 0;
};

// The bytes of a vector of plain records, as a section to write.
template <class T>
std::string_view bytesOf(const std::vector<T>& items) {
    return {reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T)};
}

// Reads count plain records into items; false when the body has fewer bytes
// left than they need (so a damaged count never asks for a huge vector).
template <class T>
bool take(ImageFile::Reader& reader, std::vector<T>& items, uint64_t count) {
    if (count > reader.remaining() / sizeof(T)) return false;
    items.resize(count);
    return reader.take(items.data(), count * sizeof(T));
}

}  // namespace zintra
