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
#include "app/correction/check_command.h"
#include "app/desktop/qt_prompt.h"
#include "app/desktop/ui/navigator.h"
#include "app/files/folders.h"
#include "app/screen_table.h"
#include "app/shell/session.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

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
    if (korvel::isCheckCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return korvel::runCheckCommand(QCoreApplication::arguments(), QCoreApplication::applicationDirPath());
    }
    QApplication app(argc, argv);

    korvel::QtPrompt prompt;
    korvel::SystemClock clock;
    korvel::SystemRandom random;
    korvel::Services services;
    services.prompt = &prompt;
    services.clock = &clock;
    services.random = &random;

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
    if (navigator.open(korvel::ScreenId::Login) == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
