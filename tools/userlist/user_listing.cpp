#include "tools/userlist/user_listing.h"

#include "app/files/record_file.h"
#include "app/files/sjis_text.h"
#include "app/files/user_records.h"

namespace tanduid {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString listingHeader()
{
    return QStringLiteral("Ｎｏ． Ｎａｍｅ　　　　　      ユーザＩＤ");
}

QString buildListing(const QList<QByteArray>& records)
{
    QStringList storedNames;
    QStringList storedIds;
    for (const QByteArray& record : records) {
        storedNames.append(korvel::sjis::fromField(QByteArrayView(record).first(korvel::kUserNameWidth)));
        storedIds.append(korvel::sjis::fromField(QByteArrayView(record).sliced(24, korvel::kUserIdWidth)));
    }
    QString text = listingHeader() + kCrLf + kCrLf;
    const std::vector<korvel::NameSlot> sorted = korvel::sortNames(storedNames);
    for (std::size_t k = 0; k < sorted.size(); ++k) {
        const int slot = sorted[k].index;
        text += QStringLiteral("  ") + QStringLiteral("%1").arg(static_cast<int>(k) + 1, 2) + QStringLiteral("   ") +
                storedNames[slot] + QStringLiteral("   ") + storedIds[slot] + kCrLf;
    }
    return text;
}

UserListing listUsers(const QString& userFolder)
{
    UserListing listing;
    const QString path = userFolder + QStringLiteral("/user.dat");
    const korvel::RecordReadResult read = korvel::readRecords(path, korvel::kUserRecordLength, korvel::kMaxUsers, true);
    if (!read.ok) {
        listing.ok = false;
        listing.errorNumber = read.folderMissing ? kPathNotFound : (read.opened ? kDeviceError : kAccessError);
        listing.text = listingHeader() + kCrLf + kCrLf;
        return listing;
    }
    listing.text = buildListing(read.records);
    return listing;
}

QString errorText(int errorNumber)
{
    return QStringLiteral("get_UserData") + QStringLiteral("でｴﾗｰが発生しました。ｴﾗｰ番号 ") + QLatin1Char(' ') +
           QString::number(errorNumber);
}

}  // namespace tanduid
