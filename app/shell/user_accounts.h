// The registered learners of an installation and the learner of this run:
// reading and writing the users file and the last-user file, validation of
// names and IDs, and the removal of a learner's logs.
#pragma once

#include "app/files/record_file.h"
#include "app/files/user_records.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace korvel {

class Session;

// The learner of this run. The index is the learner's slot in the users array
// and also numbers the learner's log files.
struct CurrentUser {
    std::int16_t index = 0;
    QString name;
    QString id;
    std::int16_t soundOn = -1;
    std::int16_t wideDisplay = -1;
};

// Results of the name and ID rules, before any message is shown.
enum class NameCheck { Ok, Empty, FirstNotLetter, TooLong, BadCharacter, AlreadyRegistered };
enum class IdCheck { Ok, BadCharacter, TooLong };

// `name` is trimmed first; `registered` are the names to compare with
// (case-sensitive, after trimming).
NameCheck checkUserName(const QString& name, const QStringList& registered);
IdCheck checkUserId(const QString& id);
QString nameCheckMessage(NameCheck check);
QString idCheckMessage(IdCheck check);

class UserAccounts {
public:
    explicit UserAccounts(Session& session);
    UserAccounts(const UserAccounts&) = delete;
    UserAccounts& operator=(const UserAccounts&) = delete;

    // The registered learners in slots 0..count()-1.
    int count() const { return count_; }
    bool isFull() const { return count_ >= kMaxUsers; }
    // The record of a slot; an empty record for a slot outside 0..count()-1.
    const UserData& user(int slot) const;
    // The learner of this run.
    const CurrentUser& current() const { return current_; }

    QString usersFilePath() const;
    QString lastUserFilePath() const;
    QStringList registeredNames() const;
    // The registered learners in the order of the log-in list.
    std::vector<NameSlot> sortedNames() const;

    // Reads "user.dat" (created empty when missing) into the array. A file of
    // more than 30 records fills the 30 slots; a trailing partial record is
    // ignored. Failure: error row 4, the array stays empty.
    bool get_UserData();
    // Writes the newest learner (slot count-1) as record number count.
    bool put_UserData();
    // Copies the current sound and display flags into the current learner's
    // record and writes it as record index+1.
    bool upd_UserData();
    // Reads "LastUser.dat" (creating the user folder when it is missing): the
    // remembered learner becomes the current index and name. False after a
    // reported failure.
    bool get_LastUserData();
    bool put_LastUserData();

    // The rules with their message boxes: 1 when rejected (after the message),
    // 0 when accepted. chk_UserName trims `name` in place.
    int chk_UserName(QString& name);
    int chk_UserID(const QString& id);

    // Registers a learner in the next free slot with the current sound flag
    // and the given display flag, makes it the current learner and writes it.
    // When the write fails the registration is undone (the slot stays free).
    bool registerUser(const QString& name, const QString& id, std::int16_t wideDisplay);

    // Writes slot `index` as record index+1; `routine` names the caller in the
    // error report. The result tells an open failure from a write failure.
    RecordWriteResult writeUser(int index, const QString& routine);

    // Gives the current learner a new name and ID and writes the record. When
    // the write fails, the record and the current learner stay as they were.
    RecordWriteResult renameCurrent(const QString& name, const QString& id, const QString& routine);

    // The current learner: index 0, no name or ID, sound on, wide display.
    void resetCurrent();
    // The learner of a registered slot becomes the current one, with the
    // record's name and flags (the ID stays to be confirmed). A slot outside
    // the registered ones is ignored.
    void chooseLearner(int slot);
    // The current learner takes the sound flag of its record.
    void useRecordedSound();
    // The ID the current learner confirmed.
    void setCurrentId(const QString& id);
    void setSoundOn(std::int16_t soundOn);
    // The current display flag; with `intoRecord` also the current learner's
    // record in memory (written by the next upd_UserData).
    void setWideDisplay(std::int16_t wideDisplay, bool intoRecord = false);

    // Deletes the current learner's four log files, ignoring errors.
    void del_UserLogs();
    static QStringList logFileNames(int index);

private:
    bool ensureUserFolder() const;
    bool registered(int slot) const { return slot >= 0 && slot < count_; }

    Session& session_;
    std::array<UserData, kMaxUsers> users_{};
    int count_ = 0;
    CurrentUser current_;
};

}  // namespace korvel
