#include "app/records/record_rounding.h"

namespace korvel {

long long roundHalfEven(long long numerator, long long denominator)
{
    const long long whole = numerator / denominator;
    const long long twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && whole % 2 != 0)) {
        return whole + 1;
    }
    return whole;
}

QString progressText(int right, int total)
{
    if (total <= 0) {
        return {};
    }
    const long long tenths = roundHalfEven(1000LL * right, total);
    return QString::number(tenths / 10) + QLatin1Char('.') + QString::number(tenths % 10);
}

int starCount(int right, int wrong)
{
    const int answered = right + wrong;
    if (answered <= 0 || right < 0) {
        return 0;
    }
    return static_cast<int>(roundHalfEven(10LL * right, answered));
}

QString starsText(int right, int wrong)
{
    return QString(starCount(right, wrong), QChar(0x2606));
}

}  // namespace korvel
