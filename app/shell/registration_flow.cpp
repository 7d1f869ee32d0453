#include "app/shell/registration_flow.h"

#include "app/shell/session.h"

namespace korvel {

namespace {

const QString kRegisterTitle = QStringLiteral("ユーザ登録");

}  // namespace

bool RegistrationFlow::mayRegister()
{
    if (!session_.users().isFull()) {
        return true;
    }
    session_.prompt().tell(kRegisterTitle,
                           QStringLiteral("既に３０人のユーザが登録されていますので新しいユーザは登録できません。"));
    return false;
}

RegistrationFlow::NameEntry RegistrationFlow::enterName(const QString& typedName)
{
    if (!mayRegister()) {
        return NameEntry::Full;
    }
    QString name = typedName;
    return session_.users().chk_UserName(name) == 0 ? NameEntry::Accepted : NameEntry::Rejected;
}

RegistrationFlow::Outcome RegistrationFlow::registerLearner(const QString& typedName, const QString& id)
{
    if (!mayRegister()) {
        return Outcome::Full;
    }
    UserAccounts& users = session_.users();
    QString name = typedName;
    if (users.chk_UserName(name) != 0) {
        return Outcome::NameRejected;
    }
    Prompt& prompt = session_.prompt();
    const QString shownId = id.isEmpty() ? QStringLiteral("なし") : id;
    const Prompt::Answer answer =
        prompt.ask(QStringLiteral("ユーザ登録の確認"),
                   QStringLiteral("このユーザ名（ ") + name + QStringLiteral(" ）、ユーザＩＤ（ ") + shownId +
                       QStringLiteral(" ）を登録しますか？"),
                   Prompt::Buttons::OkCancel, Prompt::Icon::Question);
    if (answer != Prompt::Answer::Ok) {
        return Outcome::Cancelled;
    }
    if (!id.isEmpty()) {
        prompt.tell(kRegisterTitle, QStringLiteral("ユーザＩＤを忘れた時のために　このユーザＩＤ（ ") + id +
                                        QStringLiteral(" ）をひかえておいてください。"));
    }
    if (!users.registerUser(name, id, users.current().wideDisplay)) {
        return Outcome::Failed;  // reported; the learner can try again
    }
    return Outcome::Registered;
}

}  // namespace korvel
