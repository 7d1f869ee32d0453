#include "app/lessons/lesson_reading.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

namespace korvel::lesson_reading {

std::optional<QStringList> lessonLines(Session& session, const QString& fileName, const QString& routine, int maxLines)
{
    const QString path = session.folders().lessonFile(fileName);
    sjis::TextFile file = sjis::readLines(path, maxLines);
    if (file.status != sjis::ReadStatus::Ok) {
        session.dsp_ErrorMsg(4, routine, path + QStringLiteral(" フォルダー名 "));
        return std::nullopt;
    }
    return std::move(file.lines);
}

void reportFull(Session& session, const QString& fileName, const QString& routine)
{
    session.dsp_ErrorMsg(4, routine, session.folders().lessonFile(fileName) + QStringLiteral(" フォルダー名 "));
}

QString field(const QString& text, int width)
{
    return sjis::trimBlanks(sjis::trimBlanks(text).left(width));
}

}  // namespace korvel::lesson_reading
