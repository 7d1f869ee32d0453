#include "app/desktop/screen_fit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace korvel {

namespace {

// Room for a title bar and borders before the window manager has framed the
// window (openbox and the common desktops stay within it).
constexpr int kGuessedTitle = 32;
constexpr int kGuessedBorder = 4;

int keepInsideAxis(int start, int length, int areaStart, int areaLength)
{
    const int latest = areaStart + areaLength - length;
    return std::max(areaStart, std::min(start, latest));
}

QScreen* screenOf(const QWidget* window)
{
    QScreen* screen = window->screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// The frame's margins: the real ones once the window is framed, else a guess.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (window->isVisible() && frame != inner) {
        return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                frame.bottom() - inner.bottom()};
    }
    return {kGuessedBorder, kGuessedTitle, kGuessedBorder, kGuessedBorder};
}

QSize windowMinimum(QWidget* window)
{
    QSize minimum = window->minimumSize();
    if (window->layout() != nullptr) {
        minimum = minimum.expandedTo(window->layout()->totalMinimumSize());
    }
    return minimum;
}

// Shrinks the window to the screen when needed, then puts it at `inner`
// (the wanted top-left of the client area) moved inside the screen.
void place(QWidget* window, QPoint inner, bool centre)
{
    QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins margins = frameMargins(window);
    const QSize marginSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    window->ensurePolished();
    if (window->layout() != nullptr) {
        window->layout()->activate();
    }
    const QSize size = fitSize(window->size(), windowMinimum(window), marginSize, available.size());
    if (size != window->size()) {
        window->resize(size);
    }
    QRect frame(QPoint(0, 0), size + marginSize);
    if (centre) {
        frame.moveCenter(available.center());
    } else {
        frame.moveTopLeft(inner - QPoint(margins.left(), margins.top()));
    }
    const QPoint corner = keepInside(frame, available);
    // move() places the frame's top-left corner of a top-level window.
    window->move(corner);
}

}  // namespace

QPoint keepInside(const QRect& frame, const QRect& available)
{
    return {keepInsideAxis(frame.left(), frame.width(), available.left(), available.width()),
            keepInsideAxis(frame.top(), frame.height(), available.top(), available.height())};
}

QSize fitSize(const QSize& size, const QSize& minimum, const QSize& margins, const QSize& available)
{
    const int width = std::max(minimum.width(), std::min(size.width(), available.width() - margins.width()));
    const int height = std::max(minimum.height(), std::min(size.height(), available.height() - margins.height()));
    return {width, height};
}

void centreOnScreen(QWidget* window)
{
    place(window, {}, true);
    // The real frame is known only once the window manager has framed the
    // shown window: place it again then (the size stays unless it must shrink).
    QPointer<QWidget> guard(window);
    QTimer::singleShot(150, window, [guard] {
        if (guard && guard->isVisible()) {
            place(guard, guard->geometry().topLeft(), false);
        }
    });
}

void moveOnScreen(QWidget* window)
{
    place(window, window->geometry().topLeft(), false);
}

}  // namespace korvel
