#include "app/lessons/chapter_index.h"

#include "app/files/sjis_text.h"
#include "app/lessons/content_text.h"
#include "app/shell/session.h"

namespace korvel {

ChapterTitles parseChapterTitles(const QStringList& lines)
{
    ChapterTitles titles;
    for (std::size_t i = 0; i < titles.size() && i < static_cast<std::size_t>(lines.size()); ++i) {
        const QString& line = lines[static_cast<qsizetype>(i)];
        if (line.size() >= 2) {
            titles[i] = unquote_cell(line, CellMode::Text);
        }
    }
    return titles;
}

ChapterTitles get_Index(Session& session)
{
    const QString path = session.folders().lessonFile(QStringLiteral("目次.txt"));
    const sjis::TextFile file = sjis::readLines(path, 31);
    if (file.status != sjis::ReadStatus::Ok) {
        session.dsp_ErrorMsg(4, QStringLiteral("get_Index"), path + QStringLiteral(" フォルダー名 "));
        return {};
    }
    return parseChapterTitles(file.lines);
}

}  // namespace korvel
