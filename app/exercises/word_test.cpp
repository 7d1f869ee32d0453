#include "app/exercises/word_test.h"

#include "app/exercises/word_study.h"
#include "app/lessons/lesson_names.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/question_order.h"
#include "app/records/learning_log.h"
#include "app/shell/session.h"

namespace korvel {

namespace {

// The number state of the test: 0 not tested, 1 last answer wrong, 2 right.
int numberState(const WordEntry& word)
{
    if (word.tested == 0) {
        return 0;
    }
    return word.lastCorrect != 0 ? 2 : 1;
}

}  // namespace

QString splitMeaning(const QString& text, int width, bool* twoLines)
{
    const bool split = width > 0 && text.size() > width;
    if (twoLines != nullptr) {
        *twoLines = split;
    }
    return split ? text.left(width) + QLatin1Char('\r') + text.mid(width) : text;
}

WordTest::WordTest(Session& session, int meaningWidth) : session_(session), meaningWidth_(meaningWidth)
{
}

bool WordTest::retest() const
{
    return session_.chapter() == kRetestWords;
}

QString WordTest::caption() const
{
    if (retest()) {
        return QStringLiteral("テストで×の単語　再テスト");
    }
    return QStringLiteral("第") + QString::number(session_.chapter()) + QStringLiteral("章　単語テスト");
}

QStringList WordTest::columnTitles() const
{
    QStringList titles{QStringLiteral("No."), QStringLiteral("日本語"), QStringLiteral("英語"), QStringLiteral("判定"),
                       QStringLiteral("正解")};
    if (retest()) {
        titles << QStringLiteral("章");
    }
    return titles;
}

bool WordTest::setTestAgain(bool yes)
{
    if (started_) {
        return false;
    }
    again_ = yes;
    start();
    return true;
}

bool WordTest::setRandomOrder(bool randomOrder)
{
    if (started_) {
        return false;
    }
    random_ = randomOrder;
    start();
    return true;
}

bool WordTest::setChapter(int chapter)
{
    if (started_ || retest()) {
        return false;
    }
    session_.setChapter(
        static_cast<std::int16_t>(chapter >= 1 && chapter <= kChapterCount ? chapter : session_.chapter()));
    start();
    return true;
}

void WordTest::start()
{
    started_ = false;
    sound_ = Sound::None;
    course_.assign(kCourseWords, WordEntry{});
    for (int i = 0; i < kCourseWords; ++i) {
        course_[static_cast<std::size_t>(i)].number = static_cast<std::int16_t>(i + 1);
    }
    if (retest()) {
        get_NGWord(session_, course_);
    } else {
        get_OKWord(session_, course_);
    }
    const std::int16_t chapter = session_.chapter();
    const bool re = retest();
    const bool again = again_;
    list_ = get_Word(session_, [&](const WordEntry& word) {
        const int state = numberState(course_[static_cast<std::size_t>(word.number - 1)]);
        if (re) {
            return state == 1;
        }
        return word.chapter == chapter && (again || state != 2);
    });
    for (WordEntry& word : list_) {
        const WordEntry& known = course_[static_cast<std::size_t>(word.number - 1)];
        word.tested = known.tested;
        word.lastCorrect = known.lastCorrect;
        word.lastAnswer = known.lastAnswer;
    }
    run_.start(static_cast<int>(list_.size()));

    std::vector<int> order(list_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    if (random_) {
        QStringList groups;
        for (std::size_t i = 0; i < list_.size(); ++i) {
            groups << QString::number(i);  // every word on its own
        }
        session_.random().reseed(session_.clock());
        order = shuffledOrder(groups, session_.random());
    }
    grid_.clear();
    for (std::size_t r = 0; r < order.size(); ++r) {
        const WordEntry& word = list_[static_cast<std::size_t>(order[r])];
        GridRow row;
        row.entry = order[r];
        row.number = QString::number(r + 1);
        row.japanese = splitMeaning(word.meaning, meaningWidth_, &row.twoLines);
        row.chapter = QString::number(word.chapter);
        grid_.push_back(row);
    }
    selected_ = grid_.empty() ? 0 : 1;
}

void WordTest::select(int row)
{
    if (row >= 1 && row <= static_cast<int>(grid_.size())) {
        selected_ = row;
    }
}

bool WordTest::marked(int row) const
{
    return !grid_[static_cast<std::size_t>(row - 1)].mark.isEmpty();
}

bool WordTest::key(Key pressed, const QString& text)
{
    if (selected_ == 0) {
        return false;
    }
    switch (pressed) {
    case Key::Up:
        if (selected_ > 1) {
            --selected_;
            return true;
        }
        return false;
    case Key::Down:
        if (selected_ < static_cast<int>(grid_.size())) {
            ++selected_;
            return true;
        }
        return false;
    case Key::Enter:
        if (text.trimmed().isEmpty() || marked(selected_)) {
            return false;
        }
        check(text);
        return true;
    }
    return false;
}

void WordTest::check(const QString& text)
{
    GridRow& row = grid_[static_cast<std::size_t>(selected_ - 1)];
    WordEntry& word = list_[static_cast<std::size_t>(row.entry)];
    const QString answer = text.trimmed();
    row.answer = answer;
    const bool right = spellingAccepts(word.spelling, answer);
    row.mark = right ? QStringLiteral("○") : QStringLiteral("×");
    row.right = right ? QString() : word.spelling;
    word.tested = -1;
    word.lastCorrect = right ? -1 : 0;
    word.lastAnswer = answer;
    run_.settle(right);
    started_ = true;

    WordLogRecord record;
    record.when = session_.clock().now();
    record.word = word.number;
    record.chapter = word.chapter;
    record.right = right ? -1 : 0;
    record.answer = answer;
    put_WordLog(session_, record);
    sound_ = right ? Sound::Right : Sound::Wrong;
    if (selected_ < static_cast<int>(grid_.size())) {
        ++selected_;
    }
}

QString WordTest::soundFile(Sound sound) const
{
    if (sound == Sound::None || session_.currentUser().soundOn != -1) {
        return {};
    }
    return feedbackSound(session_.folders(), sound == Sound::Right, session_.random(), session_.clock());
}

void WordTest::leave()
{
    put_UserLog(session_, run_, TestKind::WordTest);
}

std::int16_t WordTest::chapterForFunction(int index) const
{
    if (!retest()) {
        return session_.chapter();
    }
    return index == 7 ? kRetestCompositions : std::int16_t{1};
}

}  // namespace korvel
