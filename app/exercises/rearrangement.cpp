#include "app/exercises/rearrangement.h"

#include "app/files/tab_fields.h"
#include "app/lessons/lesson_readers.h"
#include "app/lessons/question_order.h"
#include "app/shell/session.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace korvel {

QString cutAtFinalMark(const QString& text)
{
    qsizetype keptEnd = 0;  // just after the last "." that stays inside
    qsizetype from = 0;
    for (;;) {
        const qsizetype dot = text.indexOf(QLatin1Char('.'), from);
        if (dot < 0) {
            break;
        }
        if (text.mid(dot + 1).trimmed().isEmpty()) {
            return text.left(dot + 1);
        }
        keptEnd = dot + 1;
        from = dot + 1;
    }
    for (const QChar mark : {QLatin1Char('?'), QLatin1Char('!')}) {
        const qsizetype at = text.indexOf(mark, keptEnd);
        if (at >= 0) {
            return text.left(at + 1);
        }
    }
    return text.left(keptEnd);
}

QStringList cardTexts(const QString& english, bool keepCapital)
{
    QString text = cutAtFinalMark(english.trimmed());
    if (text.endsWith(QLatin1Char('.'))) {
        text.insert(text.size() - 1, QLatin1Char(' '));
    }
    if (!keepCapital && !text.isEmpty()) {
        text[0] = text[0].toLower();
    }
    QStringList cards = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (cards.size() > kMaxCards) {
        cards = cards.mid(0, kMaxCards);
    }
    return cards;
}

int wrongPlaces(std::vector<Card>& cards)
{
    int errors = 0;
    for (std::size_t p = 0; p < cards.size(); ++p) {
        const int wanted = 2 * static_cast<int>(p) + 1;
        if (cards[p].model == wanted) {
            continue;
        }
        // An equal word to the right: the one that holds this place, else the first.
        std::size_t equal = cards.size();
        for (std::size_t q = p + 1; q < cards.size(); ++q) {
            if (cards[q].text == cards[p].text) {
                if (equal == cards.size()) {
                    equal = q;
                }
                if (cards[q].model == wanted) {
                    equal = q;
                    break;
                }
            }
        }
        if (equal < cards.size()) {
            std::swap(cards[p].model, cards[equal].model);
            if (cards[p].model == wanted) {
                continue;
            }
        }
        ++errors;
    }
    return errors;
}

QStringList sentenceGroups(const std::vector<SentenceEntry>& rows)
{
    QStringList groups;
    for (const SentenceEntry& row : rows) {
        groups << QString::number(leadingInt16(row.number));
    }
    return groups;
}

RearrangementQuiz::RearrangementQuiz(Session& session) : session_(session)
{
}

QString RearrangementQuiz::caption() const
{
    return QStringLiteral("第") + QString::number(session_.chapter()) + QStringLiteral("章　並べ替えクイズ");
}

bool RearrangementQuiz::setChapter(int chapter)
{
    if (chapter < 1 || chapter > kChapterCount - 1) {
        return false;
    }
    session_.setChapter(static_cast<std::int16_t>(chapter));
    start();
    return true;
}

void RearrangementQuiz::start()
{
    list_ = get_並べ替え基本文(session_);
    shuffle();
    question_ = list_.empty() ? 0 : 1;
    prepare();
}

void RearrangementQuiz::shuffle()
{
    session_.random().reseed(session_.clock());
    order_ = shuffledOrder(sentenceGroups(list_), session_.random());
}

const SentenceEntry* RearrangementQuiz::current() const
{
    if (question_ < 1 || question_ > count()) {
        return nullptr;
    }
    return &list_[static_cast<std::size_t>(order_[static_cast<std::size_t>(question_ - 1)])];
}

QString RearrangementQuiz::questionText() const
{
    const SentenceEntry* row = current();
    return row == nullptr ? QString() : QString::number(question_) + QLatin1Char(' ') + row->japanese;
}

void RearrangementQuiz::prepare()
{
    cards_.clear();
    phase_ = Phase::Arranging;
    const SentenceEntry* row = current();
    if (row == nullptr) {
        return;
    }
    const QStringList texts = cardTexts(row->english, row->keepsCapital());
    const int n = static_cast<int>(texts.size());
    for (int k = 0; k < n; ++k) {
        Card card;
        card.text = texts[k];
        card.model = 2 * k + 1;
        card.key = 1 + static_cast<int>(session_.random().next() * n);
        cards_.push_back(card);
    }
    for (std::size_t p = 0; p + 1 < cards_.size(); ++p) {
        for (std::size_t q = p + 1; q < cards_.size(); ++q) {
            if (cards_[q].key < cards_[p].key) {
                std::swap(cards_[p], cards_[q]);
            }
        }
    }
}

void RearrangementQuiz::pickUp()
{
    phase_ = Phase::Arranging;
}

void RearrangementQuiz::reorderByPositions(const std::vector<int>& x)
{
    if (x.size() != cards_.size()) {
        return;
    }
    std::vector<std::size_t> index(cards_.size());
    std::iota(index.begin(), index.end(), std::size_t{0});
    std::stable_sort(index.begin(), index.end(), [&](std::size_t a, std::size_t b) { return x[a] < x[b]; });
    std::vector<Card> sorted;
    for (std::size_t i : index) {
        sorted.push_back(cards_[i]);
    }
    cards_ = std::move(sorted);
    phase_ = Phase::Arranging;
}

int RearrangementQuiz::check()
{
    const int errors = wrongPlaces(cards_);
    phase_ = Phase::Checked;
    return errors;
}

void RearrangementQuiz::next()
{
    if (list_.empty()) {
        return;
    }
    ++question_;
    if (question_ > count()) {
        shuffle();
        question_ = 1;
    }
    prepare();
}

}  // namespace korvel
