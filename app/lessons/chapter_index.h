// The chapter titles of the course, read from "目次.txt" in the Lesson folder.
#pragma once

#include <QString>

#include <array>

namespace korvel {

class Session;

using ChapterTitles = std::array<QString, 28>;

// Parses the file's lines: line k is chapter k's title; lines past the 28th
// are not used. A line shorter than 2 characters gives an empty title.
ChapterTitles parseChapterTitles(const QStringList& lines);

// Reads "目次.txt" (at most 31 lines). A file that cannot be read is reported
// as error row 4 with the routine "get_Index"; every title is then empty.
ChapterTitles get_Index(Session& session);

}  // namespace korvel
