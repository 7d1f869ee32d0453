// Windows kept on their screen: the placement arithmetic on a screen smaller
// than the window, and real windows on the offscreen platform's screen.
#include "app/desktop/screen_fit.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace korvel {
namespace {

const QRect kScreen(0, 0, 1280, 900);

TEST(KeepInside, AWindowPastAnEdgeIsMovedBackByTheOverhang)
{
    // Bottom edge 100 below the screen, right edge 60 past it.
    EXPECT_EQ(keepInside(QRect(900, 500, 440, 500), kScreen), QPoint(840, 400));
    // Past the top-left corner.
    EXPECT_EQ(keepInside(QRect(-30, -10, 200, 200), kScreen), QPoint(0, 0));
    // Already inside: unchanged.
    EXPECT_EQ(keepInside(QRect(100, 100, 300, 300), kScreen), QPoint(100, 100));
    // A screen that does not start at the origin (a second monitor, a panel).
    EXPECT_EQ(keepInside(QRect(1200, 0, 300, 300), QRect(1280, 40, 1024, 728)), QPoint(1280, 40));
}

TEST(KeepInside, AFrameLargerThanTheScreenKeepsItsTitleBarOnIt)
{
    EXPECT_EQ(keepInside(QRect(50, 80, 1400, 1000), kScreen), QPoint(0, 0));
}

TEST(FitSize, AWindowTallerThanTheScreenShrinksToItButNotBelowItsMinimum)
{
    const QSize margins(8, 36);
    EXPECT_EQ(fitSize(QSize(1000, 1000), QSize(400, 300), margins, kScreen.size()), QSize(1000, 864));
    EXPECT_EQ(fitSize(QSize(1400, 1000), QSize(1300, 300), margins, kScreen.size()), QSize(1300, 864));
    EXPECT_EQ(fitSize(QSize(600, 400), QSize(100, 100), margins, kScreen.size()), QSize(600, 400));
}

QRect availableOf(const QWidget& window)
{
    QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

TEST(CentreOnScreen, AWindowLargerThanItsScreenOpensWholeWithItsButtonsOnIt)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("閉じる"), &window);
    layout->addWidget(close);
    const QRect available = availableOf(window);
    window.resize(available.width() + 400, available.height() + 300);
    centreOnScreen(&window);
    window.show();
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    const QRect button(close->mapToGlobal(QPoint(0, 0)), close->size());
    EXPECT_TRUE(available.contains(button));
}

TEST(MoveOnScreen, APopupPlacedPastTheBottomRightIsMovedInside)
{
    QWidget popup(nullptr, Qt::Tool);
    popup.resize(220, 360);
    const QRect available = availableOf(popup);
    popup.move(available.right() - 50, available.bottom() - 100);
    popup.show();
    moveOnScreen(&popup);
    EXPECT_TRUE(available.contains(popup.frameGeometry()));
    // Moved only as far as needed: its right and bottom edges on the screen's.
    EXPECT_GE(popup.frameGeometry().right(), available.right() - 8);
    EXPECT_GE(popup.frameGeometry().bottom(), available.bottom() - 40);
}

}  // namespace
}  // namespace korvel
