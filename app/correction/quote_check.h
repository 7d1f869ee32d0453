// The quotation pre-check: a Japanese prompt with 「 or 」 asks for the straight
// double quotation mark in the English. The marks (or the wrong characters
// typed in their place) are taken off the sentence before it goes to the
// engine and come back as pseudo-items of the analysis.
#pragma once

#include <QString>

#include <cstdint>

namespace korvel {

struct QuoteCheck {
    // 0 none; 1 the prompt has 「; 2 it has 」 only; 3 both.
    std::int16_t mode = 0;
    // Sum of the findings, 0 when nothing is wrong: -1 opening mark missing,
    // -10 wrong opening character, -2 closing mark missing, -20 wrong closing
    // character.
    std::int16_t flags = 0;
    QString removedOpening;
    QString removedClosing;
    QString sentence;  // what is sent to the engine

    bool opens() const { return mode == 1 || mode == 3; }
    bool closes() const { return mode == 2 || mode == 3; }
};

QuoteCheck chk_Quote(const QString& prompt, const QString& sentence);

}  // namespace korvel
