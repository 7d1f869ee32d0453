#include "app/shell/user_accounts.h"

#include "app/shell/session.h"
#include "app/shell/sjis_text.h"

#include <QDir>
#include <QFile>

namespace korvel {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

const QString kNameTitle = QStringLiteral("ユーザ名入力");
const QString kIdTitle = QStringLiteral("ＩＤ入力");
const QString kLoginLastUser = QStringLiteral("frmログイン get_LastUserData");

}  // namespace

NameCheck checkUserName(const QString& rawName, const QStringList& registered)
{
    const QString name = sjis::trimBlanks(rawName);
    if (name.isEmpty()) {
        return NameCheck::Empty;
    }
    if (!isAsciiLetter(name[0])) {
        return NameCheck::FirstNotLetter;
    }
    if (name.size() > kUserNameWidth) {
        return NameCheck::TooLong;
    }
    for (QChar c : name) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != QLatin1Char(' ') && c != QLatin1Char('-') &&
            c != QLatin1Char('_')) {
            return NameCheck::BadCharacter;
        }
    }
    for (const QString& other : registered) {
        if (sjis::trimBlanks(other) == name) {
            return NameCheck::AlreadyRegistered;
        }
    }
    return NameCheck::Ok;
}

IdCheck checkUserId(const QString& id)
{
    for (QChar c : id) {
        if (!isAsciiLetter(c) && !isAsciiDigit(c)) {
            return IdCheck::BadCharacter;
        }
    }
    // The ID field of the record holds 8 bytes; a longer ID is refused rather
    // than cut, so the learner never logs in with a different ID than typed.
    if (id.size() > kUserIdWidth) {
        return IdCheck::TooLong;
    }
    return IdCheck::Ok;
}

QString nameCheckMessage(NameCheck check)
{
    switch (check) {
    case NameCheck::Ok:
        return {};
    case NameCheck::Empty:
        return QStringLiteral("ユーザ名を入力してください。");
    case NameCheck::FirstNotLetter:
        return QStringLiteral("ユーザ名の最初の文字は英字にしてください。");
    case NameCheck::TooLong:
        return QStringLiteral("ユーザ名の文字数は２０文字までにしてください。");
    case NameCheck::BadCharacter:
        return QStringLiteral("ユーザ名に英数字、スペース、ハイフン、アンダーバーでないものが入力されています。");
    case NameCheck::AlreadyRegistered:
        return QStringLiteral("既に同じユーザ名で登録されています。");
    }
    return {};
}

QString idCheckMessage(IdCheck check)
{
    switch (check) {
    case IdCheck::Ok:
        return {};
    case IdCheck::BadCharacter:
        return QStringLiteral("ＩＤに英数字でないものが入力されています。");
    case IdCheck::TooLong:
        return QStringLiteral("ＩＤは８文字までの英数字にしてください。");
    }
    return {};
}

UserAccounts::UserAccounts(Session& session) : session_(session) {}

QString UserAccounts::usersFilePath() const
{
    return session_.folders().userFile(QStringLiteral("user.dat"));
}

QString UserAccounts::lastUserFilePath() const
{
    return session_.folders().userFile(QStringLiteral("LastUser.dat"));
}

QStringList UserAccounts::registeredNames() const
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names.append(users[static_cast<std::size_t>(i)].name);
    }
    return names;
}

std::vector<NameSlot> UserAccounts::sortedNames() const
{
    return sortNames(registeredNames());
}

bool UserAccounts::get_UserData()
{
    users = {};
    count = 0;
    const RecordReadResult read = readRecords(usersFilePath(), kUserRecordLength, kMaxUsers, true);
    if (!read.ok) {
        session_.dsp_ErrorMsg(4, QStringLiteral("get_UserData"), QStringLiteral(" フォルダー名 ") + usersFilePath());
        return false;
    }
    for (qsizetype i = 0; i < read.records.size(); ++i) {
        users[static_cast<std::size_t>(i)] = decodeUserRecord(read.records[i]);
    }
    count = static_cast<int>(read.records.size());
    return true;
}

bool UserAccounts::ensureUserFolder() const
{
    return QDir().mkpath(session_.folders().userFolder);
}

RecordWriteResult UserAccounts::writeUser(int index, const QString& routine)
{
    RecordWriteResult result;
    if (index < 0 || index >= count) {
        result.status = WriteStatus::BeyondEnd;
        result.error = QStringLiteral("no learner in slot %1").arg(index);
    } else {
        ensureUserFolder();
        result = writeRecord(usersFilePath(), kUserRecordLength, index + 1,
                             encodeUserRecord(users[static_cast<std::size_t>(index)]));
    }
    if (!result.ok()) {
        session_.dsp_ErrorMsg(3, routine, QStringLiteral(" データ名 ") + usersFilePath());
    }
    return result;
}

