#pragma once

#include <QHash>
#include <QString>
#include <optional>

#include "ui/colourreplacement.h"

class QMessageBox;
class QWidget;

// A file dialog of the main window. The filter is a list of "description|pattern" pairs,
// patterns separated by ";".
struct FileDialog {
    QString name;        // the object name, e.g. "SaveDialog1" (tests ask by it)
    QString filter;      // e.g. "Бинарный файл|*.bin"
    QString defaultExt;  // e.g. "*.bin"
    QString initialDir;  // empty: no initial folder of its own
};

// Every file dialog and message box of the program goes through this interface, so that
// tests answer them without a modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<QString> openFile(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFile(const FileDialog& dialog) = 0;

    // A message box with an OK button and no icon.
    virtual void message(const QString& caption, const QString& text) = 0;

    // The error box of the application object.
    virtual void error(const QString& text) = 0;

    // A question with the buttons "Да", "Нет" and "Отмена".
    enum class Answer { Yes, No, Cancel };
    virtual Answer ask(const QString& caption, const QString& text) = 0;

    // "Заменить цвет…": what to replace, or nothing when the user cancels. The colours
    // are shown in the palette; the selection choice only when there is one.
    virtual std::optional<ColourReplacement> replaceColour(const ColourReplacement& initial,
                                                           int palette, bool hasSelection) {
        (void)initial, (void)palette, (void)hasSelection;
        return std::nullopt;
    }

    // Makes every later dialog without an initial folder open in the current folder.
    void useCurrentFolder() { useCurrentFolder_ = true; }
    bool usesCurrentFolder() const { return useCurrentFolder_; }

    // The file a dialog starts on: the last one chosen in it that exists as an ordinary
    // file when the dialog opens again, so that a folder where a save failed, or a
    // device or a pipe, is never brought back.
    QString lastGoodChoice(const QString& dialogName);
    // A file the user chose in a dialog.
    void noteChoice(const QString& dialogName, const QString& file);

private:
    bool useCurrentFolder_ = false;
    QHash<QString, QString> chosen_;  // each dialog's last choice, not yet known good
    QHash<QString, QString> good_;    // each dialog's last choice that was an ordinary file
};

// The real dialogs: QFileDialog and QMessageBox. Each is owned by the window that asked
// (the active one, or the main window) and stays on top like the tool windows, so that
// it opens above all of the program's windows and they stay below it while it is open.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner) : owner_(owner) {}

    std::optional<QString> openFile(const FileDialog& dialog) override;
    std::optional<QString> saveFile(const FileDialog& dialog) override;
    void message(const QString& caption, const QString& text) override;
    void error(const QString& text) override;
    Answer ask(const QString& caption, const QString& text) override;
    std::optional<ColourReplacement> replaceColour(const ColourReplacement& initial, int palette,
                                                   bool hasSelection) override;

    // "Бинарный файл|*.bin" -> "Бинарный файл (*.bin)"; pairs become separate filters.
    static QString qtFilter(const QString& filter);

    // Makes a message box wide enough for its caption, which window managers cut short
    // ("Э…рт") when the box is narrower than the caption and the frame's buttons.
    static void fitCaption(QMessageBox& box);

private:
    QWidget* asker() const;
    std::optional<QString> run(const FileDialog& dialog, bool save);

    QWidget* owner_;
};
