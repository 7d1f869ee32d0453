// The image of a grammar file's built LR(1) tables (see image_file.h): the
// tables of an unchanged grammar text are read back instead of built again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/text/image_file.h"

namespace zintra {

class Grammar;
struct LrTables;

class TableImage {
  public:
    static constexpr uint32_t kFormatVersion = 2;

    // No image: load() and store() do nothing.
    TableImage() = default;
    // The image of the grammar file at sourcePath whose content is
    // sourceText, in folder (no image when folder is empty).
    TableImage(const std::string& folder, std::string_view sourcePath, std::string_view sourceText)
        : file_(folder, "grammar", kFormatVersion, sourcePath, sourceText) {}

    bool enabled() const { return file_.enabled(); }
    const std::string& path() const { return file_.path(); }

    // Reads the image into tables (which must be fresh); true only when it
    // is current, whole and fits grammar. On false, tables must be dropped.
    bool load(const Grammar& grammar, LrTables& tables) const;
    // Writes the image of tables; false when it cannot be written.
    bool store(const Grammar& grammar, const LrTables& tables) const;

  private:
    ImageFile file_;
};

}  // namespace zintra
