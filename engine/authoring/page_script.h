// The script that draws a sample-tree page. The page refers to "parse.js"
// in its own folder; the installation keeps one beside its configuration
// file. The script is copied beside a page when none is there; a copy that
// is already there is left alone, also when it differs from the
// installation's (a template author may have edited it).
#pragma once

#include <string>

namespace zintra {

// The name the page's script element refers to.
inline constexpr const char* kPageScriptName = "parse.js";

enum class ScriptPlacement {
    Copied,        // there was none beside the page: the installation's was copied
    AlreadyThere,  // the one beside the page is the installation's, byte for byte
    KeptOwnCopy,   // the one beside the page differs from the installation's: kept
    NoSource,      // none beside the page and none in the installation
    CopyFailed,    // none beside the page, and the copy could not be written
};

// The script's path beside a page: the page's folder and kPageScriptName.
std::string scriptBesidePage(const std::string& pagePath);

// The installation's script: in the folder of the configuration file.
std::string installedScript(const std::string& configPath);

// Puts the script from source beside the page at pagePath as described above.
ScriptPlacement placePageScript(const std::string& pagePath, const std::string& source);

}  // namespace zintra
