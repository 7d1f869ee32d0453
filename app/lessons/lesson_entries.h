// The rows of the lesson files as the screens hold them. Texts are trimmed and
// cut to their field widths (in characters); numbers are 16-bit.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace korvel {

// Field widths, in characters.
inline constexpr int kMeaningWidth = 70;
inline constexpr int kSpellingWidth = 50;
inline constexpr int kWordKindWidth = 10;
inline constexpr int kSentenceNumberWidth = 4;
inline constexpr int kSentenceNumberWidthScreen = 5;  // the basic-sentence screen
inline constexpr int kJapaneseWidth = 50;
inline constexpr int kEnglishWidth = 100;
inline constexpr int kEnglishWidthScreen = 150;
inline constexpr int kItemNumberWidth = 5;
inline constexpr int kExampleTitleWidth = 50;
inline constexpr int kExampleTextWidth = 200;
inline constexpr int kGlossaryExplanationWidth = 300;

// Capacities of the tables and lists.
inline constexpr int kCourseWords = 1201;
inline constexpr int kScreenWords = 201;
inline constexpr int kCourseCompositions = 1001;
inline constexpr int kQuizSentences = 1001;
inline constexpr int kScreenSentences = 801;
inline constexpr int kWordExamples = 1201;
inline constexpr int kGlossaryRows = 301;

// The kind of a spoken phrase: listened to and imitated, never checked.
inline const QString kSpokenPhrase = QStringLiteral("話し言葉");

struct WordEntry {
    std::int16_t number = 0;  // 1..1201, unique over the course
    std::int16_t chapter = 0;
    std::int16_t listing = 0;  // 0: shown in the chapter's word list
    QString numberInChapter;   // column 4 as written
    QString meaning;           // the question side
    QString spelling;          // the answer side; several spellings separated by ","
    QString second;            // shown beside the word on the word study aid
    QString kind;
    // Learning state from the word log.
    std::int16_t tested = 0;       // -1 when the word has a WordLog record
    std::int16_t lastCorrect = 0;  // -1 when the newest record is right
    QString lastAnswer;
};

struct SentenceEntry {
    std::int16_t row = 0;  // 1..1001, unique over the course
    std::int16_t chapter = 0;
    QString number;  // the sentence's number in its chapter; rows of a dialogue share it
    QString japanese;
    QString english;
    std::int16_t flags = 0;

    // 100 or more: the rearrangement quiz keeps the first word's capital.
    bool keepsCapital() const { return flags >= 100; }
    // The remainder below 100: 0 one recording, 1..9 recording part "-h" + part,
    // 10 left out of the listening quiz.
    int recordingPart() const { return flags >= 100 ? flags - 100 : flags; }
    bool inListeningQuiz() const { return recordingPart() != 10; }
};

struct CompositionEntry {
    std::int16_t row = 0;  // 1..1001; slot row - 1 of the course table
    std::int16_t chapter = 0;
    QString item;  // the item's number in its chapter; the rows of one item share it
    QString japanese;
    QString english;  // the model answer
};

struct WordExample {
    enum Kind : std::int16_t { Example = 1, Explanation = 2, ExplanationAndExample = 3 };
    std::int16_t chapter = 0;
    std::int16_t number = 0;
    std::int16_t kind = 0;
    QString title;
    QString text;
};

// The course tables, indexed by number - 1; `count` is the number of the last row read.
struct CourseWords {
    std::vector<WordEntry> slots = std::vector<WordEntry>(kCourseWords);
    int count = 0;
};
struct CourseCompositions {
    std::vector<CompositionEntry> slots = std::vector<CompositionEntry>(kCourseCompositions);
    int count = 0;
};

struct Glossary {
    std::vector<QStringList> grid;  // row 0 the column titles; three columns each
    QStringList explanations;       // one per grid row
};

}  // namespace korvel
