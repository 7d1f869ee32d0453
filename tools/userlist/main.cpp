// tanduid: lists the learners registered in korvel's users file with their
// user IDs. The users file lies in "Korveluser" beside this program (or under
// the folder given by --content DIR, or KORVEL_CONTENT). --help prints the
// options and ends.
#include "app/desktop/qt_prompt.h"
#include "app/desktop/screen_fit.h"
#include "app/desktop/translations.h"
#include "app/files/folders.h"
#include "tools/userlist/frm_user_id.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "使い方: tanduid [--content DIR]\n"
    "\n"
    "  --content DIR    korvel の教材のフォルダー。その Korveluser フォルダーの user.dat を一覧にする。\n"
    "                   指定がなければ環境変数 KORVEL_CONTENT、それもなければ tanduid のあるフォルダー\n"
    "  --help           この説明を出力して終わる\n";

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    korvel::installJapaneseQtTranslation(app);
    korvel::QtPrompt prompt;
    korvel::SystemClock clock;
    const QString root =
        korvel::contentRootFromArguments(QApplication::arguments(), QApplication::applicationDirPath());
    tanduid::frmUserID window(korvel::Folders::fromRoot(root).userFolder, prompt, clock);
    korvel::centreOnScreen(&window);
    window.show();
    return QApplication::exec();
}
