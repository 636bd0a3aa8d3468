#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

class QWidget;

// Where the program's windows go: each one beside the others on the available screen,
// never over the window the user works in, and never past the screen's edges.

// The window's outer rectangle, frame included; a window the window manager has not
// framed yet is allowed a caption and thin borders.
QRect outerRect(const QWidget* window);
QMargins frameMargins(const QWidget* window);

// What a window should not cover: `hard`, the other windows and the main window's menu
// and tool bar; `soft`, the main window's picture area, covered when nothing else can be.
struct Obstacles {
    QList<QRect> hard;
    QList<QRect> soft;
};

// The spot for a window of outer size `size` inside `available`. The spots tried are where
// it stands now (`current`), then beside each obstacle (right, left, below, above), then
// the screen's corners: the first that covers nothing, else the first that covers only
// the picture area, else the one that covers least.
QPoint freeSpot(QSize size, QPoint current, const Obstacles& others, const QRect& available);

// Puts a window's frame, not its client area, at `at`, also while the window manager has
// not told the frame's size yet.
void moveFrameTo(QWidget* window, QPoint at);

// Moves a window to its free spot among the program's other shown windows.
void placeWindow(QWidget* window);

// Shows a window: a hidden one placed first, then raised and made active, so that a
// command that shows a window always brings it to the front.
void showPlaced(QWidget* window);

// Shrinks and moves a resizable window so that it lies wholly on the available screen;
// the position it has is kept where the window fits.
void fitOnScreen(QWidget* window);
