// The chapter texts (goals, summary), the glossary and the rewritten lesson page.
#include "app/files/sjis_text.h"
#include "app/files/tab_fields.h"
#include "app/lessons/content_text.h"
#include "app/lessons/lesson_names.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/lesson_reading.h"
#include "app/shell/session.h"

#include <QSaveFile>

namespace korvel {

using lesson_reading::field;

QString dsp_Menu(Session& session)
{
    const auto lines =
        lesson_reading::lessonLines(session, QStringLiteral("学習目標.txt"), QStringLiteral("dsp_Menu"), 31);
    const int chapter = session.chapter();
    if (!lines || chapter < 1 || chapter > lines->size()) {
        return {};
    }
    const QString& line = (*lines)[chapter - 1];
    return line.size() >= 2 ? unquote_cell(line, CellMode::Text) : QString();
}

QString dsp_Matome(Session& session)
{
    const auto lines =
        lesson_reading::lessonLines(session, QStringLiteral("まとめ.txt"), QStringLiteral("dsp_Matome"), 29);
    const int chapter = session.chapter();
    if (!lines || chapter < 1 || chapter > lines->size()) {
        return {};
    }
    QString text = sjis::trimBlanks((*lines)[chapter - 1]);
    if (text.startsWith(QLatin1Char('"'))) {
        text = text.size() >= 2 ? text.mid(1, text.size() - 2) : QString();
    }
    if (text.size() <= 1) {
        return {};
    }
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

Glossary get_用語一覧(Session& session)
{
    const QString fileName = QStringLiteral("用語一覧.txt");
    const QString routine = QStringLiteral("get_用語一覧");
    Glossary glossary;
    const auto lines = lesson_reading::lessonLines(session, fileName, routine);
    if (!lines) {
        return glossary;
    }
    for (const QString& line : *lines) {
        if (glossary.grid.size() >= static_cast<std::size_t>(kGlossaryRows)) {
            lesson_reading::reportFull(session, fileName, routine);
            break;
        }
        TabCursor cursor(line);
        const QString term = sjis::trimBlanks(cursor.next());
        const QString reading = sjis::trimBlanks(unquote_cell(cursor.next(), CellMode::Line));
        const QString third = sjis::trimBlanks(cursor.next());
        QString rest = cursor.next();
        while (!cursor.atEnd()) {
            rest += QLatin1Char('\t') + cursor.next();
        }
        glossary.grid.push_back({term, reading, third});
        glossary.explanations.append(field(unquote_cell(rest, CellMode::Text), kGlossaryExplanationWidth));
    }
    return glossary;
}

QString lessonHtmText(const QStringList& lines)
{
    QString page = lines.join(QString());
    const QString from = QStringLiteral("<BASEFONT SIZE=3>");
    const qsizetype at = page.indexOf(from);
    if (at >= 0) {
        page.replace(at, from.size(), QStringLiteral("<BASEFONT SIZE=2>"));
    }
    return page;
}

bool make_LessonHtm(Session& session, const QString& pagePath)
{
    const sjis::TextFile page = sjis::readLines(pagePath);
    if (page.status != sjis::ReadStatus::Ok) {
        session.dsp_ErrorMsg(4, QStringLiteral("make_LessonHtm"), pagePath + QStringLiteral(" フォルダー名 "));
        return false;
    }
    // Written whole or not at all: a failed write keeps the previous page.
    const QString target = lessonHtmPath(session.folders());
    QSaveFile out(target);
    const QByteArray bytes = sjis::encode(lessonHtmText(page.lines));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        session.dsp_ErrorMsg(3, QStringLiteral("make_Htm"), target + QStringLiteral(" フォルダー名 "));
        return false;
    }
    return true;
}

}  // namespace korvel
