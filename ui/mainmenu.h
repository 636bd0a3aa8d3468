#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QUndoStack;

// The main window's menu, its items under their designer names. It is only built here;
// the object that creates the windows connects the items to their commands.
struct MainMenu {
    QMenu* N1 = nullptr;    // Файл
    QMenu* N5 = nullptr;    // Экспорт
    QMenu* N7 = nullptr;    // Импорт
    QMenu* N23 = nullptr;   // Настройки (пример)
    QMenu* edit = nullptr;  // Правка
    QAction* N2 = nullptr;  // Открыть проект
    QAction* N3 = nullptr;  // Сохранить проект
    QAction* BIN1 = nullptr;
    QAction* BIN2 = nullptr;
    QAction* N10 = nullptr;  // Дамп (бинарный)
    QAction* N12 = nullptr;  // Текстовый, never enabled
    QAction* N24bitbmp1 = nullptr;
    QAction* CGA321 = nullptr;
    QAction* N14 = nullptr;            // Флойд-Стейнберг
    QAction* NewFloyd1 = nullptr;      // "Чанки"
    QAction* N17 = nullptr;            // Пороги
    QAction* IMG1 = nullptr;           // Tovik_IMG
    QAction* paletteImport = nullptr;  // Палитра…
    QAction* frameTone = nullptr;      // Кадр и тон…
    QAction* N26 = nullptr;            // УКНЦ
    QAction* N9 = nullptr;             // Выход
    QAction* N24 = nullptr;            // (импорт)Чанки
    QAction* pickPalette = nullptr;    // Подобрать палитру
    QAction* N13 = nullptr;            // Хелп
    QAction* undo = nullptr;           // Отменить
    QAction* redo = nullptr;           // Повторить
    QAction* paste = nullptr;          // Вставить
};

// Builds the menu into the bar. The undo and redo items follow the stack: their captions
// name the step, and they are disabled when there is nothing to undo or redo.
MainMenu buildMainMenu(QMenuBar* bar, QUndoStack* undoStack);
