// The listing of tanduid: every learner of the users file with the user ID,
// sorted by name.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tanduid {

// The first line of the listing (without its line end).
QString listingHeader();

// The listing of users-file records (32 bytes each): the header, CR LF, CR LF,
// then per learner, sorted by name ignoring case with the exchange sort: two
// blanks, the number right-aligned in two characters, three blanks, the name
// as stored (20 characters), three blanks, the ID as stored (8), CR LF.
QString buildListing(const QList<QByteArray>& records);

struct UserListing {
    bool ok = true;
    int errorNumber = 0;  // the error number shown when not ok
    QString text;         // only the header when not ok
};

// Reads "user.dat" of the user folder (created empty when missing and the
// folder exists) and lists it. Never writes a record.
UserListing listUsers(const QString& userFolder);

// "get_UserData" + "でｴﾗｰが発生しました。ｴﾗｰ番号 " + the number with a leading blank.
QString errorText(int errorNumber);

// Error numbers: 76 path not found, 75 path or file access error, 57 device
// input/output error.
inline constexpr int kPathNotFound = 76;
inline constexpr int kAccessError = 75;
inline constexpr int kDeviceError = 57;

}  // namespace tanduid
