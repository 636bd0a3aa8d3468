#include "ui/toolstrip.h"

#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QToolBar>

using Kind = DrawingTools::Kind;

QPixmap toolIcon(Kind kind) {
    constexpr int kSize = 24;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 30, 30);
    const QColor paint(40, 110, 220);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (kind) {
        case Kind::Pencil: {
            QPainterPath body;
            body.moveTo(5, 19);
            body.lineTo(7, 13);
            body.lineTo(17, 3);
            body.lineTo(21, 7);
            body.lineTo(11, 17);
            body.closeSubpath();
            p.setBrush(QColor(240, 200, 80));
            p.drawPath(body);
            p.drawLine(7, 13, 11, 17);
            break;
        }
        case Kind::Line:
            p.setPen(QPen(paint, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(4, 20, 20, 4);
            break;
        case Kind::Rectangle:
        case Kind::FilledRectangle:
            p.setBrush(kind == Kind::FilledRectangle ? QBrush(paint) : Qt::NoBrush);
            p.drawRect(4, 6, 16, 12);
            break;
        case Kind::Ellipse:
        case Kind::FilledEllipse:
            p.setBrush(kind == Kind::FilledEllipse ? QBrush(paint) : Qt::NoBrush);
            p.drawEllipse(3, 6, 18, 12);
            break;
        case Kind::Fill: {
            // A tipped bucket and a drop of paint.
            p.setBrush(QColor(200, 200, 200));
            p.drawPolygon(QPolygon({QPoint(4, 10), QPoint(12, 3), QPoint(19, 10), QPoint(11, 17)}));
            p.setPen(Qt::NoPen);
            p.setBrush(paint);
            p.drawEllipse(17, 14, 5, 7);
            break;
        }
        case Kind::Pipette:
            p.drawLine(5, 19, 14, 10);
            p.setBrush(ink);
            p.drawRoundedRect(QRectF(13, 4, 7, 10), 2, 2);
            break;
        case Kind::Selection:
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(QPen(ink, 1, Qt::DashLine));
            p.drawRect(4, 5, 16, 14);
            break;
    }
    return pixmap;
}

ToolStrip buildToolStrip(QMainWindow* window, QMenu* edit, QStatusBar* status,
                         DrawingTools& tools) {
    ToolStrip strip;
    strip.bar = new QToolBar(QStringLiteral("Инструменты"), window);
    strip.bar->setObjectName(QStringLiteral("ToolStrip"));
    strip.bar->setMovable(false);
    strip.bar->setIconSize(QSize(24, 24));
    window->addToolBar(Qt::LeftToolBarArea, strip.bar);
    auto* group = new QActionGroup(strip.bar);
    for (int k = 0; k < DrawingTools::kKinds; ++k) {
        const Kind kind = Kind(k);
        const DrawingTools::Info& info = DrawingTools::info(kind);
        QAction* action = strip.bar->addAction(QIcon(toolIcon(kind)), info.name);
        action->setObjectName(QLatin1String(info.objectName));
        action->setToolTip(QStringLiteral("%1 (%2)").arg(info.name, info.key));
        action->setShortcut(QKeySequence(info.key));
        action->setCheckable(true);
        action->setChecked(kind == tools.current());
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, &tools,
                         [&tools, kind] { tools.choose(kind); });
        strip.tools[size_t(k)] = action;
    }

    strip.toolLabel = new QLabel(status);
    strip.toolLabel->setObjectName(QStringLiteral("ToolLabel"));
    // A long hint is cut rather than widening the main window past a small screen.
    strip.toolLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status->addWidget(strip.toolLabel, 1);
    const auto showTool = [strip](Kind kind) {
        const DrawingTools::Info& info = DrawingTools::info(kind);
        strip.tools[size_t(kind)]->setChecked(true);
        strip.toolLabel->setText(QStringLiteral("%1: %2").arg(info.name, info.hint));
    };
    showTool(tools.current());
    QObject::connect(&tools, &DrawingTools::toolChosen, strip.bar, showTool);

    const auto item = [edit](const char* name, const QString& text, const QKeySequence& key) {
        QAction* action = edit->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        return action;
    };
    edit->addSeparator();
    strip.copy = item("CopyItem", QStringLiteral("Копировать"), QKeySequence(Qt::CTRL | Qt::Key_C));
    strip.cut = item("CutItem", QStringLiteral("Вырезать"), QKeySequence(Qt::CTRL | Qt::Key_X));
    strip.erase = item("DeleteItem", QStringLiteral("Удалить"), QKeySequence(Qt::Key_Delete));
    strip.flipHorizontal =
        item("FlipHorizontalItem", QStringLiteral("Отразить по горизонтали"), QKeySequence());
    strip.flipVertical =
        item("FlipVerticalItem", QStringLiteral("Отразить по вертикали"), QKeySequence());
    strip.replaceColour =
        item("ReplaceColourItem", QStringLiteral("Заменить цвет…"), QKeySequence());
    // Enter and Esc belong to the floating block only while there is one, so that they
    // reach the window's other controls the rest of the time.
    strip.fixFloating = new QAction(QStringLiteral("Закрепить вставку"), window);
    strip.fixFloating->setObjectName(QStringLiteral("FixFloatingItem"));
    strip.fixFloating->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    strip.dropFloating = new QAction(QStringLiteral("Отменить вставку"), window);
    strip.dropFloating->setObjectName(QStringLiteral("DropFloatingItem"));
    strip.dropFloating->setShortcut(QKeySequence(Qt::Key_Escape));
    window->addAction(strip.fixFloating);
    window->addAction(strip.dropFloating);
    const auto follow = [strip, &tools] {
        strip.fixFloating->setEnabled(tools.isFloating());
        strip.dropFloating->setEnabled(tools.isFloating());
    };
    follow();
    QObject::connect(&tools, &DrawingTools::previewChanged, strip.bar, follow);

    QObject::connect(strip.copy, &QAction::triggered, &tools, [&tools] { tools.copy(); });
    QObject::connect(strip.cut, &QAction::triggered, &tools, [&tools] { tools.cut(); });
    QObject::connect(strip.erase, &QAction::triggered, &tools, [&tools] { tools.erase(); });
    QObject::connect(strip.flipHorizontal, &QAction::triggered, &tools,
                     [&tools] { tools.flip(Qt::Horizontal); });
    QObject::connect(strip.flipVertical, &QAction::triggered, &tools,
                     [&tools] { tools.flip(Qt::Vertical); });
    QObject::connect(strip.fixFloating, &QAction::triggered, &tools,
                     [&tools] { tools.fixFloating(); });
    QObject::connect(strip.dropFloating, &QAction::triggered, &tools,
                     [&tools] { tools.dropFloating(); });
    return strip;
}
