// tanduid: lists the learners registered in korvel's users file with their
// user IDs. The users file lies in "Korveluser" beside this program (or under
// the folder given by --content DIR).
#include "app/files/folders.h"
#include "app/desktop/qt_prompt.h"
#include "tools/userlist/frm_user_id.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    korvel::QtPrompt prompt;
    korvel::SystemClock clock;
    const QString root =
        korvel::contentRootFromArguments(QApplication::arguments(), QApplication::applicationDirPath());
    tanduid::frmUserID window(korvel::Folders::fromRoot(root).userFolder, prompt, clock);
    window.show();
    return QApplication::exec();
}
