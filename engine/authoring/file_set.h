// The set of files a batch check works on: collected from a path and sorted
// in natural order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zintra {

// Depth 0 collects the folder and all its subfolders, 1 the folder's own files.
// A path that is a file gives that file; a missing path gives nothing.
std::vector<std::string> collectFiles(std::string_view path, int depth);

// Natural order: runs of digits compare as numbers, so "Lesson2" < "Lesson10".
// Negative, zero or positive as strcmp.
int naturalCompare(std::string_view a, std::string_view b);

}  // namespace zintra
