#include "app/shell/login_flow.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

namespace korvel {

LoginFlow::LoginFlow(Session& session) : session_(session), registration_(session)
{
}

bool LoginFlow::start()
{
    session_.get_ErrorMsg();
    UserAccounts& users = session_.users();
    users.get_UserData();
    session_.resetRunState();
    if (users.count() >= 1) {
        if (!users.get_LastUserData()) {
            return false;
        }
        users.useRecordedSound();
    }
    users.setWideDisplay(-1);
    return true;
}

LoginFlow::Listing LoginFlow::chooseRegistered()
{
    mode_ = Mode::Registered;
    UserAccounts& users = session_.users();
    users.get_UserData();
    if (users.count() == 0) {
        session_.prompt().tell(QStringLiteral("ユーザ登録"), QStringLiteral("まだ誰も登録されておりません。"));
        return Listing::NoneRegistered;
    }
    learnerChosen_ = false;
    names_.clear();
    rememberedRow_ = -1;
    if (!users.get_LastUserData()) {
        return Listing::Failed;
    }
    names_ = users.sortedNames();
    for (std::size_t row = 0; row < names_.size(); ++row) {
        if (names_[row].index == users.current().index) {
            rememberedRow_ = static_cast<int>(row);
        }
    }
    return Listing::Listed;
}

bool LoginFlow::chooseNewUser()
{
    mode_ = Mode::NewUser;
    if (!registration_.mayRegister()) {
        return false;
    }
    learnerChosen_ = false;
    names_.clear();
    rememberedRow_ = -1;
    return true;
}

RegistrationFlow::NameEntry LoginFlow::enterName(const QString& typedName)
{
    return registration_.enterName(typedName);
}

LoginFlow::Learner LoginFlow::chooseLearner(int slot)
{
    UserAccounts& users = session_.users();
    if (slot < 0 || slot >= users.count()) {
        return Learner::None;
    }
    users.chooseLearner(slot);
    learnerChosen_ = true;
    return users.user(slot).id.isEmpty() ? Learner::PressHome : Learner::AskId;
}

LoginFlow::IdOutcome LoginFlow::enterId(const QString& typedId, bool fromEnter, const QString& typedName)
{
    const QString id = sjis::trimBlanks(typedId);
    if (session_.users().chk_UserID(id) != 0) {
        return IdOutcome::IdRejected;
    }
    if (mode_ == Mode::NewUser) {
        switch (registration_.registerLearner(typedName, id)) {
        case RegistrationFlow::Outcome::NameRejected:
        case RegistrationFlow::Outcome::Cancelled: return IdOutcome::NameRejected;
        case RegistrationFlow::Outcome::Full:
        case RegistrationFlow::Outcome::Failed: return IdOutcome::Nothing;
        case RegistrationFlow::Outcome::Registered: logIn(); return IdOutcome::Home;
        }
        return IdOutcome::Nothing;
    }
    if (mode_ == Mode::Registered && learnerChosen_) {
        return checkRegisteredId(id, fromEnter);
    }
    return IdOutcome::Nothing;
}

LoginFlow::IdOutcome LoginFlow::checkRegisteredId(const QString& id, bool fromEnter)
{
    UserAccounts& users = session_.users();
    if (id != users.user(users.current().index).id) {
        const Prompt::Answer answer = session_.prompt().ask(QStringLiteral("ユーザＩＤ入力"),
                                                            QStringLiteral("正しいユーザＩＤを入力してください。"),
                                                            Prompt::Buttons::OkCancel, Prompt::Icon::Warning);
        if (answer == Prompt::Answer::Ok) {
            return IdOutcome::RetryId;
        }
        learnerChosen_ = false;
        return IdOutcome::ChoiceDropped;
    }
    users.setCurrentId(id);
    if (fromEnter) {
        return IdOutcome::AwaitHome;
    }
    logIn();
    return IdOutcome::Home;
}

void LoginFlow::logIn()
{
    UserAccounts& users = session_.users();
    users.upd_UserData();
    users.put_LastUserData();
}

void LoginFlow::chooseDisplay(std::int16_t wideDisplay)
{
    session_.users().setWideDisplay(wideDisplay, mode_ == Mode::Registered && learnerChosen_);
}

}  // namespace korvel
