#include "app/shell/ui/frm_functions.h"
#include "app/shell/ui/frm_home.h"
#include "app/shell/ui/frm_login.h"
#include "app/shell/ui/frm_user_name.h"
#include "tests/app/ui/screen_fixture.h"

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <algorithm>

#include <gtest/gtest.h>

namespace korvel {
namespace {

using Answer = Prompt::Answer;
using test::userRecordBytes;

class HomeScreenTest : public test::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        writeUsers({userRecordBytes("Taro", -1, -1, ""), userRecordBytes("Hana", -1, 0, "")});
        startNavigator();
    }

    // Stand-ins for every course function screen, as later work plugs them in.
    void addAllFunctionScreens()
    {
        for (int i = 0; i < kFunctionCount; ++i) {
            addStandIn(functionScreen(i), QStringLiteral("function%1").arg(i));
        }
    }

    HomeScreen* home(int slot = 0) { return dynamic_cast<HomeScreen*>(openHomeAs(slot)); }

    // The colour a chapter button shows on screen, read from its rendering.
    static QColor shownColour(HomeScreen* screen, int button)
    {
        const QImage image = screen->CommandChapter[static_cast<std::size_t>(button)]->grab().toImage();
        return image.pixelColor(5, 4);
    }
};

TEST_F(HomeScreenTest, ShowsTheLearnerAndTheChapterTitles)
{
    HomeScreen* screen = home();
    ASSERT_NE(screen, nullptr);
    EXPECT_NE(dynamic_cast<frmホーム*>(screen), nullptr);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral(" NEVRIN1 ホーム"));
    EXPECT_EQ(screen->LabelUser->text(), QStringLiteral("2024/04/01 09:05 Taro"));
    EXPECT_EQ(screen->CommandChapter[0]->text(), QStringLiteral("第1章\nあいさつと自己紹介（I am ～.）"));
    EXPECT_EQ(screen->CommandChapter[27]->text(), QStringLiteral("第28章\n総復習"));
    EXPECT_EQ(screen->CommandChapter[HomeScreen::kRequizButton]->text(), QStringLiteral("聞き取り再クイズ"));
    EXPECT_EQ(prompt.count(), 0u) << prompt.transcript().toStdString();
}

TEST_F(HomeScreenTest, TheShrunkenBalanceGetsTheSmallLayout)
{
    HomeScreen* screen = home(1);
    ASSERT_NE(dynamic_cast<frmホームL*>(screen), nullptr);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral(" NEVRIN1　ホーム　（画面表示のバランス　●縮める　を選択）"));
}

TEST_F(HomeScreenTest, ButtonsOfScreensThatDoNotExistAreDisabled)
{
    HomeScreen* screen = home();
    for (int i = 0; i < kFunctionCount; ++i) {
        // Every function screen, the record list (8) included, exists now.
        EXPECT_TRUE(screen->CommandFunction[static_cast<std::size_t>(i)]->isEnabled()) << i;
    }
    EXPECT_TRUE(screen->CommandChapter[HomeScreen::kRequizButton]->isEnabled());
    EXPECT_TRUE(screen->CommandGlossary->isEnabled());
    EXPECT_TRUE(screen->CommandUserName->isEnabled());
    EXPECT_TRUE(screen->CommandLogin->isEnabled());
}

TEST_F(HomeScreenTest, AFunctionBeforeAnyChapterAsksForAChapter)
{
    addAllFunctionScreens();
    HomeScreen* screen = home();
    screen->CommandFunction[1]->click();
    ASSERT_EQ(prompt.count(), 1u);
    EXPECT_EQ(prompt.last().title, QStringLiteral("機能選択"));
    EXPECT_EQ(prompt.last().text, QStringLiteral("章番号を選んでから機能を指定してください。"));
    EXPECT_EQ(navigator->lastOpened(), screen);
}

