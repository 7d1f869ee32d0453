// Images left behind: every engine build and every installation has images
// of its own, so an upgraded or removed one leaves its images in the folder
// for good (about 19 MB for the default installation). A reader refreshes
// the time of an image it uses, at most once a day; a writer then removes
// the images no build has used for a month and the temporary files of
// writers that died more than a day ago.
//
// Only files this code wrote are removed: names of the image form
// (KIND-<16 hex>-<8 hex>.img, with the temporary suffix of six characters
// for a temporary file) whose first bytes are the image magic. Anything
// else in the folder, which the environment may point anywhere, is left.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace zintra {

// An image unused for this long is removed.
constexpr time_t kImageUnusedSeconds = time_t{30} * 24 * 3600;
// A temporary file older than this is a writer's that never finished.
constexpr time_t kTemporaryImageSeconds = time_t{24} * 3600;
// A reader refreshes an image's time when it is older than this.
constexpr time_t kImageTouchSeconds = time_t{24} * 3600;

// Whether a file name has the form of an image or of an image's temporary file.
bool isImageName(std::string_view name);
bool isTemporaryImageName(std::string_view name);

// Removes from folder the images last used before now - kImageUnusedSeconds
// and the temporary files older than now - kTemporaryImageSeconds, except
// the file named keep. Returns how many files it removed; errors (a file
// gone meanwhile, a folder that cannot be read) only mean fewer.
int sweepStaleImages(const std::string& folder, time_t now, std::string_view keep = {});

}  // namespace zintra
