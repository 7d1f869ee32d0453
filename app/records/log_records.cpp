#include "app/records/log_records.h"

#include "app/files/sjis_text.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korvel {

namespace {

const QDateTime kOleEpoch(QDate(1899, 12, 30), QTime(0, 0));
constexpr double kMsPerDay = 86400000.0;

void putDate(QByteArray& record, int offset, const QDateTime& when)
{
    const double days = toOleDate(when);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &days, sizeof bits);
    qToLittleEndian(bits, record.data() + offset);
}

QDateTime getDate(QByteArrayView record, int offset)
{
    const auto bits = qFromLittleEndian<std::uint64_t>(record.data() + offset);
    double days = 0;
    std::memcpy(&days, &bits, sizeof days);
    return fromOleDate(days);
}

void putText(QByteArray& record, int offset, int width, const QString& text)
{
    record.replace(offset, width, sjis::toField(text, width));
}

QString getText(QByteArrayView record, int offset, int width)
{
    return sjis::fromFieldTrimmed(record.sliced(offset, width));
}

using sjis::getInt16;
using sjis::putInt16;

}  // namespace

double toOleDate(const QDateTime& when)
{
    // The local wall-clock time counts, as the clock shows it.
    const QDateTime local(when.date(), when.time());
    const qint64 days = kOleEpoch.date().daysTo(local.date());
    const double fraction = local.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

QDateTime fromOleDate(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) {
        return {};
    }
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const QDate date = kOleEpoch.date().addDays(static_cast<qint64>(whole));
    const auto ms = static_cast<int>(std::lround(fraction * kMsPerDay));
    return QDateTime(date, QTime(0, 0).addMSecs(std::min(ms, 86399999)));
}

QString recordDateText(const QDateTime& when)
{
    return when.toString(QStringLiteral("MM/dd hh:mm"));
}

QByteArray encode(const UserLogRecord& r)
{
    QByteArray out(kUserLogLength, '\0');
    putDate(out, 0, r.when);
    putInt16(out, 8, r.user);
    putText(out, 10, 20, r.name);
    putInt16(out, 30, r.chapter);
    putInt16(out, 32, r.kind);
    putInt16(out, 34, r.questions);
    putInt16(out, 36, r.right);
    putInt16(out, 38, r.wrong);
    return out;
}

QByteArray encode(const WordLogRecord& r)
{
    QByteArray out(kWordLogLength, '\0');
    putDate(out, 0, r.when);
    putInt16(out, 8, r.word);
    putInt16(out, 10, r.chapter);
    putInt16(out, 12, r.right);
    putText(out, 14, 30, r.answer);
    return out;
}

QByteArray encode(const HExLogRecord& r)
{
    QByteArray out(kHExLogLength, '\0');
    putInt16(out, 0, r.row);
    putInt16(out, 2, r.chapter);
    putText(out, 4, 100, r.typed);
    putInt16(out, 104, 0);
    putInt16(out, 106, r.plays);
    putInt16(out, 108, r.checks);
    putInt16(out, 110, r.right);
    putDate(out, 112, r.when);
    return out;
}

QByteArray encode(const SentLogRecord& r)
{
    QByteArray out(kSentLogLength, '\0');
    putDate(out, 0, r.when);
    putInt16(out, 8, r.row);
    putInt16(out, 10, r.chapter);
    putInt16(out, 12, r.right);
    putText(out, 14, 100, r.answer);
    const int count = std::min<int>(static_cast<int>(r.comments.size()), kSentLogComments);
    putInt16(out, 114, static_cast<std::int16_t>(count));
    for (int i = 0; i < count; ++i) {
        putInt16(out, 116 + 2 * i, r.comments[static_cast<std::size_t>(i)]);
    }
    return out;
}

UserLogRecord decodeUserLog(QByteArrayView b)
{
    return {getDate(b, 0),   getInt16(b, 8),  getText(b, 10, 20), getInt16(b, 30),
            getInt16(b, 32), getInt16(b, 34), getInt16(b, 36),    getInt16(b, 38)};
}

WordLogRecord decodeWordLog(QByteArrayView b)
{
    return {getDate(b, 0), getInt16(b, 8), getInt16(b, 10), getInt16(b, 12), getText(b, 14, 30)};
}

HExLogRecord decodeHExLog(QByteArrayView b)
{
    return {getInt16(b, 0),   getInt16(b, 2),   getText(b, 4, 100), getInt16(b, 106),
            getInt16(b, 108), getInt16(b, 110), getDate(b, 112)};
}

SentLogRecord decodeSentLog(QByteArrayView b)
{
    SentLogRecord r{getDate(b, 0), getInt16(b, 8), getInt16(b, 10), getInt16(b, 12), getText(b, 14, 100), {}};
    const int count = std::clamp<int>(getInt16(b, 114), 0, kSentLogComments);
    for (int i = 0; i < count; ++i) {
        r.comments.push_back(getInt16(b, 116 + 2 * i));
    }
    return r;
}

}  // namespace korvel
