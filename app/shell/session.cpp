#include "app/shell/session.h"

namespace korvel {

Session::Session(Services services, const QString& contentRoot)
    : services_(std::move(services)),
      folders_(Folders::fromRoot(contentRoot, QStringLiteral("HDD"))),
      users_(*this)
{
}

void Session::get_ErrorMsg()
{
    const QString path = folders_.lessonFile(QStringLiteral("ErrorMsg.txt"));
    QString error;
    if (!errorTable_.load(path, &error)) {
        prompt().tell(QStringLiteral("エラー表示"),
                      QStringLiteral("エラー・メッセージ　ファイルがありません。") + QStringLiteral("\r\n") +
                          path + QStringLiteral(" : ") + error,
                      Prompt::Icon::Critical);
    }
}

std::int16_t Session::dsp_ErrorMsg(std::int16_t row, const QString& routine, const QString& detail)
{
    if (row == 999) {
        return 0;
    }
    const QString text = QStringLiteral("エラー：　") + errorTable_.message(row) + QStringLiteral("\r\n") +
                         detail + QStringLiteral("\r\n") + routine;
    prompt().ask(QStringLiteral("エラー表示"), text, Prompt::Buttons::Ok, Prompt::Icon::Critical);
    return 0;
}

std::int16_t Session::chk_Exit(AskOnly)
{
    const Prompt::Answer answer = prompt().ask(QStringLiteral("NEVRIN1　終了の確認"),
                                               QStringLiteral("NEVRIN1を終了しますか？"),
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
