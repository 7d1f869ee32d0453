// Keeps top-level windows on the screen they appear on: a window opens centred
// on its screen, and one placed at a set point (a popup beside its anchor) is
// moved back inside when that point would put part of it past an edge.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace korvel {

// The top-left corner that puts `frame` (the window with its title bar and
// borders) inside `available`, moving it as little as possible. A frame wider
// or taller than the screen keeps its left or top edge on the screen's, so
// the title bar stays reachable.
QPoint keepInside(const QRect& frame, const QRect& available);

// The size a window gets so that, with its frame margins, it fits `available`
// (never below the window's own minimum size, which its layout sets).
QSize fitSize(const QSize& size, const QSize& minimum, const QSize& margins, const QSize& available);

// Before a top-level window is first shown: shrinks it to its screen when it
// is larger and centres it there. After it is shown, once the window manager
// has framed it, it is placed again with its real frame.
void centreOnScreen(QWidget* window);

// Moves a window, already given its intended place, inside its screen.
void moveOnScreen(QWidget* window);

}  // namespace korvel
