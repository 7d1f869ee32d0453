#include "app/exercises/word_study.h"

#include "app/lessons/lesson_names.h"
#include "app/lessons/lesson_readers.h"
#include "app/records/learning_log.h"
#include "app/shell/session.h"

#include <QFileInfo>

namespace korvel {

bool spellingAccepts(const QString& spelling, const QString& typed)
{
    const QString answer = typed.trimmed();
    if (answer.isEmpty()) {
        return false;
    }
    for (const QString& part : spelling.split(QLatin1Char(','))) {
        if (part.trimmed() == answer) {
            return true;
        }
    }
    return false;
}

std::vector<WordEntry> wordsList(Session& session, bool review)
{
    std::vector<WordEntry> list = set_WordText(session);
    get_WordLog(session, list);
    if (review || list.empty()) {
        return list;
    }
    std::vector<WordEntry> kept{list.front()};
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (!(list[i].tested != 0 && list[i].lastCorrect != 0)) {
            kept.push_back(list[i]);
        }
    }
    return kept;
}

QString exampleKindTitle(int kind)
{
    switch (kind) {
    case WordExample::Example: return QStringLiteral("例文");
    case WordExample::Explanation: return QStringLiteral("説明");
    case WordExample::ExplanationAndExample: return QStringLiteral("説明と例文");
    default: return {};
    }
}

WordAidView wordAidView(Session& session, const WordEntry& word, const std::vector<WordExample>& examples,
                        const WordsOptions& options)
{
    WordAidView view;
    view.meaning = word.meaning;
    view.kind = word.kind;
    view.state = wordStateText(word);
    view.typing = word.kind.trimmed() != kSpokenPhrase;
    view.instruction = view.typing ? kWordTypingHint : kSpokenPhraseNote;
    if (options.playFirst) {
        view.second = word.second;
        view.recording = wordRecording(session.folders(), word.chapter, word.numberInChapter);
    }
    if (options.showEnglish) {
        view.spelling = word.spelling;
    }
    const QString picture = wordPicture(session.folders(), word.chapter, word.numberInChapter);
    if (QFileInfo::exists(picture)) {
        view.picture = picture;
    }
    const int number = word.numberInChapter.toInt();
    for (const WordExample& example : examples) {
        if (example.chapter == word.chapter && example.number == number) {
            view.exampleTitle = exampleKindTitle(example.kind);
            view.exampleText = example.text;
            break;
        }
    }
    return view;
}

AidVerdict checkWordAid(const WordEntry& word, const QString& typed)
{
    AidVerdict verdict;
    const QString answer = typed.trimmed();
    if (answer.isEmpty()) {
        return verdict;
    }
    verdict.checked = true;
    verdict.right = spellingAccepts(word.spelling, answer);
    verdict.text = (verdict.right ? QStringLiteral("正解 !  ") : QStringLiteral("残念 !  ")) + answer;
    return verdict;
}

}  // namespace korvel
