// The decisions of renaming: the logged-in learner changes the user name, the
// user ID or both, confirms, chooses whether the results so far carry over to
// the new name, and the record is written. The screen frmユーザ名 shows the
// outcome and forwards the typed texts.
#pragma once

#include <QString>

namespace korvel {

class Session;

class RenameFlow {
public:
    explicit RenameFlow(Session& session) : session_(session) {}

    enum class Entry {
        Ignored,   // nothing typed
        Rejected,  // breaks a rule (told): back to the field
        Accepted,
    };
    // Enter in the new-name field; an accepted name enables "変更".
    Entry enterName(const QString& typedName);
    // Enter in the new-ID field (an empty ID is accepted silently).
    Entry enterId(const QString& typedId);

    struct Result {
        enum class Focus { None, Name, Id };
        Focus focus = Focus::None;
        // When set, the name field shows this (an empty new name means "keep
        // the current one").
        bool fillName = false;
        QString filledName;
        // When set, the result line shows `message` (CR LF line ends).
        bool showMessage = false;
        QString message;
        bool disableChange = false;
        // The record was written: the current name and ID changed.
        bool saved = false;
    };
    // "変更" pressed with the typed name and ID.
    Result change(const QString& typedName, const QString& typedId);

private:
    // Writes the new name and ID; on failure the learner stays as before.
    bool save(const QString& name, const QString& id, Result& result);
    bool yes(const QString& title, const QString& question);

    Session& session_;
};

}  // namespace korvel
