// The word views (3 to 7), the composition views (8 to 12) and the listening
// views (14 to 18): histories of the log records, the items by their newest
// result, and the course's items with their learning state.
#include "app/lessons/lesson_names.h"
#include "app/records/record_view_parts.h"

#include <algorithm>

namespace korvel::record_views {

namespace {

const QString kNo = QStringLiteral("No");
const QString kId = QStringLiteral("ID");
const QString kChapter = QStringLiteral("章");

QString wordId(const WordEntry* word)
{
    return word != nullptr ? itemIdentifier(word->chapter, word->numberInChapter) : QString();
}

// "話し言葉" for a spoken phrase, else the learning state.
QString wordKindText(const WordEntry& word, bool tested, bool right)
{
    return word.kind == kSpokenPhrase ? word.kind : learningStateText(tested, right);
}

// The course's words in the order chosen: by number ("日本語ＩＤ順") or by
// their English, letters compared regardless of case ("英語ａｂｃ順").
std::vector<const WordEntry*> sortedWords(const RecordSources& s, WordSort sort)
{
    std::vector<const WordEntry*> words;
    for (const WordEntry& word : s.words.slots) {
        if (word.number > 0) {
            words.push_back(&word);
        }
    }
    if (sort == WordSort::English) {
        std::stable_sort(words.begin(), words.end(), [](const WordEntry* a, const WordEntry* b) {
            return a->spelling.compare(b->spelling, Qt::CaseInsensitive) < 0;
        });
    }
    return words;
}

}  // namespace

RecordGrid wordView(int view, const RecordSources& s, const RecordViewOptions& options)
{
    const QStringList head = {kNo, kId, QStringLiteral("日本語"), QStringLiteral("英語"), kChapter};
    RecordGrid grid;
    if (view <= 5) {
        grid = titled(view, head + QStringList{QStringLiteral("実施日時 "), QStringLiteral("正誤"),
                                               QStringLiteral("テストの答")});
    } else if (view == 6) {
        grid = titled(view, head + QStringList{QStringLiteral("種別"), QStringLiteral("テストの答")});
    } else {
        grid = titled(view, head + QStringList{QStringLiteral("種別")});
    }
    grid.rightAligned = {0};
    if (!s.wordLog) {
        grid.complete = false;
        return grid;
    }
    auto english = [&](const WordEntry* word) {
        return word != nullptr && options.showAnswers ? word->spelling : QString();
    };
    auto recordRow = [&](int number, const WordLogRecord& r) {
        const WordEntry* word = s.word(r.word);
        grid.addRow({QString::number(number), wordId(word), word != nullptr ? word->meaning : QString(), english(word),
                     QString::number(r.chapter), dateText(r.when), markText(r.right), r.answer});
    };
    const std::vector<WordLogRecord>& log = *s.wordLog;
    if (view == 3) {
        for (const std::size_t i : historyOrder(log.size(), options.order)) {
            recordRow(static_cast<int>(log.size() - i), log[i]);
        }
        return grid;
    }
    const auto newest = newestWordRecords(log);
    int number = 0;
    for (const WordEntry* word : sortedWords(s, options.wordSort)) {
        const auto found = newest.find(word->number);
        const bool tested = found != newest.end();
        const bool right = tested && found->second.right != 0;
        if (view == 4 || view == 5) {
            if (tested && right == (view == 4)) {
                recordRow(++number, found->second);
            }
            continue;
        }
        if (view == 7 && tested) {
            continue;
        }
        QStringList cells = {QString::number(++number),
                             wordId(word),
                             word->meaning,
                             english(word),
                             QString::number(word->chapter),
                             wordKindText(*word, tested, right)};
        if (view == 6) {
            cells << (tested ? found->second.answer : QString());
        }
        grid.addRow(cells);
    }
    return grid;
}

RecordGrid compositionView(int view, const RecordSources& s, const RecordViewOptions& options)
{
    const QStringList texts = {kId, QStringLiteral("日本文"), QStringLiteral("英文"), kChapter};
    RecordGrid grid;
    if (view <= 10) {
        grid = titled(
            view, QStringList{kNo} + texts +
                      QStringList{QStringLiteral("実施日時"), QStringLiteral("正誤"), QStringLiteral("テストの答")});
    } else if (view == 11) {
        grid = titled(view, QStringList{kNo} + texts);
    } else {
        grid = titled(view, texts + QStringList{QStringLiteral("学習状態")});
    }
    if (view != 12) {
        grid.rightAligned = {0};
    }
    if (!s.sentLog) {
        grid.complete = false;
        return grid;
    }
    auto itemCells = [&](const CompositionEntry* entry, int chapter) -> QStringList {
        if (entry == nullptr) {
            return {QString(), QString(), QString(), QString::number(chapter)};
        }
        return {itemIdentifier(entry->chapter, entry->item), entry->japanese,
                options.showAnswers ? entry->english : QString(), QString::number(entry->chapter)};
    };
    auto recordRow = [&](int number, const SentLogRecord& r) {
        grid.addRow(QStringList{QString::number(number)} + itemCells(s.composition(r.row), r.chapter) +
                    QStringList{dateText(r.when), markText(r.right), r.answer});
    };
    const std::vector<SentLogRecord>& log = *s.sentLog;
    if (view == 8) {
        for (const std::size_t i : historyOrder(log.size(), options.order)) {
            recordRow(static_cast<int>(log.size() - i), log[i]);
        }
        return grid;
    }
    const auto newest = newestSentRecords(log);
    int number = 0;
    for (const CompositionEntry& entry : s.compositions.slots) {
        if (entry.row <= 0) {
            continue;
        }
        const auto found = newest.find(entry.row);
        const bool tested = found != newest.end();
        const bool right = tested && found->second.right != 0;
        if (view == 9 || view == 10) {
            if (tested && right == (view == 9)) {
                recordRow(++number, found->second);
            }
        } else if (view == 11) {
            grid.addRow(QStringList{QString::number(++number)} + itemCells(&entry, entry.chapter));
        } else if (!tested) {
            grid.addRow(itemCells(&entry, entry.chapter) + QStringList{learningStateText(false, false)});
        }
    }
    return grid;
}

RecordGrid listeningView(int view, const RecordSources& s, const RecordViewOptions& options)
{
    const QStringList head = {kNo, kId, QStringLiteral("英文"), kChapter};
    RecordGrid grid;
    if (view <= 16) {
        grid = titled(view,
                      head + QStringList{QStringLiteral("実施日時"), QStringLiteral("正誤"), QStringLiteral("ﾃｽﾄの答"),
                                         QStringLiteral("音声回数"), QStringLiteral("ﾁｪｯｸ回数")});
        grid.rightAligned = {0, 7, 8};
    } else if (view == 17) {
        grid = titled(view, head);
        grid.rightAligned = {0};
    } else {
        grid = titled(view, head + QStringList{QStringLiteral("種別")});
        grid.rightAligned = {0};
    }
    if (!s.hexLog) {
        grid.complete = false;
        return grid;
    }
    auto sentenceCells = [&](const SentenceEntry* sentence, int chapter) -> QStringList {
        if (sentence == nullptr) {
            return {QString(), QString(), QString::number(chapter)};
        }
        return {itemIdentifier(sentence->chapter, sentence->number), sentence->english,
                QString::number(sentence->chapter)};
    };
    auto recordRow = [&](int number, const HExLogRecord& r) {
        grid.addRow(QStringList{QString::number(number)} + sentenceCells(s.sentence(r.row), r.chapter) +
                    QStringList{dateText(r.when), markText(r.right), r.typed, QString::number(r.plays),
                                QString::number(r.checks)});
    };
    const std::vector<HExLogRecord>& log = *s.hexLog;
    if (view == 14) {
        for (const std::size_t i : historyOrder(log.size(), options.order)) {
            recordRow(static_cast<int>(log.size() - i), log[i]);
        }
        return grid;
    }
    const auto newest = newestListeningRecords(log);
    int number = 0;
    for (const SentenceEntry& sentence : s.sentences) {
        if (sentence.english.isEmpty()) {
            continue;
        }
        const auto found = newest.find(sentence.row);
        const bool tested = found != newest.end();
        const bool right = tested && found->second.newest.right != 0;
        if (view == 15 || view == 16) {
            if (tested && right == (view == 15)) {
                recordRow(++number, found->second.newest);
            }
        } else if (view == 17) {
            grid.addRow(QStringList{QString::number(++number)} + sentenceCells(&sentence, sentence.chapter));
        } else if (!tested) {
            grid.addRow(QStringList{QString::number(++number)} + sentenceCells(&sentence, sentence.chapter) +
                        QStringList{learningStateText(false, false)});
        }
    }
    return grid;
}

}  // namespace korvel::record_views
