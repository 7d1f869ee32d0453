// How a template name given in a request becomes a full path.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

// The templates folder as stored: a "/" is appended unless it is empty or
// already ends with "/" or "\".
std::string normaliseTemplatesFolder(std::string_view folder);

// The naming rule: empty stays empty, "Untitled" stays as it is; a name with
// no ":" gets the folder in front, and one without a "." gets ".xvt" appended.
// A name that begins with "/" is an absolute path here and gets no folder.
std::string fullTemplatePath(std::string_view folder, std::string_view name);

// The folder part of a path: up to and including the last "/" or "\".
std::string_view folderOf(std::string_view path);
// The part after the last "/" or "\".
std::string_view baseNameOf(std::string_view path);

}  // namespace zintra

namespace zintra {

// The path as the file system resolves it: made absolute, ".", ".." and
// repeated slashes removed, symbolic links of the part that exists resolved
// (the part that does not exist yet is normalised as written). Empty for an
// empty path or one the system cannot resolve.
std::string resolvedPath(std::string_view path);

// The resolved path when it lies inside folder (itself resolved), else empty.
// The folder itself is not inside it.
std::string resolvedInside(std::string_view folder, std::string_view path);

}  // namespace zintra
