#include "app/lessons/lesson_names.h"

#include "app/desktop/services.h"
#include "app/files/tab_fields.h"

#include <QFileInfo>

#include <algorithm>

namespace korvel {

namespace {

QString in(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}

}  // namespace

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString itemIdentifier(int chapter, const QString& item)
{
    return twoDigits(chapter) + QLatin1Char('-') + twoDigits(leadingInt16(item));
}

QString exerciseName(int chapter, const QString& item)
{
    return QStringLiteral("Lesson") + itemIdentifier(chapter, item);
}

QString explainPage(const Folders& folders, int chapter, int page)
{
    return in(folders.html, QStringLiteral("Explain") + twoDigits(chapter) + QLatin1Char('-') + twoDigits(page) +
                                QStringLiteral(".htm"));
}

int explainPageCount(const Folders& folders, int chapter)
{
    int pages = 0;
    while (pages < kMaxExplainPages && QFileInfo::exists(explainPage(folders, chapter, pages + 1))) {
        ++pages;
    }
    return pages;
}

QString lessonHtmPath(const Folders& folders)
{
    return in(folders.html, QStringLiteral("Lesson.htm"));
}

bool chapterHasSeveralSkits(int chapter)
{
    return chapter >= 24 && chapter <= 26;
}

QString skitPicture(const Folders& folders, int chapter, int skit)
{
    QString name = QStringLiteral("L") + twoDigits(chapter);
    if (chapterHasSeveralSkits(chapter)) {
        name += QChar(u'a' + static_cast<char16_t>(std::max(skit, 1) - 1));
    }
    return in(folders.image, name + QStringLiteral("-skit.jpg"));
}

QString wordPicture(const Folders& folders, int chapter, const QString& numberInChapter)
{
    return in(folders.image, QStringLiteral("w") + twoDigits(chapter) + QLatin1Char('-') +
                                 twoDigits(leadingInt16(numberInChapter)) + QStringLiteral(".jpg"));
}

QString speakerIcon(const Folders& folders, bool large)
{
    return in(folders.image, large ? QStringLiteral("speaker_L.gif") : QStringLiteral("speaker.gif"));
}

QString wordRecording(const Folders& folders, int chapter, const QString& numberInChapter)
{
    return in(folders.audioWord, QStringLiteral("w") + twoDigits(chapter) + QLatin1Char('-') +
                                     twoDigits(leadingInt16(numberInChapter)) + QStringLiteral(".mp3"));
}

QString sentenceRecording(const Folders& folders, int chapter, const QString& number, int part, bool slow)
{
    QString name = (slow ? QStringLiteral("ss") : QStringLiteral("s")) + twoDigits(chapter) + QLatin1Char('-') +
                   twoDigits(leadingInt16(number));
    if (part >= 1 && part <= 9) {
        name += QStringLiteral("-h") + QString::number(part);
    }
    return in(folders.audioSent, name + QStringLiteral(".mp3"));
}

QString modelRecording(const Folders& folders, int chapter, const QString& identifier, int picture, int subItems)
{
    const bool sentenceFolder = chapter >= 23 && chapter <= 27;
    const QString folder = sentenceFolder ? folders.audioSent : folders.audioExSent;
    const QString prefix = sentenceFolder ? QStringLiteral("s") : QStringLiteral("e");
    if (picture == 0) {
        const QString tail = identifier == QStringLiteral("23-12") ? QStringLiteral("-h1.mp3") : QStringLiteral(".mp3");
        return in(folder, prefix + identifier + tail);
    }
    const QString base = subItems < 2 ? identifier : identifier.left(identifier.size() - 1);
    return in(folder, prefix + base + QStringLiteral(".mp3"));
}

QString feedbackSound(const Folders& folders, bool right, Random& random, const Clock& clock)
{
    random.reseed(clock);
    const int choices = right ? 5 : 3;
    const int n = static_cast<int>(random.next() * choices) + 1;
    return in(folders.audioOKNG,
              (right ? QStringLiteral("ok_") : QStringLiteral("ng_")) + QString::number(n) + QStringLiteral(".mp3"));
}

}  // namespace korvel