TEST_F(HomeScreenTest, AChapterIsColouredAndGetsThePopupBesideChapterTen)
{
    HomeScreen* screen = home();
    EXPECT_EQ(shownColour(screen, 4), HomeScreen::kUnselected);
    screen->CommandChapter[4]->click();
    settle();
    EXPECT_EQ(session->chapter(), 5);
    EXPECT_EQ(shownColour(screen, 4), HomeScreen::kSelected);
    ASSERT_NE(screen->popup(), nullptr);
    EXPECT_TRUE(screen->popup()->isVisible());
    EXPECT_EQ(screen->popup()->LabelChapter->text(), QStringLiteral("第5章"));
    // 400 twips below and 100 twips left of chapter button 10, 15 twips a pixel.
    const QPoint anchor = screen->CommandChapter[9]->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(screen->popup()->pos(), anchor + QPoint(-6, 26));

    screen->CommandChapter[5]->click();
    settle();
    EXPECT_EQ(shownColour(screen, 4), HomeScreen::kUnselected);
    EXPECT_EQ(shownColour(screen, 5), HomeScreen::kSelected);
    EXPECT_EQ(screen->popup()->LabelChapter->text(), QStringLiteral("第6章"));
}

TEST_F(HomeScreenTest, ChapterTwentyEightDisablesThreeFunctionsUntilAnotherChapter)
{
    addAllFunctionScreens();
    HomeScreen* screen = home();
    screen->CommandChapter[27]->click();
    for (int i = 0; i < 8; ++i) {
        const bool expected = i < 2 || i > 4;
        EXPECT_EQ(screen->CommandFunction[static_cast<std::size_t>(i)]->isEnabled(), expected) << i;
        EXPECT_EQ(screen->popup()->CommandFunction[static_cast<std::size_t>(i)]->isEnabled(), expected) << i;
    }
    screen->CommandChapter[2]->click();
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(screen->CommandFunction[static_cast<std::size_t>(i)]->isEnabled()) << i;
        EXPECT_TRUE(screen->popup()->CommandFunction[static_cast<std::size_t>(i)]->isEnabled()) << i;
    }
}

TEST_F(HomeScreenTest, AFunctionOfThePopupOpensItsScreenForTheChapter)
{
    addStandIn(ScreenId::Words, QStringLiteral("words"));
    QPointer<HomeScreen> screen = home();
    screen->CommandChapter[6]->click();
    EXPECT_TRUE(screen->popup()->CommandFunction[0]->isEnabled());
    screen->popup()->CommandFunction[1]->click();
    settle();
    EXPECT_EQ(chapterSeenBy(QStringLiteral("words")), 7);
    ASSERT_NE(navigator->lastOpened(), nullptr);
    EXPECT_EQ(navigator->lastOpened()->objectName(), QStringLiteral("words"));
    EXPECT_TRUE(screen.isNull());  // the home screen closed
}

TEST_F(HomeScreenTest, TheListeningRequizOpensTheQuizInItsRetestMode)
{
    addStandIn(ScreenId::Listening, QStringLiteral("listening"));
    QPointer<HomeScreen> screen = home();
    ASSERT_TRUE(screen->CommandChapter[HomeScreen::kRequizButton]->isEnabled());
    screen->CommandChapter[HomeScreen::kRequizButton]->click();
    settle();
    EXPECT_EQ(chapterSeenBy(QStringLiteral("listening")), 100);
    EXPECT_TRUE(screen.isNull());
}

TEST_F(HomeScreenTest, RetestChaptersAskForAChapterBeforeAFunction)
{
    addAllFunctionScreens();
    session->setChapter(99);
    HomeScreen* screen = home();
    screen->CommandFunction[0]->click();
    EXPECT_EQ(prompt.last().title, QStringLiteral("機能選択"));
    EXPECT_EQ(navigator->lastOpened(), screen);
}

TEST_F(HomeScreenTest, ThePreviouslyChosenChapterShowsSelected)
{
    session->setChapter(12);
    HomeScreen* screen = home();
    EXPECT_EQ(shownColour(screen, 11), HomeScreen::kSelected);
    EXPECT_EQ(shownColour(screen, 10), HomeScreen::kUnselected);
}

