#include "app/shell/user_accounts.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

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
    case NameCheck::Ok: return {};
    case NameCheck::Empty: return QStringLiteral("ユーザ名を入力してください。");
    case NameCheck::FirstNotLetter: return QStringLiteral("ユーザ名の最初の文字は英字にしてください。");
    case NameCheck::TooLong: return QStringLiteral("ユーザ名の文字数は２０文字までにしてください。");
    case NameCheck::BadCharacter:
        return QStringLiteral("ユーザ名に英数字、スペース、ハイフン、アンダーバーでないものが入力されています。");
    case NameCheck::AlreadyRegistered: return QStringLiteral("既に同じユーザ名で登録されています。");
    }
    return {};
}

QString idCheckMessage(IdCheck check)
{
    switch (check) {
    case IdCheck::Ok: return {};
    case IdCheck::BadCharacter: return QStringLiteral("ＩＤに英数字でないものが入力されています。");
    case IdCheck::TooLong: return QStringLiteral("ＩＤは８文字までの英数字にしてください。");
    }
    return {};
}

UserAccounts::UserAccounts(Session& session) : session_(session)
{
}

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
    for (int i = 0; i < count_; ++i) {
        names.append(users_[static_cast<std::size_t>(i)].name);
    }
    return names;
}

std::vector<NameSlot> UserAccounts::sortedNames() const
{
    return sortNames(registeredNames());
}

bool UserAccounts::get_UserData()
{
    users_ = {};
    count_ = 0;
    const RecordReadResult read = readRecords(usersFilePath(), kUserRecordLength, kMaxUsers, true);
    if (!read.ok) {
        session_.dsp_ErrorMsg(4, QStringLiteral("get_UserData"), QStringLiteral(" フォルダー名 ") + usersFilePath());
        return false;
    }
    for (qsizetype i = 0; i < read.records.size(); ++i) {
        users_[static_cast<std::size_t>(i)] = decodeUserRecord(read.records[i]);
    }
    count_ = static_cast<int>(read.records.size());
    return true;
}

bool UserAccounts::ensureUserFolder() const
{
    return QDir().mkpath(session_.folders().userFolder);
}

RecordWriteResult UserAccounts::writeUser(int index, const QString& routine)
{
    RecordWriteResult result;
    if (index < 0 || index >= count_) {
        result.status = WriteStatus::BeyondEnd;
        result.error = QStringLiteral("no learner in slot %1").arg(index);
    } else {
        ensureUserFolder();
        result = writeRecord(usersFilePath(), kUserRecordLength, index + 1,
                             encodeUserRecord(users_[static_cast<std::size_t>(index)]));
    }
    if (!result.ok()) {
        session_.dsp_ErrorMsg(3, routine, QStringLiteral(" データ名 ") + usersFilePath());
    }
    return result;
}

bool UserAccounts::put_UserData()
{
    return writeUser(count_ - 1, QStringLiteral("ﾛｸﾞｲﾝ put_UserData")).ok();
}

bool UserAccounts::upd_UserData()
{
    if (current_.index < 0 || current_.index >= count_) {
        session_.dsp_ErrorMsg(3, QStringLiteral("ﾛｸﾞｲﾝ upd_UserData"), QStringLiteral(" データ名 ") + usersFilePath());
        return false;
    }
    UserData& user = users_[static_cast<std::size_t>(current_.index)];
    user.soundOn = current_.soundOn;
    user.wideDisplay = current_.wideDisplay;
    return writeUser(current_.index, QStringLiteral("ﾛｸﾞｲﾝ upd_UserData")).ok();
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
        current_.index = 0;
        current_.wideDisplay = -1;
        return true;
    }
    // The number of learners always comes from the users file: a stale count
    // here must never make a registration overwrite an existing record.
    const LastUserData last = decodeLastUserRecord(read.records.front());
    if (last.index >= 0 && last.index < count_) {
        current_.index = last.index;
        current_.name = last.name;
    } else {
        current_.index = 0;
        current_.name.clear();
    }
    return true;
}

bool UserAccounts::put_LastUserData()
{
    LastUserData last;
    last.name = current_.name;
    last.index = current_.index;
    last.userCount = static_cast<std::int16_t>(count_);
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
    user.soundOn = current_.soundOn;
    const int slot = count_;
    users_[static_cast<std::size_t>(slot)] = user;
    ++count_;
    if (!put_UserData()) {
        users_[static_cast<std::size_t>(slot)] = {};
        --count_;
        return false;
    }
    current_.index = static_cast<std::int16_t>(slot);
    current_.name = user.name;
    current_.id = user.id;
    current_.wideDisplay = wideDisplay;
    return true;
}

const UserData& UserAccounts::user(int slot) const
{
    static const UserData kNone;
    return registered(slot) ? users_[static_cast<std::size_t>(slot)] : kNone;
}

RecordWriteResult UserAccounts::renameCurrent(const QString& name, const QString& id, const QString& routine)
{
    if (!registered(current_.index)) {
        return writeUser(current_.index, routine);  // reported as a failed write
    }
    UserData& record = users_[static_cast<std::size_t>(current_.index)];
    const UserData before = record;
    record.name = name;
    record.id = id;
    const RecordWriteResult result = writeUser(current_.index, routine);
    if (!result.ok()) {
        record = before;
        return result;
    }
    current_.name = name;
    current_.id = id;
    return result;
}

void UserAccounts::resetCurrent()
{
    current_ = CurrentUser{};
}

void UserAccounts::chooseLearner(int slot)
{
    if (!registered(slot)) {
        return;
    }
    const UserData& record = users_[static_cast<std::size_t>(slot)];
    current_.index = static_cast<std::int16_t>(slot);
    current_.name = record.name;
    // The learner's own preferences come with the choice, so that logging in
    // never writes another learner's sound flag into this record.
    current_.soundOn = record.soundOn;
    current_.wideDisplay = record.wideDisplay;
}

void UserAccounts::useRecordedSound()
{
    current_.soundOn = user(current_.index).soundOn;
}

void UserAccounts::setCurrentId(const QString& id)
{
    current_.id = id;
}

void UserAccounts::setSoundOn(std::int16_t soundOn)
{
    current_.soundOn = soundOn;
}

void UserAccounts::setWideDisplay(std::int16_t wideDisplay, bool intoRecord)
{
    current_.wideDisplay = wideDisplay;
    if (intoRecord && registered(current_.index)) {
        users_[static_cast<std::size_t>(current_.index)].wideDisplay = wideDisplay;
    }
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
    for (const QString& name : logFileNames(current_.index)) {
        QFile::remove(session_.folders().userFile(name));
    }
}

}  // namespace korvel
