// The listening quiz without its screen: the sentences still to hear (from
// the HExLog states), the shuffled order, play and check counts, the blank
// normalisation of answers, the result rows newest first, the HExLog record
// of each settled sentence and the UserLog record (kind 3). In the re-quiz
// (chapter 100) the sentences of every chapter whose newest result is wrong.
#pragma once

#include "app/lessons/lesson_entries.h"
#include "app/records/learning_log.h"
#include "app/records/test_run.h"

#include <QString>

#include <vector>

namespace korvel {

class Session;

// Blanks around punctuation normalised in place, each step until nothing is
// left of it: double blanks, a blank before a final ".", a blank before ",",
// "?" or "!", a blank after a final ".", a blank after ",", "?" or "!".
void chk_Blank(QString& text);

class ListeningQuiz {
public:
    enum class Verdict { None, Shown, Right, Wrong };

    struct ResultRow {
        QString number;  // finished sentences so far
        QString plays;
        QString mark;   // "○", "×" or "" when never checked
        QString model;  // the sentence and " (" + checks + " 回目 )"
    };

    explicit ListeningQuiz(Session& session);

    bool retest() const;
    QString caption() const;

    // "1度聞き取れた英文を再度聞き取りしますか？"; the speed "ゆっくり" (chapters
    // 1 and 2 only). Changes restart the quiz and are refused after the first play.
    bool listenAgain() const { return again_; }
    bool slow() const { return slow_; }
    bool slowOffered() const;
    bool setListenAgain(bool yes, const QString& answerBox);
    bool setSlow(bool slow);
    bool setChapter(int chapter, const QString& answerBox);
    bool played() const { return played_; }

    // Settles what is pending, writes the UserLog record of the run so far,
    // and builds the quiz again.
    void start(const QString& answerBox = {});

    int count() const { return static_cast<int>(list_.size()); }
    int position() const { return position_; }  // 1-based, 0 when there is nothing
    const SentenceEntry* current() const;
    bool ended() const { return ended_; }
    QString endMessage() const;

    // The speaker or F12: the recording to play (empty after the end).
    QString play();
    // F10: the model answer is shown; the text to show.
    QString showAnswer();
    // Enter with the answer box's text.
    Verdict check(const QString& answer);
    QString verdictText() const { return verdictText_; }
    int plays() const { return plays_; }
    int checks() const { return checks_; }

    // "次の聞き取りクイズ" or Down: settles the sentence and goes on; the
    // recording to play for the next sentence (empty at the end).
    QString next(const QString& answerBox);
    // Leaving the screen: settles and writes the UserLog record.
    void leave(const QString& answerBox);

    const std::vector<ResultRow>& results() const { return results_; }  // newest first
    const TestRun& run() const { return run_; }
    const ListeningStates& states() const { return *states_; }

private:
    void settle(const QString& answerBox);
    void prepare();
    QString recording() const;

    Session& session_;
    bool again_ = false;
    bool slow_ = false;
    bool played_ = false;
    std::unique_ptr<ListeningStates> states_;
    std::vector<SentenceEntry> list_;
    std::vector<int> order_;
    int position_ = 0;
    bool ended_ = false;
    bool settled_ = true;
    int plays_ = 0;
    int checks_ = 0;
    bool right_ = false;
    bool shown_ = false;
    QString typed_;
    QString verdictText_;
    int finished_ = 0;
    std::vector<ResultRow> results_;
    TestRun run_;
};

inline const QString kListeningTitle = QStringLiteral("聞き取りクイズ");
inline const QString kAnswerShownMessage = QStringLiteral("既に正解文を表示しているので\r\nチェックはしません。");

}  // namespace korvel
