// The run of the application: its folders, its error report, its learners and
// the chapter in use, with the seams to the desktop. Screens share one Session.
#pragma once

#include "app/desktop/services.h"
#include "app/files/folders.h"
#include "app/shell/error_table.h"
#include "app/shell/user_accounts.h"

#include <QString>

#include <cstdint>

namespace korvel {

// Chapter numbers of the re-test modes.
inline constexpr std::int16_t kRetestWords = 98;
inline constexpr std::int16_t kRetestCompositions = 99;
inline constexpr std::int16_t kRetestListening = 100;
inline constexpr int kChapterCount = 28;

class Session {
public:
    // The folders are set from the content root at once (installation kind "HDD").
    Session(Services services, const QString& contentRoot);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Prompt& prompt() { return *services_.prompt; }
    const Clock& clock() const { return *services_.clock; }
    Random& random() { return *services_.random; }
    // The save dialog; null in a run without one.
    FileDialog* fileDialog() { return services_.fileDialog; }

    const Folders& folders() const { return folders_; }
    ErrorMsgTable& errorTable() { return errorTable_; }
    UserAccounts& users() { return users_; }
    const UserAccounts& users() const { return users_; }
    const CurrentUser& currentUser() const { return users_.current(); }

    std::int16_t chapter() const { return chapter_; }
    void setChapter(std::int16_t chapter) { chapter_ = chapter; }

    // Before the log-in screen: the content root and its lesson files must be
    // there (otherwise one message names the folder and what to do, and the
    // result is false); a missing user folder is created, so that a first run
    // reads an empty list of learners instead of failing on the folder.
    bool checkFolders();

    // Loads "ErrorMsg.txt" from the Lesson folder. When it cannot be read, a
    // message box says so and the table stays empty.
    void get_ErrorMsg();

    // The common error report: one message box "エラー表示" with the row's
    // message, the detail and the routine; row 999 shows nothing. Always 0.
    std::int16_t dsp_ErrorMsg(std::int16_t row, const QString& routine, const QString& detail);

    // The exit question. This form ends the program on OK (and returns -1);
    // Cancel returns 0 and nothing changes.
    std::int16_t chk_Exit();
    // The second form only asks: -1 for OK, 0 for Cancel; ending is the caller's.
    enum class AskOnly { Yes };
    std::int16_t chk_Exit(AskOnly);

    // Current chapter 0; current user index 0, name and ID empty; sound on;
    // display balance "●広げる".
    void resetRunState();

    // The current date and time without seconds.
    QString clockText() const { return korvel::clockText(services_.clock->now()); }

    // The screens' navigator supplies the real ending once it exists.
    void setEndProgram(std::function<void()> endProgram) { services_.endProgram = std::move(endProgram); }

private:
    Services services_;
    Folders folders_;
    ErrorMsgTable errorTable_;
    UserAccounts users_;
    std::int16_t chapter_ = 0;
};

}  // namespace korvel
