#include "app/exercises/listening_quiz.h"

#include "app/exercises/rearrangement.h"
#include "app/lessons/lesson_names.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/question_order.h"
#include "app/shell/session.h"

#include <memory>

namespace korvel {

namespace {

bool isMark(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char('?') || c == QLatin1Char('!');
}

bool onlyBlanksAfter(const QString& text, qsizetype at)
{
    for (qsizetype i = at; i < text.size(); ++i) {
        if (text[i] != QLatin1Char(' ')) {
            return false;
        }
    }
    return true;
}

// Removes the blanks found by `blankAt` until none is left.
template <class Found>
void removeEach(QString& text, Found blankAt)
{
    for (;;) {
        const qsizetype at = blankAt(text);
        if (at < 0) {
            return;
        }
        text.remove(at, 1);
    }
}

}  // namespace

void chk_Blank(QString& text)
{
    removeEach(text, [](const QString& t) { return t.indexOf(QStringLiteral("  ")); });
    removeEach(text, [](const QString& t) -> qsizetype {
        for (qsizetype i = 0; i + 1 < t.size(); ++i) {
            if (t[i] == QLatin1Char(' ') && t[i + 1] == QLatin1Char('.') && onlyBlanksAfter(t, i + 2)) {
                return i;
            }
        }
        return -1;
    });
    removeEach(text, [](const QString& t) -> qsizetype {
        for (qsizetype i = 0; i + 1 < t.size(); ++i) {
            if (t[i] == QLatin1Char(' ') && isMark(t[i + 1])) {
                return i;
            }
        }
        return -1;
    });
    removeEach(text, [](const QString& t) -> qsizetype {
        for (qsizetype i = 0; i + 1 < t.size(); ++i) {
            if (t[i] == QLatin1Char('.') && t[i + 1] == QLatin1Char(' ') && onlyBlanksAfter(t, i + 1)) {
                return i + 1;
            }
        }
        return -1;
    });
    removeEach(text, [](const QString& t) -> qsizetype {
        for (qsizetype i = 0; i + 1 < t.size(); ++i) {
            if (isMark(t[i]) && t[i + 1] == QLatin1Char(' ')) {
                return i + 1;
            }
        }
        return -1;
    });
}

ListeningQuiz::ListeningQuiz(Session& session) : session_(session), states_(std::make_unique<ListeningStates>())
{
}

bool ListeningQuiz::retest() const
{
    return session_.chapter() == kRetestListening;
}

QString ListeningQuiz::caption() const
{
    if (retest()) {
        return QStringLiteral("聞き取りで×の英文　再クイズ");
    }
    return QStringLiteral("第") + QString::number(session_.chapter()) + QStringLiteral("章　聞き取りクイズ");
}

bool ListeningQuiz::slowOffered() const
{
    return session_.chapter() == 1 || session_.chapter() == 2;
}

bool ListeningQuiz::setListenAgain(bool yes, const QString& answerBox)
{
    if (played_) {
        return false;
    }
    again_ = yes;
    start(answerBox);
    return true;
}

bool ListeningQuiz::setSlow(bool slowSpeed)
{
    if (played_) {
        return false;
    }
    slow_ = slowSpeed && slowOffered();
    return true;
}

bool ListeningQuiz::setChapter(int chapter, const QString& answerBox)
{
    if (played_ || retest() || chapter < 1 || chapter > kChapterCount - 1) {
        return false;
    }
    session_.setChapter(static_cast<std::int16_t>(chapter));
    slow_ = slow_ && slowOffered();
    start(answerBox);
    return true;
}

void ListeningQuiz::start(const QString& answerBox)
{
    if (!settled_) {
        settle(answerBox);
    }
    put_UserLog(session_, run_, TestKind::ListeningQuiz);
    *states_ = ListeningStates{};
    const bool re = retest();
    if (!again_ || re) {
        get_HExLog(session_, *states_);
    }
    const bool again = again_;
    const ListeningStates& states = *states_;
    list_ = get_聞き取り基本文(session_, [&](const SentenceEntry& row) {
        if (row.row < 0 || row.row >= kListeningRows) {
            return false;
        }
        const ListeningState& state = states[static_cast<std::size_t>(row.row)];
        if (re) {
            return state.seen != 0 && state.right == 0;
        }
        return again || state.right == 0;
    });
    run_.start(count());
    results_.clear();
    finished_ = 0;
    played_ = false;
    if (list_.empty()) {
        order_.clear();
        position_ = 0;
        ended_ = true;
        settled_ = true;
        return;
    }
    ended_ = false;
    session_.random().reseed(session_.clock());
    order_ = shuffledOrder(sentenceGroups(list_), session_.random());
    position_ = 1;
    prepare();
    plays_ = 0;
}

void ListeningQuiz::prepare()
{
    plays_ = 1;
    checks_ = 0;
    right_ = false;
    shown_ = false;
    typed_.clear();
    verdictText_.clear();
    settled_ = false;
}

const SentenceEntry* ListeningQuiz::current() const
{
    if (ended_ || position_ < 1 || position_ > count()) {
        return nullptr;
    }
    return &list_[static_cast<std::size_t>(order_[static_cast<std::size_t>(position_ - 1)])];
}

QString ListeningQuiz::endMessage() const
{
    return retest() ? QStringLiteral("聞き取り再クイズは終了しました。")
                    : QStringLiteral("聞き取りクイズは終了しました。");
}

QString ListeningQuiz::recording() const
{
    const SentenceEntry* row = current();
    if (row == nullptr) {
        return {};
    }
    const int chapter = retest() ? row->chapter : session_.chapter();
    return sentenceRecording(session_.folders(), chapter, row->number, row->recordingPart(),
                             slow_ && (chapter == 1 || chapter == 2));
}

QString ListeningQuiz::play()
{
    if (current() == nullptr) {
        return {};
    }
    if (plays_ == 0) {
        plays_ = 1;  // the sentence's first play
    } else if (!right_) {
        ++plays_;
    }
    played_ = true;
    return recording();
}

QString ListeningQuiz::showAnswer()
{
    const SentenceEntry* row = current();
    if (row == nullptr) {
        return {};
    }
    shown_ = true;
    return row->japanese + QStringLiteral("\n") + row->english;
}

ListeningQuiz::Verdict ListeningQuiz::check(const QString& answer)
{
    const SentenceEntry* row = current();
    QString typed = answer.trimmed();
    if (row == nullptr || typed.isEmpty() || right_) {
        return Verdict::None;
    }
    if (shown_) {
        return Verdict::Shown;
    }
    ++checks_;
    typed_ = typed;
    QString model = row->english.trimmed();
    chk_Blank(typed);
    chk_Blank(model);
    right_ = typed == model;
    const QString tries = QStringLiteral("(") + QString::number(checks_) + QStringLiteral("回目)");
    verdictText_ = (right_ ? QStringLiteral("正解です。") : QStringLiteral("間違っています。")) + tries;
    return right_ ? Verdict::Right : Verdict::Wrong;
}

void ListeningQuiz::settle(const QString& answerBox)
{
    const SentenceEntry* row = current();
    settled_ = true;
    if (row == nullptr) {
        return;
    }
    ++finished_;
    ResultRow result;
    result.number = QString::number(finished_);
    result.plays = QString::number(plays_);
    if (checks_ > 0) {
        result.mark = right_ ? QStringLiteral("○") : QStringLiteral("×");
    }
    result.model = row->english + QStringLiteral(" (") + QString::number(checks_) + QStringLiteral(" 回目 )");
    results_.insert(results_.begin(), result);
    if (checks_ == 0) {
        return;
    }
    run_.settle(right_);
    if (!answerBox.trimmed().isEmpty()) {
        HExLogRecord record;
        record.row = row->row;
        record.chapter = session_.chapter();
        record.typed = typed_;
        record.plays = static_cast<std::int16_t>(plays_);
        record.checks = static_cast<std::int16_t>(checks_);
        record.right = right_ ? -1 : 0;
        record.when = session_.clock().now();
        put_HExLog(session_, record);
        typed_.clear();
    }
}

QString ListeningQuiz::next(const QString& answerBox)
{
    if (current() == nullptr) {
        return {};
    }
    settle(answerBox);
    if (position_ >= count()) {
        ended_ = true;
        return {};
    }
    ++position_;
    prepare();
    return recording();
}

void ListeningQuiz::leave(const QString& answerBox)
{
    if (!settled_) {
        settle(answerBox);
    }
    put_UserLog(session_, run_, TestKind::ListeningQuiz);
}

}  // namespace korvel
