// View 1, the progress table: per chapter and kind the items right, wrong and
// untested by their newest result, and the progress in per cent.
#include "app/records/record_rounding.h"
#include "app/records/record_view_parts.h"
#include "app/shell/session.h"

#include <array>

namespace korvel::record_views {

namespace {

struct Counts {
    int right = 0;
    int wrong = 0;
    int untested = 0;
    int total() const { return right + wrong + untested; }
    void add(bool tested, bool isRight) { ++(!tested ? untested : (isRight ? right : wrong)); }
};

// Per chapter 1..28 (index 0 the total): listening, words, compositions.
using Table = std::array<std::array<Counts, 3>, kChapterCount + 1>;

void count(Table& table, int chapter, int kind, bool tested, bool right)
{
    table[0][static_cast<std::size_t>(kind)].add(tested, right);
    if (chapter >= 1 && chapter <= kChapterCount) {
        table[static_cast<std::size_t>(chapter)][static_cast<std::size_t>(kind)].add(tested, right);
    }
}

// A count right-aligned to 4 characters with blanks.
QString cell(int n)
{
    return QStringLiteral("%1").arg(n, 4);
}

}  // namespace

RecordGrid progressTable(const RecordSources& s)
{
    RecordGrid grid;
    grid.view = 1;
    const QStringList groups = {QStringLiteral("聞取 "), QStringLiteral("単語 "), QStringLiteral("英作文")};
    QStringList first = {QStringLiteral("章")};
    QStringList second = {QString()};
    first << groups;
    second << QStringLiteral("進度 ") << QStringLiteral("進度 ") << QStringLiteral("進度 ");
    for (const QString& group : groups) {
        first << group << QString() << QString() << QString();
        second << QStringLiteral("○ ") << QStringLiteral("× ") << QStringLiteral("未ﾃｽﾄ") << QStringLiteral("総数 ");
    }
    grid.titleRows = {first, second};
    for (int c = 1; c < 16; ++c) {
        grid.rightAligned.push_back(c);
    }
    if (!s.wordLog || !s.sentLog || !s.hexLog) {
        grid.complete = false;
        return grid;
    }

    Table table{};
    const auto listening = newestListeningRecords(*s.hexLog);
    for (const SentenceEntry& sentence : s.sentences) {
        if (sentence.english.isEmpty()) {
            continue;
        }
        const auto found = listening.find(sentence.row);
        const bool tested = found != listening.end();
        count(table, sentence.chapter, 0, tested, tested && found->second.newest.right != 0);
    }
    const auto words = newestWordRecords(*s.wordLog);
    for (const WordEntry& word : s.words.slots) {
        if (word.number <= 0 || word.kind == kSpokenPhrase) {
            continue;
        }
        const auto found = words.find(word.number);
        const bool tested = found != words.end();
        count(table, word.chapter, 1, tested, tested && found->second.right != 0);
    }
    const auto compositions = newestSentRecords(*s.sentLog);
    for (const CompositionEntry& entry : s.compositions.slots) {
        if (entry.row <= 0) {
            continue;
        }
        const auto found = compositions.find(entry.row);
        const bool tested = found != compositions.end();
        count(table, entry.chapter, 2, tested, tested && found->second.right != 0);
    }

    auto row = [&](std::size_t chapter, const QString& label, const QString& percent) {
        QStringList cells = {label};
        for (const Counts& c : table[chapter]) {
            const QString progress = progressText(c.right, c.total());
            cells << (progress.isEmpty() ? progress : progress + percent);
        }
        for (const Counts& c : table[chapter]) {
            cells << cell(c.right) << cell(c.wrong) << cell(c.untested) << cell(c.total());
        }
        grid.addRow(cells);
    };
    for (std::size_t chapter = 1; chapter <= kChapterCount; ++chapter) {
        row(chapter, QString::number(chapter), QString());
    }
    row(0, QStringLiteral("全体"), QStringLiteral(" %"));
    return grid;
}

}  // namespace korvel::record_views
