// What the lesson readers share: opening a file with the common report, the
// capacity report, and the trimming and cutting of fields.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace korvel {

class Session;

namespace lesson_reading {

// The lines of a Lesson-folder file, or nothing after reporting it (row 4,
// `routine`, the path + " フォルダー名 "). maxLines < 0 reads all.
std::optional<QStringList> lessonLines(Session& session, const QString& fileName, const QString& routine,
                                       int maxLines = -1);
// A list is full: the same report, naming the file.
void reportFull(Session& session, const QString& fileName, const QString& routine);
// The text trimmed of blanks and cut to `width` characters.
QString field(const QString& text, int width);

}  // namespace lesson_reading
}  // namespace korvel
