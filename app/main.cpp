// korvel: the learning application. Starts on the log-in screen; the content
// lies beside the executable unless --content DIR (or KORVEL_CONTENT) says
// otherwise.
//
// --list-windows starts the program as usual and, once the start-up is done
// (or a message box holds it up), prints the object name of every visible
// top-level window, one per line, and ends: the check that the installation
// starts. A message box during the start-up is printed as "QMessageBox:" and
// its text, and the program ends with status 2.
//
// --check EXERCISE SENTENCE runs one composition correction without a window
// and prints it as JSON (app/correction/check_command.h).
//
// --records VIEW ... prints one record view's grid without a window
// (app/records/records_command.h).
//
// --help prints the options and ends.
#include "app/correction/check_command.h"
#include "app/desktop/qt_file_dialog.h"
#include "app/desktop/qt_prompt.h"
#include "app/desktop/translations.h"
#include "app/desktop/ui/media_backend.h"
#include "app/desktop/ui/navigator.h"
#include "app/files/folders.h"
#include "app/records/records_command.h"
#include "app/screen_table.h"
#include "app/shell/session.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "使い方: korvel [--content DIR] [--list-windows]\n"
    "        korvel --check EXERCISE SENTENCE [--prompt TEXT] [--mode 1|3] [--content DIR]\n"
    "        korvel --records VIEW [--user N] [--content DIR] [--order newest|oldest]\n"
    "                       [--answers show|hide] [--sort frequency|id|japanese|english]\n"
    "\n"
    "  --content DIR    教材のフォルダー（Lesson、Image、Korveluser などのあるフォルダー）。\n"
    "                   指定がなければ環境変数 KORVEL_CONTENT、それもなければ korvel のあるフォルダー\n"
    "  --list-windows   起動して、表示されたウィンドウの名前を出力して終わる（起動の確認）\n"
    "  --check          英作文を1つ、ウィンドウなしで添削して JSON で出力する\n"
    "  --records        学習記録の一覧 VIEW（1～18）を、画面と同じ文字でタブ区切りで出力する\n"
    "                   （--user 番号: 学習者、指定がなければ最後の学習者。--order: 履歴の順、\n"
    "                   --answers: 正解を表示、--sort: コメントは頻度順・ＩＤ順、単語は日本語ＩＤ順・英語ａｂｃ順）\n"
    "  --help           この説明を出力して終わる\n";

bool asksForHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return true;
        }
    }
    return false;
}

void printLine(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Prints the visible top-level windows. True when a message box was among them.
bool listWindows()
{
    bool boxShown = false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        if (const auto* box = qobject_cast<QMessageBox*>(window)) {
            printLine(QStringLiteral("QMessageBox: ") + box->windowTitle() + QStringLiteral(": ") + box->text());
            boxShown = true;
        } else {
            printLine(window->objectName());
        }
    }
    return boxShown;
}

}  // namespace

int main(int argc, char** argv)
{
    if (asksForHelp(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (korvel::isCheckCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return korvel::runCheckCommand(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    }
    if (korvel::isRecordsCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return korvel::runRecordsCommand(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    }
    korvel::chooseMediaBackend();
    QApplication app(argc, argv);
    korvel::installJapaneseQtTranslation(app);

    korvel::QtPrompt prompt;
    korvel::SystemClock clock;
    korvel::SystemRandom random;
    korvel::QtFileDialog fileDialog;
    korvel::Services services;
    services.prompt = &prompt;
    services.clock = &clock;
    services.random = &random;
    services.fileDialog = &fileDialog;

    const QString root =
        korvel::contentRootFromArguments(QApplication::arguments(), QApplication::applicationDirPath());
    korvel::Session session(services, root);
    korvel::Navigator navigator(session);
    korvel::registerScreens(navigator);

    if (QApplication::arguments().contains(QStringLiteral("--list-windows"))) {
        // Runs from the first event loop: the main one after a clean start-up,
        // or the loop of a message box that the start-up opened.
        QTimer::singleShot(0, &app, [&navigator] {
            if (listWindows()) {
                std::_Exit(2);
            }
            navigator.endProgram();
        });
    }
    if (!session.checkFolders() || navigator.open(korvel::ScreenId::Login) == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
