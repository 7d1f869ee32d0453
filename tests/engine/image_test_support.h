// Helpers of the image tests: reading, damaging and listing image files.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zintra::test {

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The files of a folder (none when it does not exist).
inline std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    return names;
}

// The ways an image goes bad; each must send the loader back to the text.
enum class Damage { Truncated, BodyByte, Version, Build, Emptied };

inline const char* damageName(Damage d) {
    switch (d) {
        case Damage::Truncated: return "truncated";
        case Damage::BodyByte: return "a body byte changed";
        case Damage::Version: return "another format version";
        case Damage::Build: return "written by another build";
        default: return "emptied";
    }
}

// The header starts with 8 bytes of magic, then the 32-bit format version,
// the 32-bit header size and the 64-bit hash of the build identity.
inline void damage(const std::string& path, Damage d) {
    std::string bytes = fileBytes(path);
    switch (d) {
        case Damage::Truncated: bytes.resize(bytes.size() / 2); break;
        case Damage::BodyByte: bytes[bytes.size() * 2 / 3] ^= 0x10; break;
        case Damage::Version: bytes[8] ^= 0x7; break;
        case Damage::Build: bytes[16] ^= 0x1; break;
        case Damage::Emptied: bytes.clear(); break;
    }
    writeBytes(path, bytes);
}

constexpr Damage kAllDamage[] = {Damage::Truncated, Damage::BodyByte, Damage::Version, Damage::Build, Damage::Emptied};

}  // namespace zintra::test
