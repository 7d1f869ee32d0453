#include "app/files/tab_fields.h"

#include <cmath>
#include <limits>

namespace korvel {

QString TabCursor::next()
{
    if (pos_ > line_.size()) {
        return {};
    }
    const qsizetype tab = line_.indexOf(QLatin1Char('\t'), pos_);
    if (tab < 0) {
        QString field = line_.mid(pos_);
        pos_ = line_.size() + 1;
        return field;
    }
    QString field = line_.mid(pos_, tab - pos_);
    pos_ = tab + 1;
    return field;
}

bool TabCursor::tabFollows() const
{
    return pos_ <= line_.size() && line_.indexOf(QLatin1Char('\t'), pos_) >= 0;
}

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) {
        ++i;
    }
    double sign = 1.0;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        sign = text[i] == QLatin1Char('-') ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    bool digits = false;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        value = value * 10.0 + (text[i].unicode() - u'0');
        digits = true;
        ++i;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        double scale = 0.1;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            value += (text[i].unicode() - u'0') * scale;
            scale /= 10.0;
            digits = true;
            ++i;
        }
    }
    return digits ? sign * value : 0.0;
}

std::int16_t leadingInt16(const QString& text)
{
    const double value = std::trunc(leadingNumber(text));
    if (value > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    if (value < std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace korvel
