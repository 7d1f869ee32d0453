#include "app/exercises/composition_test.h"

#include "app/files/sjis_text.h"
#include "app/lessons/lesson_names.h"
#include "app/lessons/question_order.h"
#include "app/records/learning_log.h"
#include "app/shell/session.h"

namespace korvel {

CompositionTest::CompositionTest(Session& session, int japaneseWidth)
    : session_(session), japaneseWidth_(std::max(japaneseWidth, 1))
{
}

bool CompositionTest::retest() const
{
    return session_.chapter() == kRetestCompositions;
}

QString CompositionTest::caption() const
{
    if (retest()) {
        return QStringLiteral("テストで×の英作文　再テスト");
    }
    return QStringLiteral("第") + QString::number(session_.chapter()) + QStringLiteral("章　英作文テスト");
}

QStringList CompositionTest::columnTitles() const
{
    QStringList titles{QStringLiteral("No."), QStringLiteral("日本文"), QStringLiteral("英文"), QStringLiteral("判")};
    if (retest()) {
        titles.append(QStringLiteral("章"));
    }
    return titles;
}

bool CompositionTest::setTestAgain(TestAgain again)
{
    if (started_) {
        return false;
    }
    again_ = again;
    start();
    return true;
}

bool CompositionTest::setChapter(int chapter)
{
    if (started_ || retest() || chapter < 1 || chapter > kChapterCount) {
        return false;
    }
    session_.setChapter(static_cast<std::int16_t>(chapter));
    start();
    return true;
}

void CompositionTest::start()
{
    run_.start(0);
    Random& random = session_.random();
    random.reseed(session_.clock());
    states_.clear();
    list_.clear();
    grid_.clear();
    selected_ = 0;
    correcting_ = 0;
    if (retest()) {
        get_NGsent(session_, states_);
    } else if (again_ == TestAgain::No) {
        get_OKsent(session_, states_);
    }
    get_ExSentStrNo(session_, states_);
    list_ = get_ExSent_test(session_, states_, again_);
    run_.questions = static_cast<std::int16_t>(list_.size());
    fillGrid();
}

void CompositionTest::fillGrid()
{
    std::vector<int> order;
    if (session_.chapter() == kChapterCount) {
        for (std::size_t i = 0; i < list_.size(); ++i) {
            order.push_back(static_cast<int>(i));
        }
    } else {
        // The rows of one item share chapter and item number and so their key.
        QStringList groups;
        for (const TestListEntry& test : list_) {
            groups.append(QString::number(test.entry.chapter) + QLatin1Char('-') + test.entry.item);
        }
        order = shuffledOrder(groups, session_.random());
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        const CompositionEntry& entry = list_[static_cast<std::size_t>(order[k])].entry;
        GridRow row;
        row.entry = order[k];
        row.number = QString::number(k + 1);
        row.japanese = entry.japanese;
        if (row.japanese.size() > japaneseWidth_) {
            row.japanese = entry.japanese.left(japaneseWidth_) + QLatin1Char('\r') + entry.japanese.mid(japaneseWidth_);
            row.twoLines = true;
        }
        if (retest()) {
            row.chapter = QString::number(entry.chapter);
        }
        const CompositionItemState& state = states_.at(entry.row);
        if (again_ == TestAgain::No && state.state == LastRight) {
            row.mark = kMasteredMark;
            row.answer = state.lastAnswer;
            --run_.questions;
        }
        grid_.push_back(row);
    }
    for (std::size_t r = 0; r < grid_.size(); ++r) {
        if (grid_[r].mark != kMasteredMark) {
            selected_ = static_cast<int>(r) + 1;
            break;
        }
    }
    if (selected_ == 0 && !grid_.empty()) {
        selected_ = 1;
    }
}

void CompositionTest::select(int row)
{
    if (row >= 1 && row <= static_cast<int>(grid_.size())) {
        selected_ = row;
    }
}

QString CompositionTest::selectedAnswer() const
{
    return selected_ == 0 ? QString() : grid_[static_cast<std::size_t>(selected_ - 1)].answer;
}

bool CompositionTest::marked(int row) const
{
    return !grid_[static_cast<std::size_t>(row - 1)].mark.isEmpty();
}

CompositionTest::KeyOutcome CompositionTest::key(Key key, const QString& text)
{
    KeyOutcome outcome;
    if (selected_ == 0) {
        return outcome;
    }
    if (key == Key::Up) {
        select(selected_ - 1);
        outcome.kind = KeyOutcome::Kind::Moved;
        return outcome;
    }
    const QString answer = sjis::trimBlanks(text.trimmed());
    if (answer.isEmpty() || marked(selected_)) {
        select(selected_ + 1);
        outcome.kind = KeyOutcome::Kind::Moved;
        return outcome;
    }
    if (hasForbiddenCharacter(answer)) {
        session_.prompt().tell(kForbiddenInputTitle, kForbiddenInputMessage);
        outcome.kind = KeyOutcome::Kind::Forbidden;
        return outcome;
    }
    grid_[static_cast<std::size_t>(selected_ - 1)].answer = answer;
    ++run_.answered;
    started_ = true;
    correcting_ = selected_;
    outcome.kind = KeyOutcome::Kind::Correct;
    outcome.request = requestFor(selected_);
    return outcome;
}

CompositionTest::Mark CompositionTest::finish(const CompositionResult& result)
{
    const int row = correcting_;
    correcting_ = 0;
    if (row == 0) {
        return Mark::None;
    }
    GridRow& shown = grid_[static_cast<std::size_t>(row - 1)];
    if (result.verdict == CompositionResult::Verdict::Failed) {
        shown.answer.clear();
        return Mark::None;
    }
    TestListEntry& test = list_[static_cast<std::size_t>(shown.entry)];
    test.tested = -1;
    test.text = shown.answer;
    const bool right = result.verdict == CompositionResult::Verdict::Right;
    shown.mark = right ? kRightMark : kWrongMark;
    ++(right ? run_.right : run_.wrong);
    if (session_.chapter() == kChapterCount) {
        test.right = right ? -1 : 0;
    }
    return right ? Mark::Right : Mark::Wrong;
}

std::optional<CompositionRequest> CompositionTest::click(int row)
{
    if (row < 1 || row > static_cast<int>(grid_.size())) {
        return std::nullopt;
    }
    select(row);
    const QString& mark = grid_[static_cast<std::size_t>(row - 1)].mark;
    if (mark != kRightMark && mark != kWrongMark) {
        return std::nullopt;
    }
    CompositionRequest request = requestFor(row);
    request.logRequest = false;
    return request;
}

CompositionRequest CompositionTest::requestFor(int row) const
{
    const GridRow& shown = grid_[static_cast<std::size_t>(row - 1)];
    const CompositionEntry& entry = list_[static_cast<std::size_t>(shown.entry)].entry;
    CompositionRequest request;
    request.chapter = entry.chapter;
    request.item = entry.item;
    request.identifier = itemIdentifier(entry.chapter, entry.item);
    request.exerciseName = exerciseName(entry.chapter, entry.item);
    // The item's rows stand next to each other in the grid.
    int first = row;
    auto sameItem = [&](int r) {
        const CompositionEntry& other =
            list_[static_cast<std::size_t>(grid_[static_cast<std::size_t>(r - 1)].entry)].entry;
        return other.chapter == entry.chapter && other.item == entry.item;
    };
    while (first > 1 && sameItem(first - 1)) {
        --first;
    }
    for (int r = first; r <= static_cast<int>(grid_.size()) && sameItem(r) &&
                        request.rows.size() < static_cast<std::size_t>(kMaxSubItems);
         ++r) {
        const GridRow& g = grid_[static_cast<std::size_t>(r - 1)];
        const CompositionEntry& e = list_[static_cast<std::size_t>(g.entry)].entry;
        if (r == row) {
            request.selected = static_cast<int>(request.rows.size());
        }
        request.rows.push_back({e.row, e.japanese, e.english, g.answer});
    }
    request.answer = shown.answer;
    return request;
}

void CompositionTest::leave()
{
    put_UserLog(session_, run_, TestKind::CompositionTest);
}

std::int16_t CompositionTest::chapterForFunction(int index) const
{
    if (!retest()) {
        return session_.chapter();
    }
    return index == 6 ? kRetestWords : std::int16_t{1};
}

}  // namespace korvel
