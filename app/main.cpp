// korvel: the learning application. Starts on the log-in screen; the content
// lies beside the executable unless --content DIR (or KORVEL_CONTENT) says
// otherwise.
#include "app/screen_table.h"
#include "app/files/folders.h"
#include "app/shell/session.h"
#include "app/desktop/ui/navigator.h"
#include "app/desktop/qt_prompt.h"

#include <QApplication>

int main(int argc, char** argv)
{
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
    if (navigator.open(korvel::ScreenId::Login) == nullptr) {
        return 1;
    }
    return QApplication::exec();
}
