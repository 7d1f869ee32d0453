#include "app/correction/quote_check.h"

namespace korvel {

namespace {

const QChar kQuote = QLatin1Char('"');

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isSmallLetterOrDigit(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

}  // namespace

QuoteCheck chk_Quote(const QString& prompt, const QString& typed)
{
    QuoteCheck check;
    QString sentence = typed;
    if (prompt.contains(QStringLiteral("「"))) {
        check.mode = 1;
        if (sentence.startsWith(kQuote)) {
            sentence = sentence.mid(1).trimmed();
            check.removedOpening = kQuote;
        } else if (!sentence.isEmpty() && isAsciiLetter(sentence.front())) {
            check.flags = -1;
        } else {
            check.removedOpening = sentence.left(1);
            sentence = sentence.mid(1);
            check.flags = -10;
        }
    }
    if (prompt.contains(QStringLiteral("」"))) {
        check.mode = check.mode == 1 ? 3 : 2;
        if (sentence.isEmpty()) {
            check.flags = static_cast<std::int16_t>(check.flags - 2);
        } else {
            const QChar last = sentence.back();
            if (last == kQuote && sentence.size() > 1) {
                sentence.chop(1);
                sentence = sentence.trimmed();
                check.removedClosing = kQuote;
            } else if (last == QLatin1Char('.') || last == QLatin1Char('?') || last == QLatin1Char('!')) {
                check.flags = static_cast<std::int16_t>(check.flags - 2);
            } else if (isSmallLetterOrDigit(last) || (sentence.size() == 1 && last >= kQuote)) {
                check.flags = static_cast<std::int16_t>(check.flags - 2);
            } else {
                check.removedClosing = QString(last);
                sentence.chop(1);
                check.flags = static_cast<std::int16_t>(check.flags - 20);
            }
        }
    }
    check.sentence = sentence;
    return check;
}

}  // namespace korvel
