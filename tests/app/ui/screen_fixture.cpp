#include "tests/app/ui/screen_fixture.h"

#include "app/screen_table.h"
#include "app/shell/ui/frm_login.h"

#include <QApplication>
#include <QTest>

namespace korvel::test {

void ScreenTest::SetUp()
{
    installCourse();
}

void ScreenTest::TearDown()
{
    if (navigator) {
        navigator->endProgram();
    }
    settle();
}

Navigator& ScreenTest::startNavigator()
{
    startSession(false);
    navigator = std::make_unique<Navigator>(*session);
    navigator->setQuit([this] { ++quits; });
    registerScreens(*navigator);
    return *navigator;
}

frmログイン* ScreenTest::openLogin()
{
    if (!navigator) {
        startNavigator();
    }
    auto* login = dynamic_cast<frmログイン*>(navigator->open(ScreenId::Login));
    settle();
    return login;
}

QWidget* ScreenTest::openHomeAs(int slot)
{
    if (!navigator) {
        startNavigator();
    }
    session->get_ErrorMsg();
    UserAccounts& users = session->users();
    users.get_UserData();
    users.chooseLearner(slot);
    users.setCurrentId(users.user(slot).id);
    QWidget* home = navigator->open(ScreenId::Home);
    settle();
    return home;
}

void ScreenTest::addStandIn(ScreenId id, const QString& name)
{
    navigator->add(id, [this, name](Navigator& nav) {
        auto* screen = new QWidget;
        screen->setObjectName(name);
        seenChapters[name] = nav.session().chapter();
        return screen;
    });
}

int ScreenTest::chapterSeenBy(const QString& name) const
{
    const auto found = seenChapters.find(name);
    return found == seenChapters.end() ? -1 : found->second;
}

void ScreenTest::type(QLineEdit* field, const QString& text, bool enter)
{
    QTest::keyClicks(field, text);
    if (enter) {
        QTest::keyClick(field, Qt::Key_Return);
    }
}

void ScreenTest::settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

}  // namespace korvel::test