bool UserAccounts::put_UserData()
{
    return writeUser(count - 1, QStringLiteral("ﾛｸﾞｲﾝ put_UserData")).ok();
}

bool UserAccounts::upd_UserData()
{
    if (current.index < 0 || current.index >= count) {
        session_.dsp_ErrorMsg(3, QStringLiteral("ﾛｸﾞｲﾝ upd_UserData"), QStringLiteral(" データ名 ") + usersFilePath());
        return false;
    }
    UserData& user = users[static_cast<std::size_t>(current.index)];
    user.soundOn = current.soundOn;
    user.wideDisplay = current.wideDisplay;
    return writeUser(current.index, QStringLiteral("ﾛｸﾞｲﾝ upd_UserData")).ok();
}

bool UserAccounts::get_LastUserData()
{
    const QString path = lastUserFilePath();
    RecordReadResult read = readRecords(path, kLastUserRecordLength, 1, true);
    if (!read.ok) {
        const QString folder = session_.folders().userFolder;
        if (!read.folderMissing || !ensureUserFolder()) {
            session_.dsp_ErrorMsg(3, kLoginLastUser, QStringLiteral(" フォルダー名 ") + folder);
            return false;
        }
        read = readRecords(path, kLastUserRecordLength, 1, true);
        if (!read.ok) {
            session_.dsp_ErrorMsg(3, kLoginLastUser, QStringLiteral(" データ名 ") + path);
            return false;
        }
    }
    if (read.records.isEmpty()) {
        current.index = 0;
        current.wideDisplay = -1;
        return true;
    }
    // The number of learners always comes from the users file: a stale count
    // here must never make a registration overwrite an existing record.
    const LastUserData last = decodeLastUserRecord(read.records.front());
    if (last.index >= 0 && last.index < count) {
        current.index = last.index;
        current.name = last.name;
    } else {
        current.index = 0;
        current.name.clear();
    }
    return true;
}

bool UserAccounts::put_LastUserData()
{
    LastUserData last;
    last.name = current.name;
    last.index = current.index;
    last.userCount = static_cast<std::int16_t>(count);
    ensureUserFolder();
    const RecordWriteResult result =
        writeRecord(lastUserFilePath(), kLastUserRecordLength, 1, encodeLastUserRecord(last));
    if (!result.ok()) {
        session_.dsp_ErrorMsg(3, QStringLiteral("ﾛｸﾞｲﾝ  put_LastUserData"),
                              QStringLiteral(" データ名 ") + lastUserFilePath());
        return false;
    }
    return true;
}

int UserAccounts::chk_UserName(QString& name)
{
    name = sjis::trimBlanks(name);
    const NameCheck check = checkUserName(name, registeredNames());
    if (check == NameCheck::Ok) {
        return 0;
    }
    session_.prompt().tell(kNameTitle, nameCheckMessage(check), Prompt::Icon::Warning);
    return 1;
}

int UserAccounts::chk_UserID(const QString& id)
{
    const IdCheck check = checkUserId(id);
    if (check == IdCheck::Ok) {
        return 0;
    }
    session_.prompt().tell(kIdTitle, idCheckMessage(check), Prompt::Icon::Warning);
    return 1;
}

bool UserAccounts::registerUser(const QString& name, const QString& id, std::int16_t wideDisplay)
{
    if (isFull()) {
        return false;
    }
    UserData user;
    user.name = sjis::trimBlanks(name);
    user.id = sjis::trimBlanks(id);
    user.wideDisplay = wideDisplay;
    user.soundOn = current.soundOn;
    const int slot = count;
    users[static_cast<std::size_t>(slot)] = user;
    ++count;
    if (!put_UserData()) {
        users[static_cast<std::size_t>(slot)] = {};
        --count;
        return false;
    }
    current.index = static_cast<std::int16_t>(slot);
    current.name = user.name;
    current.id = user.id;
    current.wideDisplay = wideDisplay;
    return true;
}

QStringList UserAccounts::logFileNames(int index)
{
    const QString number = QString::number(index);
    return {QStringLiteral("SentLog") + number + QStringLiteral(".dat"),
            QStringLiteral("WordLog") + number + QStringLiteral(".dat"),
            QStringLiteral("UserLog") + number + QStringLiteral(".dat"),
            QStringLiteral("HExLog") + number + QStringLiteral(".dat")};
}

void UserAccounts::del_UserLogs()
{
    for (const QString& name : logFileNames(current.index)) {
        QFile::remove(session_.folders().userFile(name));
    }
}

}  // namespace korvel
