#include "app/exercises/study_aids.h"

#include "app/correction/correction.h"
#include "app/exercises/composition_test.h"
#include "app/lessons/lesson_names.h"
#include "app/lessons/lesson_readers.h"
#include "app/shell/session.h"

#include <QFile>

namespace korvel {

std::optional<int> pageBoxChoice(const QString& text, int count)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    // Digits only: a long run of them is simply past the last page.
    bool fits = false;
    const int asked = text.size() > 6 ? count + 1 : text.toInt(&fits);
    if (asked > count) {
        return count < 1 ? 1 : count;
    }
    return asked < 1 ? 1 : asked;
}

QString pageCountText(int count)
{
    return QString::number(count) + QStringLiteral("ページ／");
}

QString guidePage(const Folders& folders, int section, int page)
{
    return folders.html + QStringLiteral("/Guide") + twoDigits(section) + QLatin1Char('-') + twoDigits(page) +
           QStringLiteral(".htm");
}

int guidePageCount(const Folders& folders, int section)
{
    int count = 0;
    while (count < kMaxExplainPages) {
        QFile page(guidePage(folders, section, count + 1));
        if (!page.open(QIODevice::ReadOnly)) {
            break;
        }
        ++count;
    }
    return count;
}

QString shownPage(Session& session, const QString& page)
{
    if (session.currentUser().wideDisplay == -1) {
        return page;
    }
    return make_LessonHtm(session, page) ? lessonHtmPath(session.folders()) : QString();
}

QString flowerPicture(const Folders& folders, int row)
{
    return folders.image + QStringLiteral("/flower") + QString::number(row % 8) + QStringLiteral(".jpg");
}

QString openingFlower(const Folders& folders)
{
    return folders.image + QStringLiteral("/Flower1.jpg");
}

QString studyAidTemplate(int chapter, const QString& number)
{
    const bool lesson = chapter >= 23 && chapter <= 27;
    return (lesson ? QStringLiteral("Lesson") : QStringLiteral("khnbun")) + itemIdentifier(chapter, number);
}

SentenceAidResult checkBasicSentence(Session& session, EngineBinding& engine, int chapter, const QString& number,
                                     const QString& typed)
{
    SentenceAidResult result;
    if (typed.trimmed().isEmpty()) {
        return result;
    }
    if (hasForbiddenCharacter(typed)) {
        session.prompt().tell(kForbiddenInputTitle, kForbiddenInputMessage);
        result.kind = SentenceAidResult::Kind::Forbidden;
        return result;
    }
    QString sentence = typed;
    while (sentence.contains(QStringLiteral("  "))) {
        sentence.replace(QStringLiteral("  "), QStringLiteral(" "));
    }
    if (sentence.contains(QChar(0x3000))) {
        session.prompt().tell(kForbiddenInputTitle, kFullWidthBlankMessage);
        result.kind = SentenceAidResult::Kind::FullWidthBlank;
        return result;
    }
    result.sent = sentence.trimmed();
    Correction correction(session, engine);
    CorrectionInput input;
    input.mode = kModeText;
    input.exercise = studyAidTemplate(chapter, number);
    input.sentence = result.sent;
    input.quoteCheck = false;
    input.studyAid = true;
    const CorrectionResult& checked = correction.check(input);
    if (checked.failed()) {
        result.kind = SentenceAidResult::Kind::Failed;
        return result;
    }
    result.comments = checked.commentText;
    const bool right = checked.errorCount == 0;
    result.kind = right ? SentenceAidResult::Kind::Right : SentenceAidResult::Kind::Wrong;
    result.verdict = right ? QStringLiteral("正解！ ") : QStringLiteral("残念！ ");
    return result;
}

}  // namespace korvel
