// The users file "user.dat" and the last-user file "LastUser.dat": record
// layouts, byte for byte, and the name order of the log-in list.
//
// user.dat, 32-byte records, record 1 at offset 0, no header:
//   0  20  user name, Shift-JIS, blank-padded
//  20   2  SoundOn, int16 LE: -1 play sound effects, 0 silent
//  22   2  WideDisplay, int16 LE: -1 normal home screen, 0 shrunken one
//  24   8  user ID, Shift-JIS, blank-padded; all blanks for no ID
// LastUser.dat, one 24-byte record:
//   0  20  name of the learner who logged in last
//  20   2  that learner's index, int16 LE
//  22   2  number of registered users at that time, int16 LE
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace korvel {

inline constexpr int kUserRecordLength = 32;
inline constexpr int kLastUserRecordLength = 24;
inline constexpr int kMaxUsers = 30;
inline constexpr int kUserNameWidth = 20;
inline constexpr int kUserIdWidth = 8;

struct UserData {
    QString name;  // trimmed
    std::int16_t soundOn = -1;
    std::int16_t wideDisplay = -1;
    QString id;  // trimmed; empty for no ID

    bool operator==(const UserData&) const = default;
};

struct LastUserData {
    QString name;  // trimmed
    std::int16_t index = 0;
    std::int16_t userCount = 0;
};

QByteArray encodeUserRecord(const UserData& user);
UserData decodeUserRecord(QByteArrayView record);
QByteArray encodeLastUserRecord(const LastUserData& last);
LastUserData decodeLastUserRecord(QByteArrayView record);

// One entry of the sorted name table: a name and its slot in the users array.
struct NameSlot {
    QString name;
    int index = 0;
};

// The names with their slots, ordered by an exchange sort, ascending and
// ignoring letter case: for i from the first to the last but one, for every
// j after i, entries i and j swap when name i compares greater than name j.
// Names equal under the comparison are never swapped with each other directly.
std::vector<NameSlot> sortNames(const QStringList& names);

// Case-insensitive order of two names (<0, 0, >0).
int compareNamesIgnoringCase(const QString& a, const QString& b);

}  // namespace korvel
