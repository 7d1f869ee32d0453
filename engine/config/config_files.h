// Why a file or folder that the configuration names cannot be used, in words
// for the person who wrote the configuration.
#pragma once

#include <string>
#include <string_view>

namespace zintra {

class Diagnostics;

enum class FileProblem { None, NotFound, Folder, NotFolder, Unreadable };

// What stands in the way of reading path as a file (or, wantFolder, of
// listing it as a folder).
FileProblem fileProblem(const std::string& path, bool wantFolder = false);

// "LABEL PATH: not found at /abs/PATH; ..." and the like. configPath, when
// given, is the configuration file that named PATH: for a relative PATH that
// is not found, the text says that such names are taken from the current
// folder, and points out a file of that name beside the configuration file.
std::string describeFileProblem(std::string_view label, const std::string& path, FileProblem problem,
                                const std::string& configPath = {});

// Shorthand for the configuration file itself: "NAME: not found at ...".
std::string describeUnreadable(std::string_view label, const std::string& path);

// Checks a file (or folder) a configuration key names and explains what is
// wrong with it. An empty name is "not set". True when it can be used.
bool checkConfiguredPath(const Diagnostics& diagnostics, std::string_view key, const std::string& path,
                         const std::string& configPath, bool wantFolder = false, std::string_view consequence = {});

}  // namespace zintra
