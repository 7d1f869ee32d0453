#include "app/shell/session.h"

#include <QDir>
#include <QFileInfo>

namespace korvel {

Session::Session(Services services, const QString& contentRoot)
    : services_(std::move(services)), folders_(Folders::fromRoot(contentRoot, QStringLiteral("HDD"))), users_(*this)
{
}

bool Session::checkFolders()
{
    const QString title = QStringLiteral("NEVRIN1　起動");
    const QString root = QDir::toNativeSeparators(folders_.contentRoot);
    if (!QFileInfo(folders_.contentRoot).isDir()) {
        prompt().tell(title,
                      QStringLiteral("教材のフォルダー ") + root + QStringLiteral(" がありません。\r\n") +
                          QStringLiteral("--content には、Lesson フォルダーのある教材のフォルダーを指定してください。"),
                      Prompt::Icon::Critical);
        return false;
    }
    QStringList missing;
    for (const QString& name : {QStringLiteral("目次.txt"), QStringLiteral("ErrorMsg.txt")}) {
        if (!QFileInfo(folders_.lessonFile(name)).isFile()) {
            missing << name;
        }
    }
    if (!missing.isEmpty()) {
        prompt().tell(
            title,
            QStringLiteral("教材のフォルダー ") + root + QStringLiteral(" に学習ファイルがありません（") +
                QDir::toNativeSeparators(folders_.lesson) + QStringLiteral(" の ") +
                missing.join(QStringLiteral("、")) + QStringLiteral("）。\r\n") +
                QStringLiteral("教材をインストールし直すか、--content で教材のあるフォルダーを指定してください。"),
            Prompt::Icon::Critical);
        return false;
    }
    if (!QDir().mkpath(folders_.userFolder)) {
        prompt().tell(title,
                      QStringLiteral("ユーザーのフォルダー ") + QDir::toNativeSeparators(folders_.userFolder) +
                          QStringLiteral(" を作成できません。\r\n") +
                          QStringLiteral("教材のフォルダーに書き込めるようにしてから、もう一度起動してください。"),
                      Prompt::Icon::Critical);
        return false;
    }
    return true;
}

void Session::get_ErrorMsg()
{
    const QString path = folders_.lessonFile(QStringLiteral("ErrorMsg.txt"));
    QString error;
    if (!errorTable_.load(path, &error)) {
        prompt().tell(QStringLiteral("エラー表示"),
                      QStringLiteral("エラー・メッセージ　ファイルがありません。") + QStringLiteral("\r\n") + path +
                          QStringLiteral(" : ") + error,
                      Prompt::Icon::Critical);
    }
}

std::int16_t Session::dsp_ErrorMsg(std::int16_t row, const QString& routine, const QString& detail)
{
    if (row == 999) {
        return 0;
    }
    const QString text = QStringLiteral("エラー：　") + errorTable_.message(row) + QStringLiteral("\r\n") + detail +
                         QStringLiteral("\r\n") + routine;
    prompt().ask(QStringLiteral("エラー表示"), text, Prompt::Buttons::Ok, Prompt::Icon::Critical);
    return 0;
}

std::int16_t Session::chk_Exit(AskOnly)
{
    const Prompt::Answer answer =
        prompt().ask(QStringLiteral("NEVRIN1　終了の確認"), QStringLiteral("NEVRIN1を終了しますか？"),
                     Prompt::Buttons::OkCancel, Prompt::Icon::Question);
    return answer == Prompt::Answer::Ok ? -1 : 0;
}

std::int16_t Session::chk_Exit()
{
    if (chk_Exit(AskOnly::Yes) == 0) {
        return 0;
    }
    if (services_.endProgram) {
        services_.endProgram();
    }
    return -1;
}

void Session::resetRunState()
{
    chapter_ = 0;
    users_.resetCurrent();
}

}  // namespace korvel
