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

// An item's explanation, as a tooltip over the menu and in the status bar while chosen.
void explain(QAction* action, const QString& text) {
    action->setToolTip(text);
    action->setStatusTip(text);
}

MainMenu buildMainMenu(QMenuBar* bar, QUndoStack* undoStack) {
    MainMenu m;
    m.fileMenu = makeMenu(bar, "N1", QStringLiteral("Файл"));
    m.openProjectAction = makeItem(m.fileMenu, "N2", QStringLiteral("Открыть проект"));
    m.openProjectAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m.saveProjectAction = makeItem(m.fileMenu, "N3", QStringLiteral("Сохранить проект"));
    m.saveProjectAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addSeparator(m.fileMenu, "N4");
    m.exportMenu = makeMenu(m.fileMenu, "N5", QStringLiteral("Экспорт"));
    m.fileMenu->addMenu(m.exportMenu);
    m.binWithPaletteAction = makeItem(m.exportMenu, "BIN1", QStringLiteral("BIN с палитрой"));
    addSeparator(m.exportMenu, "N20");
    m.binWithHeaderAction = makeItem(m.exportMenu, "BIN2", QStringLiteral("BIN с заголовком"));
    addSeparator(m.exportMenu, "N21");
    m.dumpAction = makeItem(m.exportMenu, "N10", QStringLiteral("Дамп (бинарный)"));
    m.dumpAction->setCheckable(true);  // flips its own check mark on each use; nothing reads it
    addSeparator(m.exportMenu, "N11");
    m.textExportAction = makeItem(m.exportMenu, "N12", QStringLiteral("Текстовый"));
    m.textExportAction->setEnabled(false);
    addSeparator(m.exportMenu, "N15");
    m.bmpExportAction = makeItem(m.exportMenu, "N24bitbmp1", QStringLiteral("Битмэп (24 bit bmp)"));
    m.exportMenu->setToolTipsVisible(true);
    explain(m.binWithPaletteAction,
            QStringLiteral("Файл для машины: заголовок 16 байт с адресом загрузки и словами "
                           "палитры, затем картинка"));
    explain(m.binWithHeaderAction,
            QStringLiteral("Файл для машины: заголовок 4 байта (адрес загрузки и длина), "
                           "затем картинка; палитру выбирает программа на машине"));
    explain(m.dumpAction, QStringLiteral("Картинка в байтах экрана машины, без заголовка"));
    explain(m.bmpExportAction, QStringLiteral("Картинка в цветах палитры для ПК"));
    addSeparator(m.fileMenu, "N6");
    m.importMenu = makeMenu(m.fileMenu, "N7", QStringLiteral("Импорт"));
    m.fileMenu->addMenu(m.importMenu);
    m.cgaImportAction = makeItem(m.importMenu, "CGA321", QStringLiteral("CGA_BWCM"));
    addSeparator(m.importMenu, "N19");
    m.floydSteinbergImportAction = makeItem(m.importMenu, "N14", QStringLiteral("Флойд-Стейнберг"));
    addSeparator(m.importMenu, "N22");
    m.chunkImportAction = makeItem(m.importMenu, "NewFloyd1", QStringLiteral("\"Чанки\""));
    addSeparator(m.importMenu, "N16");
    m.thresholdsImportAction = makeItem(m.importMenu, "N17", QStringLiteral("Пороги"));
    addSeparator(m.importMenu, "N18");
    m.rawStripImportAction = makeItem(m.importMenu, "IMG1", QStringLiteral("Tovik_IMG"));
    addSeparator(m.importMenu, "PaletteSeparator");
    m.paletteImportAction = makeItem(m.importMenu, "PaletteImportItem", QStringLiteral("Палитра…"));
    m.frameToneAction = makeItem(m.importMenu, "FrameToneItem", QStringLiteral("Кадр и тон…"));
    // Which imports write which palette's colours: the fixed-index ones are meant for
    // palette 0 (CGA_BWCM for palette 4); "Палитра…" for a photograph in any palette.
    m.importMenu->setToolTipsVisible(true);
    const QString forPaletteZero = QStringLiteral(
        "Пишет номера цветов, подобранные для палитры 0; в другой палитре "
        "картинка перекрашивается, а не пересчитывается. Для фотографии в "
        "другой палитре — «Палитра…»");
    explain(m.cgaImportAction,
            QStringLiteral("Пишет номера цветов для палитры 4 (чёрный, голубой, пурпурный, "
                           "белый) и выбирает её"));
    explain(m.floydSteinbergImportAction, forPaletteZero);
    explain(m.chunkImportAction, forPaletteZero);
    explain(m.thresholdsImportAction, forPaletteZero);
    explain(m.rawStripImportAction,
            QStringLiteral("Сырые байты экрана машины (2 бита на точку) при текущих W и H; "
                           "палитра остаётся прежней"));
    explain(m.paletteImportAction,
            QStringLiteral("Для фотографий в любой из 16 палитр: точки подбираются по настоящим "
                           "цветам палитры, выбранной в списке; она же пересчитывается при "
                           "выборе другой палитры"));
    m.importMenu->actions()[m.importMenu->actions().indexOf(m.paletteImportAction) - 1]->setText(
        QStringLiteral("Под любую палитру"));
    addSeparator(m.fileMenu, "N25");
    m.ukncExportAction = makeItem(m.fileMenu, "N26", QStringLiteral("УКНЦ"));
    addSeparator(m.fileMenu, "N8");
    m.quitAction = makeItem(m.fileMenu, "N9", QStringLiteral("Выход"));
    bar->addMenu(m.fileMenu);

    m.editMenu = makeMenu(bar, "EditMenu", QStringLiteral("Правка"));
    m.undoAction =
        makeStackItem(m.editMenu, "UndoItem", QStringLiteral("Отменить"), undoStack, true);
    m.undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redoAction =
        makeStackItem(m.editMenu, "RedoItem", QStringLiteral("Повторить"), undoStack, false);
    m.redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m.editMenu->addSeparator();
    m.pasteAction = makeItem(m.editMenu, "PasteItem", QStringLiteral("Вставить"));
    m.pasteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    bar->addMenu(m.editMenu);
    // These keys work from every window of the program: the tool windows and the preview
    // too, not only the main window.
    for (QAction* action :
         {m.openProjectAction, m.saveProjectAction, m.undoAction, m.redoAction, m.pasteAction}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
    }

    m.settingsMenu = makeMenu(bar, "N23", QStringLiteral("Настройки (пример)"));
    m.chunkSettingsAction = makeItem(m.settingsMenu, "N24", QStringLiteral("(импорт)Чанки"));
    m.chunkSettingsAction->setEnabled(false);
    m.pickPaletteAction =
        makeItem(m.settingsMenu, "PickPaletteItem", QStringLiteral("Подобрать палитру"));
    m.settingsMenu->setToolTipsVisible(true);
    explain(m.pickPaletteAction,
            QStringLiteral("Переводит картинку в каждую из 16 палитр тем же способом и "
                           "показывает их от самой близкой к исходнику"));
    bar->addMenu(m.settingsMenu);

    m.aboutAction = bar->addAction(QStringLiteral("Хелп"));
    m.aboutAction->setObjectName(QStringLiteral("N13"));
    return m;
}
