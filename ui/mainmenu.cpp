#include "ui/mainmenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace {

QMenu* makeMenu(QWidget* parent, const char* name, const QString& title) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction* makeItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    return action;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

// An undo or redo item: "Отменить" alone when there is nothing to undo, "Отменить:
// рисование" when the next step is a painted pixel.
QAction* makeStackItem(QMenu* menu, const char* name, const QString& verb, QUndoStack* stack,
                       bool undo) {
    QAction* action = makeItem(menu, name, verb);
    const auto caption = [verb](const QString& step) {
        return step.isEmpty() ? verb : QStringLiteral("%1: %2").arg(verb, step);
    };
    const auto follow = [action, caption, stack, undo] {
        action->setEnabled(undo ? stack->canUndo() : stack->canRedo());
        action->setText(caption(undo ? stack->undoText() : stack->redoText()));
    };
    follow();
    QObject::connect(stack, &QUndoStack::indexChanged, action, follow);
    QObject::connect(stack, &QUndoStack::cleanChanged, action, follow);
    QObject::connect(action, &QAction::triggered, stack,
                     undo ? &QUndoStack::undo : &QUndoStack::redo);
    return action;
}

}  // namespace

MainMenu buildMainMenu(QMenuBar* bar, QUndoStack* undoStack) {
    MainMenu m;
    m.N1 = makeMenu(bar, "N1", QStringLiteral("Файл"));
    m.N2 = makeItem(m.N1, "N2", QStringLiteral("Открыть проект"));
    m.N3 = makeItem(m.N1, "N3", QStringLiteral("Сохранить проект"));
    addSeparator(m.N1, "N4");
    m.N5 = makeMenu(m.N1, "N5", QStringLiteral("Экспорт"));
    m.N1->addMenu(m.N5);
    m.BIN1 = makeItem(m.N5, "BIN1", QStringLiteral("BIN с палитрой"));
    addSeparator(m.N5, "N20");
    m.BIN2 = makeItem(m.N5, "BIN2", QStringLiteral("BIN с заголовком"));
    addSeparator(m.N5, "N21");
    m.N10 = makeItem(m.N5, "N10", QStringLiteral("Дамп (бинарный)"));
    m.N10->setCheckable(true);  // flips its own check mark on each use; nothing reads it
    addSeparator(m.N5, "N11");
    m.N12 = makeItem(m.N5, "N12", QStringLiteral("Текстовый"));
    m.N12->setEnabled(false);
    addSeparator(m.N5, "N15");
    m.N24bitbmp1 = makeItem(m.N5, "N24bitbmp1", QStringLiteral("Битмэп (24 bit bmp)"));
    addSeparator(m.N1, "N6");
    m.N7 = makeMenu(m.N1, "N7", QStringLiteral("Импорт"));
    m.N1->addMenu(m.N7);
    m.CGA321 = makeItem(m.N7, "CGA321", QStringLiteral("CGA_BWCM"));
    addSeparator(m.N7, "N19");
    m.N14 = makeItem(m.N7, "N14", QStringLiteral("Флойд-Стейнберг"));
    addSeparator(m.N7, "N22");
    m.NewFloyd1 = makeItem(m.N7, "NewFloyd1", QStringLiteral("\"Чанки\""));
    addSeparator(m.N7, "N16");
    m.N17 = makeItem(m.N7, "N17", QStringLiteral("Пороги"));
    addSeparator(m.N7, "N18");
    m.IMG1 = makeItem(m.N7, "IMG1", QStringLiteral("Tovik_IMG"));
    addSeparator(m.N7, "PaletteSeparator");
    m.paletteImport = makeItem(m.N7, "PaletteImportItem", QStringLiteral("Палитра…"));
    m.frameTone = makeItem(m.N7, "FrameToneItem", QStringLiteral("Кадр и тон…"));
    addSeparator(m.N1, "N25");
    m.N26 = makeItem(m.N1, "N26", QStringLiteral("УКНЦ"));
    addSeparator(m.N1, "N8");
    m.N9 = makeItem(m.N1, "N9", QStringLiteral("Выход"));
    bar->addMenu(m.N1);

    m.edit = makeMenu(bar, "EditMenu", QStringLiteral("Правка"));
    m.undo = makeStackItem(m.edit, "UndoItem", QStringLiteral("Отменить"), undoStack, true);
    m.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redo = makeStackItem(m.edit, "RedoItem", QStringLiteral("Повторить"), undoStack, false);
    m.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m.edit->addSeparator();
    m.paste = makeItem(m.edit, "PasteItem", QStringLiteral("Вставить"));
    m.paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    bar->addMenu(m.edit);

    m.N23 = makeMenu(bar, "N23", QStringLiteral("Настройки (пример)"));
    m.N24 = makeItem(m.N23, "N24", QStringLiteral("(импорт)Чанки"));
    m.N24->setEnabled(false);
    m.pickPalette = makeItem(m.N23, "PickPaletteItem", QStringLiteral("Подобрать палитру"));
    bar->addMenu(m.N23);

    m.N13 = bar->addAction(QStringLiteral("Хелп"));
    m.N13->setObjectName(QStringLiteral("N13"));
    return m;
}
