// The words screen and its study aid without widgets: the spelling check
// shared with the word test, the words list with the review option, and what
// the study aid shows for one word.
#pragma once

#include "app/lessons/lesson_entries.h"

#include <QString>

#include <vector>

namespace korvel {

class Session;

// True when the typed text, trimmed, equals one of the spellings exactly
// (the spellings are separated by "," and trimmed; capitals and punctuation
// count). An empty text is never right.
bool spellingAccepts(const QString& spelling, const QString& typed);

struct WordsOptions {
    bool review = true;       // "単語テストで正解した単語を復習しますか？"
    bool showEnglish = true;  // "オタスケ画面で英語を表示しますか？"
    bool playFirst = true;    // "最初、単語の音声を出しますか？"
};

// The words list of the current chapter (row 0 the title row) with the word
// log's states; without review, the words whose newest answer was right are
// left out.
std::vector<WordEntry> wordsList(Session& session, bool review);

struct WordAidView {
    QString meaning;
    QString kind;
    QString state;         // "習得済", "未修得" or "未テスト"
    QString instruction;   // the typing hint, or the spoken-phrase note
    bool typing = true;    // false for a spoken phrase
    QString second;        // column 7, shown with the first sound
    QString spelling;      // blank unless the English is shown
    QString picture;       // empty when the word has no picture
    QString recording;     // played at once when not empty
    QString exampleTitle;  // "例文", "説明" or "説明と例文"
    QString exampleText;
};

WordAidView wordAidView(Session& session, const WordEntry& word, const std::vector<WordExample>& examples,
                        const WordsOptions& options);

inline const QString kWordTypingHint =
    QStringLiteral("何度もつづりをタイプして単語を習得しましょう。     Ｅｎｔｅｒキーでチェックします。");
inline const QString kSpokenPhraseNote = QStringLiteral(
    "話し言葉はネイティブの音声を聞いてまねをしたり、例文をそのまま覚えたりして\r\n"
    "習得しましょう。ここではチェックしません。");

struct AidVerdict {
    bool checked = false;  // false: nothing typed
    bool right = false;
    QString text;  // "正解 !  " or "残念 !  " followed by the typed text
};
AidVerdict checkWordAid(const WordEntry& word, const QString& typed);

// The example title of a kind 1..3; empty for any other.
QString exampleKindTitle(int kind);

}  // namespace korvel
