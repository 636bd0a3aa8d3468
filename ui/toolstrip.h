#pragma once

#include <QPixmap>
#include <array>

#include "ui/drawingtools.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;

// The strip of drawing tools beside the view, one checkable item a tool with its key, and
// the selection's items in "Правка". The strip chooses the tools itself; the items of
// "Правка" are connected to the tools here too, except "Заменить цвет…", whose dialog
// belongs to whoever owns the dialogs.
struct ToolStrip {
    QToolBar* bar = nullptr;
    std::array<QAction*, DrawingTools::kKinds> tools{};
    QAction* copy = nullptr;            // Копировать, Ctrl+C
    QAction* cut = nullptr;             // Вырезать, Ctrl+X
    QAction* erase = nullptr;           // Удалить, Delete
    QAction* flipHorizontal = nullptr;  // Отразить по горизонтали
    QAction* flipVertical = nullptr;    // Отразить по вертикали
    QAction* replaceColour = nullptr;   // Заменить цвет…
    QAction* fixFloating = nullptr;     // Enter: the floating block placed
    QAction* dropFloating = nullptr;    // Esc: the floating block dropped
    QLabel* toolLabel = nullptr;        // the tool and its hint in the status bar
};

// Builds the strip at the window's left edge, the items into `edit` and the label into the
// status bar, and connects them to the tools.
ToolStrip buildToolStrip(QMainWindow* window, QMenu* edit, QStatusBar* status, DrawingTools& tools);

// A tool's icon, drawn here rather than read from a file.
QPixmap toolIcon(DrawingTools::Kind kind);
