// The rearrangement quiz without its screen: the cut of a sentence after its
// final mark, the word cards, the check that lets equal words stand for each
// other, and the walk through the shuffled questions (a dialogue's rows stay
// together; a new order after the last question).
#pragma once

#include "app/lessons/lesson_entries.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace korvel {

class Session;

inline constexpr int kMaxCards = 31;

// The text up to its final sentence mark: a "." followed by more text stays
// inside; the "." that ends the text ends the cut. Without a final ".", the
// cut ends after the first "?" (else the first "!") behind the last kept ".";
// without either, what follows the last kept "." is dropped.
QString cutAtFinalMark(const QString& text);

// The card texts of a sentence in model order: the cut text, its final "."
// a card of its own, the first letter lowered unless `keepCapital`, split at
// blanks; at most 31.
QStringList cardTexts(const QString& english, bool keepCapital);

struct Card {
    QString text;
    int model = 0;  // 2 * place in the model sentence + 1
    int key = 0;
};

// Places wrong in the arrangement `cards` (left to right). A card that is not
// the model's card for its place is right when an equal word to its right
// holds that place; the two then exchange their model places.
int wrongPlaces(std::vector<Card>& cards);

class RearrangementQuiz {
public:
    enum class Phase { Arranging = 1, Checked = 3 };

    explicit RearrangementQuiz(Session& session);

    QString caption() const;
    // Loads the chapter's sentences, shuffles them and prepares question 1.
    void start();
    bool setChapter(int chapter);

    int count() const { return static_cast<int>(list_.size()); }
    int question() const { return question_; }  // 1-based; 0 without questions
    const SentenceEntry* current() const;
    // The question number, a blank and the Japanese translation.
    QString questionText() const;
    const std::vector<Card>& cards() const { return cards_; }
    Phase phase() const { return phase_; }

    // A card is picked up: a checked question goes back to arranging.
    void pickUp();
    // The cards re-ordered by their horizontal positions (one per card, in
    // the current order).
    void reorderByPositions(const std::vector<int>& x);
    // "チェック": the number of wrong places; the phase becomes checked.
    int check();
    // "次の並べ替えクイズ": the next question, after the last a new order.
    void next();

    const std::vector<int>& order() const { return order_; }

private:
    void shuffle();
    void prepare();

    Session& session_;
    std::vector<SentenceEntry> list_;
    std::vector<int> order_;
    int question_ = 0;
    std::vector<Card> cards_;
    Phase phase_ = Phase::Arranging;
};

inline const QString kRightArrangement = QStringLiteral("正解です。 ");
inline const QString kWrongPlacesSuffix = QStringLiteral("個所間違っています。");

// The groups of the question order: each row's sentence number read as a number.
QStringList sentenceGroups(const std::vector<SentenceEntry>& rows);

}  // namespace korvel
