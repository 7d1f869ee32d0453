#include "app/shell/rename_flow.h"

#include "app/files/sjis_text.h"
#include "app/shell/session.h"

namespace korvel {

namespace {

const QString kCancelled = QStringLiteral("変更を中止しました。");
const QString kNoteDown = QStringLiteral("ユーザＩＤを忘れた時のために　  どこかにひかえておいてください。");
const QString kCrLf = QStringLiteral("\r\n");

void show(RenameFlow::Result& result, const QString& message)
{
    result.showMessage = true;
    result.message = message;
}

}  // namespace

RenameFlow::Entry RenameFlow::enterName(const QString& typedName)
{
    QString name = typedName;
    if (sjis::trimBlanks(name).isEmpty()) {
        return Entry::Ignored;
    }
    return session_.users().chk_UserName(name) == 0 ? Entry::Accepted : Entry::Rejected;
}

RenameFlow::Entry RenameFlow::enterId(const QString& typedId)
{
    const QString id = sjis::trimBlanks(typedId);
    if (id.isEmpty()) {
        return Entry::Ignored;
    }
    return session_.users().chk_UserID(id) == 0 ? Entry::Accepted : Entry::Rejected;
}

bool RenameFlow::yes(const QString& title, const QString& question)
{
    return session_.prompt().ask(title, question, Prompt::Buttons::YesNo, Prompt::Icon::Question) ==
           Prompt::Answer::Yes;
}

bool RenameFlow::save(const QString& name, const QString& id, Result& result)
{
    const RecordWriteResult written =
        session_.users().renameCurrent(name, id, QStringLiteral("frmユーザ名 put_UserData"));
    if (!written.ok()) {
        // An open failure was reported as such; any other failure also gets
        // the note on the result line.
        if (written.status != WriteStatus::OpenFailed) {
            show(result, QStringLiteral("\\user.datがありません。"));
        }
        return false;
    }
    result.saved = true;
    return true;
}

RenameFlow::Result RenameFlow::change(const QString& typedName, const QString& typedId)
{
    Result result;
    UserAccounts& users = session_.users();
    const QString currentName = sjis::trimBlanks(users.current().name);
    const QString currentId = sjis::trimBlanks(users.current().id);

    QString name = sjis::trimBlanks(typedName);
    if (name.isEmpty()) {
        name = currentName;
        result.fillName = true;
        result.filledName = name;
    } else if (users.chk_UserName(name) != 0) {
        result.focus = Result::Focus::Name;
        return result;
    }
    const QString id = sjis::trimBlanks(typedId);
    if (!id.isEmpty() && users.chk_UserID(id) != 0) {
        result.focus = Result::Focus::Id;
        return result;
    }

    const bool nameChanged = name != currentName;
    const bool idChanged = id != currentId;
    if (!nameChanged && !idChanged) {
        show(result, QStringLiteral("ユーザ名とユーザＩＤが変更されていません。"));
        return result;
    }
    if (!nameChanged) {
        const bool emptied = id.isEmpty();
        if (!yes(QStringLiteral("ユーザＩＤ設定"), emptied ? QStringLiteral("ユーザＩＤなしに変更しますか？")
                                                           : QStringLiteral("新しいユーザＩＤに変更しますか？"))) {
            show(result, kCancelled);
            return result;
        }
        if (save(name, id, result)) {
            show(result, emptied ? QStringLiteral("ユーザＩＤなしに変更しました。")
                                 : QStringLiteral("新しいユーザＩＤ（ ") + id + QStringLiteral(" ）に変更しました。") +
                                       kCrLf + kNoteDown);
        }
        return result;
    }

    const QString title = idChanged ? QStringLiteral("ユーザ名・ユーザＩＤの変更") : QStringLiteral("ユーザ名設定");
    const QString question = idChanged ? QStringLiteral("ユーザ名とユーザＩＤを新しいものに変更しますか？")
                                       : QStringLiteral("ユーザ名を新しいものに変更しますか？");
    if (!yes(title, question)) {
        show(result, kCancelled);
        result.disableChange = idChanged;
        return result;
    }
    const Prompt::Answer carryOver =
        session_.prompt().ask(QStringLiteral("テスト結果引き継ぎの確認"),
                              QStringLiteral("前ユーザのテスト結果を引き継ぎますか？") + kCrLf +
                                  QStringLiteral("[いいえ]　にすると今までの成績集計データが全て消去されます。"),
                              Prompt::Buttons::YesNoCancel, Prompt::Icon::Question);
    if (carryOver == Prompt::Answer::Cancel) {
        show(result, kCancelled);
        return result;
    }
    // The logs go only once the new name is safely written, so a failed save
    // never costs the learner's results.
    if (!save(name, id, result)) {
        return result;
    }
    if (carryOver == Prompt::Answer::No) {
        users.del_UserLogs();
    }
    if (!idChanged) {
        show(result, QStringLiteral("新しいユーザ名（ ") + name + QStringLiteral(" ）に変更しました。"));
    } else if (id.isEmpty()) {
        show(result,
             QStringLiteral("新しいユーザ名（ ") + name + QStringLiteral(" ）、ユーザＩＤなしに変更しました。"));
    } else {
        show(result, QStringLiteral("新しいユーザ名（ ") + name + QStringLiteral(" ）、ユーザＩＤ（ ") + id +
                         QStringLiteral(" ）に変更しました。") + kCrLf + kNoteDown);
    }
    return result;
}

}  // namespace korvel
