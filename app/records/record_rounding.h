// The figures of the record screens: the progress in per cent with one
// decimal and the stars of a test run, both rounded with a half going to the
// even neighbour. The rounding works on the exact fraction, so 12.5 % stays
// 12.5 and 0.25 becomes 0.2 whatever a binary double would make of them.
#pragma once

#include <QString>

namespace korvel {

// numerator ÷ denominator rounded to a whole number, a half to the even
// neighbour. Both are 0 or more and the denominator is above 0.
long long roundHalfEven(long long numerator, long long denominator);

// right ÷ total × 100 with one decimal ("83.3"); empty when total is 0.
QString progressText(int right, int total);

// One star per 10 %: right ÷ (right + wrong) × 10 rounded; 0 when nothing was
// answered.
int starCount(int right, int wrong);
QString starsText(int right, int wrong);

}  // namespace korvel
