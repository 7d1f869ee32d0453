// The decisions of the log-in screen: setting up the run, the choice between
// a registered learner and a new one, the check of the ID and the way home.
// The screen shows what the flow decided and forwards the learner's input.
#pragma once

#include "app/files/user_records.h"
#include "app/shell/registration_flow.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace korvel {

class Session;

class LoginFlow {
public:
    enum class Mode { None, Registered, NewUser };

    explicit LoginFlow(Session& session);

    // The screen's load: the error table, the users, a fresh run state and the
    // remembered learner with its sound flag. False when the last-user file
    // could not be read (reported); the display balance is then left unset.
    bool start();

    enum class Listing {
        NoneRegistered,  // told; the screen turns to registering a new learner
        Failed,          // the last-user file could not be read (reported)
        Listed,          // names() holds the list, rememberedRow() the preselection
    };
    // "Registered" chosen: the users are read again and listed by name.
    Listing chooseRegistered();
    // The learners of the list in the order shown.
    const std::vector<NameSlot>& names() const { return names_; }
    // The row of the remembered learner in names(), -1 when not listed.
    int rememberedRow() const { return rememberedRow_; }

    // "New learner" chosen. False when the users are full (told); the screen
    // then turns to the registered learners.
    bool chooseNewUser();
    // The typed name confirmed with Enter.
    RegistrationFlow::NameEntry enterName(const QString& typedName);

    enum class Learner {
        None,       // no learner behind that slot
        AskId,      // the learner has an ID to type
        PressHome,  // the learner has no ID: "ホーム" logs in
    };
    // A registered learner picked from the list becomes the current one.
    Learner chooseLearner(int slot);
    bool learnerChosen() const { return learnerChosen_; }

    enum class IdOutcome {
        Nothing,        // nothing to do in the current mode (or reported)
        IdRejected,     // the ID breaks a rule (told): back to the ID field
        NameRejected,   // a new learner's name is refused or not confirmed: back to the name field
        RetryId,        // a wrong ID, to be typed again
        ChoiceDropped,  // a wrong ID and the learner gave up: the choice is undone
        AwaitHome,      // the right ID typed with Enter: "ホーム" logs in
        Home,           // logged in: the home screen opens
    };
    // The ID given with Enter (`fromEnter`) or with "ホーム"; `typedName` is the
    // new learner's name field.
    IdOutcome enterId(const QString& typedId, bool fromEnter, const QString& typedName);

    // The display balance chosen: -1 "●広げる", 0 "●縮める".
    void chooseDisplay(std::int16_t wideDisplay);

    Mode mode() const { return mode_; }

private:
    IdOutcome checkRegisteredId(const QString& id, bool fromEnter);
    // Records the learner's flags and the last user; the log-in goes on even
    // when a write fails (reported), since the learner's record is safe.
    void logIn();

    Session& session_;
    RegistrationFlow registration_;
    Mode mode_ = Mode::None;
    bool learnerChosen_ = false;
    std::vector<NameSlot> names_;
    int rememberedRow_ = -1;
};

}  // namespace korvel
