// Registering a new learner at log-in: the decisions between the typed name
// and ID and the new record, with their messages. The log-in screen shows the
// fields and forwards what the learner typed.
#pragma once

#include <QString>

namespace korvel {

class Session;

class RegistrationFlow {
public:
    explicit RegistrationFlow(Session& session) : session_(session) {}

    // Whether another learner may register; when the users are full, says so.
    bool mayRegister();
    enum class NameEntry {
        Full,      // no free slot (told)
        Rejected,  // the name breaks a rule (told): back to the name field
        Accepted,  // on to the ID
    };
    // The typed name on its own (Enter in the name field).
    NameEntry enterName(const QString& typedName);

    enum class Outcome {
        Full,          // no free slot (told)
        NameRejected,  // the name breaks a rule (told): back to the name field
        Cancelled,     // the learner did not confirm: back to the name field
        Failed,        // the record could not be written (reported)
        Registered,    // the new learner is the current one: log in
    };
    // Registers the typed name with an ID that already keeps the rules
    // (trimmed): confirmation, a reminder to note a non-empty ID, the record.
    Outcome registerLearner(const QString& typedName, const QString& id);

private:
    Session& session_;
};

}  // namespace korvel
