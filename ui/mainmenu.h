#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;

// The main window's menu. Each menu and item keeps its designer name as its object name.
// It is only built here; the object that creates the windows connects the items to their
// commands.
struct MainMenu {
    QMenu* fileMenu = nullptr;      // "Файл"
    QMenu* exportMenu = nullptr;    // "Экспорт"
    QMenu* importMenu = nullptr;    // "Импорт"
    QMenu* settingsMenu = nullptr;  // "Настройки (пример)"
    QMenu* editMenu = nullptr;      // "Правка"
    QAction* openProjectAction = nullptr;
    QAction* saveProjectAction = nullptr;
    QAction* binWithPaletteAction = nullptr;
    QAction* binWithHeaderAction = nullptr;
    QAction* dumpAction = nullptr;
    QAction* textExportAction = nullptr;  // never enabled
    QAction* bmpExportAction = nullptr;
    QAction* cgaImportAction = nullptr;
    QAction* floydSteinbergImportAction = nullptr;
    QAction* chunkImportAction = nullptr;
    QAction* thresholdsImportAction = nullptr;
    QAction* rawStripImportAction = nullptr;
    QAction* paletteImportAction = nullptr;
    QAction* ukncExportAction = nullptr;
    QAction* quitAction = nullptr;
    QAction* chunkSettingsAction = nullptr;  // enabled by the first chunk import
    QAction* pickPaletteAction = nullptr;
    QAction* aboutAction = nullptr;  // "Хелп"
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* pasteAction = nullptr;
};

// Builds the menu into the bar. The undo and redo items follow the stack: their captions
// name the step, and they are disabled when there is nothing to undo or redo.
MainMenu buildMainMenu(QMenuBar* bar, QUndoStack* undoStack);
