#include "app/files/user_records.h"

#include "app/files/sjis_text.h"

#include <utility>

namespace korvel {

QByteArray encodeUserRecord(const UserData& user)
{
    QByteArray record(kUserRecordLength, ' ');
    record.replace(0, kUserNameWidth, sjis::toField(user.name, kUserNameWidth));
    sjis::putInt16(record, 20, user.soundOn);
    sjis::putInt16(record, 22, user.wideDisplay);
    record.replace(24, kUserIdWidth, sjis::toField(user.id, kUserIdWidth));
    return record;
}

UserData decodeUserRecord(QByteArrayView record)
{
    UserData user;
    user.name = sjis::fromFieldTrimmed(record.first(kUserNameWidth));
    user.soundOn = sjis::getInt16(record, 20);
    user.wideDisplay = sjis::getInt16(record, 22);
    user.id = sjis::fromFieldTrimmed(record.sliced(24, kUserIdWidth));
    return user;
}

QByteArray encodeLastUserRecord(const LastUserData& last)
{
    QByteArray record(kLastUserRecordLength, ' ');
    record.replace(0, kUserNameWidth, sjis::toField(last.name, kUserNameWidth));
    sjis::putInt16(record, 20, last.index);
    sjis::putInt16(record, 22, last.userCount);
    return record;
}

LastUserData decodeLastUserRecord(QByteArrayView record)
{
    LastUserData last;
    last.name = sjis::fromFieldTrimmed(record.first(kUserNameWidth));
    last.index = sjis::getInt16(record, 20);
    last.userCount = sjis::getInt16(record, 22);
    return last;
}

int compareNamesIgnoringCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

std::vector<NameSlot> sortNames(const QStringList& names)
{
    std::vector<NameSlot> table;
    table.reserve(static_cast<std::size_t>(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        table.push_back({names[i], static_cast<int>(i)});
    }
    const std::size_t count = table.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (compareNamesIgnoringCase(table[i].name, table[j].name) > 0) {
                std::swap(table[i], table[j]);
            }
        }
    }
    return table;
}

}  // namespace korvel
