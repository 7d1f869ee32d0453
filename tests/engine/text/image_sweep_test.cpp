// Images nobody uses any more are removed when a fresh one is written; the
// images in use, the files of others and unfinished writers' files of today
// stay.
#include "engine/text/image_sweep.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/text/image_file.h"
#include "image_test_support.h"
#include "test_support.h"

namespace zintra {
namespace {

constexpr time_t kDay = 24 * 3600;

// Sets a file's access and modification times to secondsAgo before now.
void age(const std::string& path, time_t secondsAgo) {
    struct timespec times[2];
    times[0].tv_sec = times[1].tv_sec = std::time(nullptr) - secondsAgo;
    times[0].tv_nsec = times[1].tv_nsec = 0;
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

time_t modified(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mtim.tv_sec : 0;
}

bool exists(const std::string& path) { return std::filesystem::exists(std::filesystem::symlink_status(path)); }

// An image written the way an owner writes it, for a source of that name.
std::string writeImage(const std::string& folder, const std::string& source, std::string_view kind = "lexicon") {
    ImageFile image(folder, kind, 1, source, "text of " + source);
    EXPECT_TRUE(image.write({"body"}));
    return image.path();
}

bool readsWhole(const ImageFile& image) {
    ImageFile::Reader reader = image.open();
    char body[4];
    return reader.ok() && reader.take(body, 4) && reader.finish();
}

TEST(ImageSweep, AWriteRemovesWhatNoBuildUsedAndKeepsEverythingElse) {
    test::TempDir dir;
    std::string folder = dir.file("images");
    std::string unused = writeImage(folder, "old.txt");
    std::string recent = writeImage(folder, "recent.txt", "grammar");
    std::string foreign = folder + "/lexicon-0123456789abcdef-01234567.img";  // the name, not the magic
    test::writeBytes(foreign, "someone else's file");
    std::string otherName = folder + "/disk.img";  // the magic, not the name
    test::writeBytes(otherName, test::fileBytes(unused));
    std::string deadWriter = unused + ".a1B2c3";
    test::writeBytes(deadWriter, test::fileBytes(unused).substr(0, 20));
    std::string emptyDeadWriter = recent + ".zzzzzz";
    test::writeBytes(emptyDeadWriter, "");
    std::string liveWriter = recent + ".Q9q9Q9";
    test::writeBytes(liveWriter, test::fileBytes(recent).substr(0, 20));
    // A link of an image's name to an old image elsewhere: neither goes.
    std::string elsewhere = writeImage(dir.file("elsewhere"), "far.txt");
    std::string link = folder + "/lexicon-fedcba9876543210-76543210.img";
    ASSERT_EQ(symlink(elsewhere.c_str(), link.c_str()), 0);

    for (const std::string& path : {unused, foreign, otherName, elsewhere}) age(path, 31 * kDay);
    age(link, 31 * kDay);
    age(recent, 29 * kDay);
    age(deadWriter, kDay + 60);
    age(emptyDeadWriter, 2 * kDay);
    age(liveWriter, kDay - 60);

    std::string fresh = writeImage(folder, "new.txt");
    EXPECT_FALSE(exists(unused));
    EXPECT_FALSE(exists(deadWriter));
    EXPECT_FALSE(exists(emptyDeadWriter));
    for (const std::string& path : {recent, foreign, otherName, liveWriter, link, elsewhere, fresh})
        EXPECT_TRUE(exists(path)) << path;
    // A write that replaces an image of a month ago keeps the new one.
    age(fresh, 40 * kDay);
    EXPECT_EQ(writeImage(folder, "new.txt"), fresh);
    EXPECT_TRUE(exists(fresh));
    EXPECT_EQ(sweepStaleImages(dir.file("no such folder"), std::time(nullptr)), 0);
}

TEST(ImageSweep, AnImageInUseIsNotSwept) {
    test::TempDir dir;
    std::string folder = dir.file("images");
    ImageFile used(folder, "grammar", 1, "grammar.txt", "rules");
    ASSERT_TRUE(used.write({"body"}));
    // Read a week after it was written: its time moves to the read.
    age(used.path(), 7 * kDay);
    ASSERT_TRUE(readsWhole(used));
    EXPECT_GE(modified(used.path()), std::time(nullptr) - 60);
    // A read within the day leaves the time alone (no write per start-up).
    age(used.path(), kDay / 2);
    time_t before = modified(used.path());
    ASSERT_TRUE(readsWhole(used));
    EXPECT_EQ(modified(used.path()), before);
    // So a sweep a month after the week-old read keeps it, and one past
    // a month without reads does not.
    EXPECT_EQ(sweepStaleImages(folder, std::time(nullptr) + 29 * kDay), 0);
    EXPECT_EQ(sweepStaleImages(folder, std::time(nullptr) + 31 * kDay), 1);
    EXPECT_FALSE(exists(used.path()));
}

TEST(ImageSweep, ADamagedImageIsNotKeptAliveByAFailedRead) {
    test::TempDir dir;
    std::string folder = dir.file("images");
    ImageFile image(folder, "grammar", 1, "grammar.txt", "rules");
    ASSERT_TRUE(image.write({"body"}));
    test::damage(image.path(), test::Damage::BodyByte);
    age(image.path(), 7 * kDay);
    time_t before = modified(image.path());
    EXPECT_FALSE(readsWhole(image));
    EXPECT_EQ(modified(image.path()), before);
}

TEST(ImageSweep, OnlyTheNamesImagesAreWrittenUnder) {
    EXPECT_TRUE(isImageName("grammar-03c856510d310e4a-1fcebeb1.img"));
    EXPECT_TRUE(isImageName("lexicon_2-0000000000000000-ffffffff.img"));
    for (const char* name : {"-03c856510d310e4a-1fcebeb1.img", "grammar-03C856510D310E4A-1fcebeb1.img",
                             "grammar-03c856510d310e4-1fcebeb1.img", "grammar-03c856510d310e4a-1fcebeb1.iso",
                             "Grammar-03c856510d310e4a-1fcebeb1.img", "grammar 03c856510d310e4a-1fcebeb1.img",
                             "grammar-03c856510d310e4a_1fcebeb1.img", "disk.img", ".img", ""})
        EXPECT_FALSE(isImageName(name)) << name;
    EXPECT_TRUE(isTemporaryImageName("grammar-03c856510d310e4a-1fcebeb1.img.aZ09xY"));
    for (const char* name : {"grammar-03c856510d310e4a-1fcebeb1.img", "grammar-03c856510d310e4a-1fcebeb1.img.aZ09x",
                             "grammar-03c856510d310e4a-1fcebeb1.img.aZ0-xY", "disk.img.aZ09xY"})
        EXPECT_FALSE(isTemporaryImageName(name)) << name;
}

}  // namespace
}  // namespace zintra
