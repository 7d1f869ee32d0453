// Renders every screen of korvel and tanduid to PNG files, with the bundled
// course content and a few registered learners:
//   korvel_screenshots OUTPUT_DIR
// Run it under a display (xvfb-run -a korvel_screenshots out/) so that the
// whole-screen shot shows the home screen with its popup.
#include "app/desktop/qt_prompt.h"
#include "app/desktop/screen_fit.h"
#include "app/desktop/translations.h"
#include "app/desktop/ui/navigator.h"
#include "app/screen_table.h"
#include "app/shell/ui/frm_functions.h"
#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_login.h"
#include "app/shell/ui/frm_user_name.h"
#include "tests/app/test_support.h"
#include "tools/userlist/frm_user_id.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

using namespace korvel;

void settle()
{
    QEventLoop loop;
    QTimer::singleShot(400, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget* widget, const QString& path)
{
    settle();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

bool saveScreen(const QString& path)
{
    settle();
    QScreen* screen = QGuiApplication::primaryScreen();
    const bool ok = screen != nullptr && screen->grabWindow(0).save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The test fixture's helpers, used outside a test.
class Content : public test::AppTest {
public:
    void TestBody() override {}
    void prepare()
    {
        installCourse();
        QFile jacket(QStringLiteral(KORVEL_COURSE_DIR "/Image/jacket.bmp"));
        if (jacket.open(QIODevice::ReadOnly)) {
            content.write(QStringLiteral("Image/jacket.bmp"), jacket.readAll());
        }
        std::vector<QByteArray> users;
        const char* names[] = {"Taro Yamada", "hana", "Ken_2", "Mei", "taro", "Yuki-S",
                               "Aoi",         "Ryo",  "Sora",  "Nao", "Emi",  "Jun"};
        for (const char* name : names) {
            users.push_back(test::userRecordBytes(name, -1, -1, name[0] == 'T' ? "abc123" : ""));
        }
        writeUsers(users);
        content.write(QStringLiteral("Korveluser/LastUser.dat"),
                      QByteArray("Taro Yamada         ") + test::le16(0) + test::le16(12));
    }
    Session& start() { return startSession(); }
    test::ScriptedPrompt& messages() { return prompt; }
    QString root() const { return content.path(); }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installJapaneseQtTranslation(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvel_screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    Content content;
    content.prepare();
    Session& session = content.start();
    Navigator navigator(session);
    navigator.setQuit([] {});
    registerScreens(navigator);
    bool ok = true;

    auto* login = static_cast<frmログイン*>(navigator.open(ScreenId::Login));
    ok &= save(login, out + QStringLiteral("/login_start.png"));
    login->OptionNewUser[0]->click();
    ok &= save(login, out + QStringLiteral("/login_registered.png"));
    login->OptionNewUser[1]->click();
    login->TextNewName->setText(QStringLiteral("Saki Tanaka"));
    Q_EMIT login->TextNewName->returnPressed();
    ok &= save(login, out + QStringLiteral("/login_new_user.png"));

    // Log in as Jun (no ID): the first list entry after sorting is Aoi; pick Jun.
    login->OptionNewUser[0]->click();
    for (int i = 0; i < kMaxUsers; ++i) {
        if (login->OptionUserName[static_cast<std::size_t>(i)]->text() == QStringLiteral("Jun")) {
            login->OptionUserName[static_cast<std::size_t>(i)]->click();
        }
    }
    login->CommandHome->click();
    auto* home = dynamic_cast<HomeScreen*>(navigator.lastOpened());
    if (home == nullptr) {
        std::fprintf(stderr, "the home screen did not open:\n%s\n", qPrintable(content.messages().transcript()));
        return 1;
    }
    ok &= save(home, out + QStringLiteral("/home.png"));
    home->CommandChapter[4]->click();
    ok &= save(home, out + QStringLiteral("/home_chapter5.png"));
    ok &= saveScreen(out + QStringLiteral("/home_chapter5_screen.png"));
    home->popup()->close();

    home->CommandUserName->click();
    auto* change = dynamic_cast<frmユーザ名*>(navigator.lastOpened());
    if (change == nullptr) {
        return 1;
    }
    change->TextNewId->setText(QStringLiteral("jun2024"));
    change->CommandChange->click();
    ok &= save(change, out + QStringLiteral("/user_name.png"));

    session.users().setWideDisplay(0);
    change->CommandReturn->click();
    auto* homeL = dynamic_cast<HomeScreen*>(navigator.lastOpened());
    if (homeL == nullptr) {
        return 1;
    }
    homeL->CommandChapter[27]->click();
    ok &= save(homeL, out + QStringLiteral("/homeL_chapter28.png"));
    ok &= saveScreen(out + QStringLiteral("/homeL_chapter28_screen.png"));
    homeL->popup()->close();
    homeL->hide();

    const test::FixedClock toolClock;
    tanduid::frmUserID tool(session.folders().userFolder, content.messages(), toolClock);
    korvel::centreOnScreen(&tool);
    tool.show();
    ok &= save(&tool, out + QStringLiteral("/tanduid.png"));
    // A message box of the running program, with its Japanese buttons.
    QtPrompt prompt;
    QTimer::singleShot(500, &app, [&ok, out] {
        ok &= saveScreen(out + QStringLiteral("/message_box_screen.png"));
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    prompt.ask(QStringLiteral("NEVRIN1　終了の確認"), QStringLiteral("NEVRIN1を終了しますか？"),
               Prompt::Buttons::YesNoCancel, Prompt::Icon::Question, {});
    navigator.endProgram();
    return ok ? 0 : 1;
}