TEST_F(HomeScreenTest, TheSoundOptionIsStoredAtOnceAndSurvivesARestart)
{
    HomeScreen* screen = home();
    EXPECT_TRUE(screen->OptionSound[0]->isChecked());
    screen->OptionSound[1]->click();
    EXPECT_EQ(usersFile().left(32), userRecordBytes("Taro", 0, -1, ""));
    EXPECT_EQ(session->currentUser().soundOn, 0);

    // A new run: the log-in screen's start-up reads the flag back.
    content.write(QStringLiteral("Korveluser/LastUser.dat"),
                  QByteArray("Taro                ") + test::le16(0) + test::le16(2));
    navigator->endProgram();
    settle();
    navigator.reset();
    openLogin();
    EXPECT_EQ(session->currentUser().soundOn, 0);
}

TEST_F(HomeScreenTest, ClosingThePopupUnchoosesTheChapterOnlyInTheSmallLayout)
{
    HomeScreen* small = home(1);
    small->CommandChapter[3]->click();
    settle();
    small->popup()->CommandClose->click();
    settle();
    EXPECT_EQ(shownColour(small, 3), HomeScreen::kUnselected);
    small->leave();
    settle();

    HomeScreen* wide = home(0);
    wide->CommandChapter[3]->click();
    settle();
    wide->popup()->close();
    settle();
    EXPECT_EQ(shownColour(wide, 3), HomeScreen::kSelected);
}

TEST_F(HomeScreenTest, TheHintExplainsTheBalanceAndItsSecondButtonGoesToTheLogIn)
{
    HomeScreen* screen = home();
    screen->CommandHint->click();
    EXPECT_EQ(prompt.last().title, QStringLiteral("画面表示のバランス"));
    EXPECT_EQ(prompt.last().text,
              QStringLiteral("「ログイン画面に戻る」、「終了」ボタンが表示されない時は画面表示のバランスを ●縮める "
                             "にしてください。"));
    // Every button the hint names in 「」 is a button of this screen, labelled so.
    const QRegularExpression quoted(QStringLiteral("「([^」]+)」"));
    int named = 0;
    for (auto it = quoted.globalMatch(prompt.last().text); it.hasNext();) {
        const QString label = it.next().captured(1);
        const QList<QPushButton*> buttons = screen->findChildren<QPushButton*>();
        EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(), [&](QPushButton* b) { return b->text() == label; }))
            << label.toStdString();
        ++named;
    }
    EXPECT_EQ(named, 2);
    EXPECT_EQ(navigator->lastOpened(), screen);
    prompt.next(Answer::Cancel);
    screen->CommandHint->click();
    settle();
    EXPECT_NE(opened<frmログイン>(), nullptr);
}

TEST_F(HomeScreenTest, TheSmallLayoutsHintAdvisesTheOtherWay)
{
    HomeScreen* screen = home(1);
    screen->CommandHint->click();
    EXPECT_EQ(prompt.last().text,
              QStringLiteral("画面全体が小さい時は　画面表示のバランスを ●広げる にしてください。"));
}

TEST_F(HomeScreenTest, UserNameAndLogInButtonsOpenTheirScreens)
{
    HomeScreen* screen = home();
    screen->CommandUserName->click();
    settle();
    EXPECT_NE(opened<frmユーザ名>(), nullptr);
    opened<frmユーザ名>()->CommandReturn->click();
    settle();
    HomeScreen* again = opened<HomeScreen>();
    ASSERT_NE(again, nullptr);
    again->CommandLogin->click();
    settle();
    EXPECT_NE(opened<frmログイン>(), nullptr);
}

TEST_F(HomeScreenTest, CancelAtTheCloseBoxKeepsTheHomeScreen)
{
    HomeScreen* screen = home();
    prompt.next(Answer::Cancel);
    EXPECT_FALSE(screen->close());
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(quits, 0);
}

}  // namespace
}  // namespace korvel
