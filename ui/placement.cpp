#include "ui/placement.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace {

constexpr int kControlsWeight = 8;

}  // namespace

namespace {

// The frame the window manager gave the window, or none when it has not framed it yet.
QMargins knownFrame(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

}  // namespace

QMargins frameMargins(const QWidget* window) {
    if (const QMargins frame = knownFrame(window); !frame.isNull()) {
        return frame;
    }
    // The window manager frames the program's windows alike: a framed one tells the frame.
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        const QMargins frame = knownFrame(other);
        if (other->isVisible() && !frame.isNull()) {
            return frame;
        }
    }
    const int border = 4;
    return {border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border, border,
            border};
}

namespace {

QRect availableFor(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// A point that puts a rectangle of this size inside `available`, as near to `at` as can be.
QPoint clampInto(QPoint at, QSize size, const QRect& available) {
    const int x = std::clamp(at.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - size.width()));
    const int y = std::clamp(at.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - size.height()));
    return {x, y};
}

qint64 coveredArea(const QRect& spot, const QList<QRect>& others) {
    qint64 area = 0;
    for (const QRect& other : others) {
        const QRect common = spot.intersected(other);
        area += qint64(common.width()) * common.height();
    }
    return area;
}

// The program's other shown windows: the main window's picture area may be covered when
// nothing else can be; its menu and tool bar and the other windows are covered last.
Obstacles otherWindows(const QWidget* window) {
    Obstacles others;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == window || !widget->isVisible() ||
            (widget->windowType() != Qt::Window && widget->windowType() != Qt::Tool)) {
            continue;
        }
        const QRect outer = outerRect(widget);
        const auto* main = qobject_cast<const QMainWindow*>(widget);
        const auto* view = main != nullptr ? main->findChild<const QScrollArea*>() : nullptr;
        if (view == nullptr) {
            others.hard.append(outer);
            continue;
        }
        const int viewTop = view->mapToGlobal(QPoint(0, 0)).y();
        others.hard.prepend(QRect(outer.left(), outer.top(), outer.width(), viewTop - outer.top()));
        others.soft.prepend(
            QRect(outer.left(), viewTop, outer.width(), outer.bottom() + 1 - viewTop));
    }
    return others;
}

}  // namespace

QRect outerRect(const QWidget* window) {
    if (window->frameGeometry() != window->geometry()) {
        return window->frameGeometry();
    }
    const QMargins frame = frameMargins(window);
    return {window->pos(), window->size().grownBy(frame)};
}

QPoint freeSpot(QSize size, QPoint current, const Obstacles& others, const QRect& available) {
    QList<QPoint> spots{current};
    for (const QList<QRect>* list : {&others.soft, &others.hard}) {
        for (const QRect& other : *list) {
            spots << QPoint(other.right() + 1, other.top())
                  << QPoint(other.left() - size.width(), other.top())
                  << QPoint(other.left(), other.bottom() + 1)
                  << QPoint(other.right() + 1 - size.width(), other.bottom() + 1)
                  << QPoint(other.left(), other.top() - size.height())
                  << QPoint(other.right() + 1, other.bottom() + 1 - size.height());
        }
    }
    spots << available.topLeft() << available.topRight() << available.bottomLeft()
          << available.bottomRight();
    // The first spot that covers nothing; else the first that covers only the picture
    // area; else the one that covers least, the controls and other windows weighing most.
    std::optional<QPoint> overPicture;
    QPoint best;
    qint64 bestCost = -1;
    for (const QPoint& spot : spots) {
        const QRect place(clampInto(spot, size, available), size);
        const qint64 hard = coveredArea(place, others.hard);
        const qint64 soft = coveredArea(place, others.soft);
        if (hard == 0 && soft == 0) {
            return place.topLeft();
        }
        if (hard == 0 && !overPicture) {
            overPicture = place.topLeft();
        }
        const qint64 cost = hard * kControlsWeight + soft;
        if (bestCost < 0 || cost < bestCost) {
            best = place.topLeft();
            bestCost = cost;
        }
    }
    return overPicture.value_or(best);
}

void moveFrameTo(QWidget* window, QPoint at) {
    // A hidden window's position is its frame's already; a shown one's may be taken as its
    // client area's.
    window->move(at);
    QWindow* handle = window->windowHandle();
    if (handle != nullptr && window->isVisible()) {
        handle->setFramePosition(at);
    }
}

void placeWindow(QWidget* window) {
    // A window laid out by its layout takes its size when first shown: take it now.
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized)) {
        window->adjustSize();
    }
    const QRect outer = outerRect(window);
    const QPoint spot =
        freeSpot(outer.size(), outer.topLeft(), otherWindows(window), availableFor(window));
    if (spot != outer.topLeft()) {
        moveFrameTo(window, spot);
    }
}

void showPlaced(QWidget* window) {
    if (!window->isVisible()) {
        placeWindow(window);
        window->show();
    }
    window->raise();
    window->activateWindow();
}

void fitOnScreen(QWidget* window) {
    const QRect available = availableFor(window);
    const QMargins frame = frameMargins(window);
    const QSize most(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    if (window->width() > most.width() || window->height() > most.height()) {
        window->resize(window->size().boundedTo(most));
    }
    const QRect outer = outerRect(window);
    const QPoint at = clampInto(outer.topLeft(), outer.size(), available);
    if (at != outer.topLeft()) {
        moveFrameTo(window, at);
    }
}
