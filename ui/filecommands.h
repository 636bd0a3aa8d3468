#pragma once

#include <memory>

#include "ui/dialogs.h"

namespace tovik {
class PictureDocument;
enum class ExportFormat;
}  // namespace tovik

// The file dialogs of the main window.
namespace fileDialogs {
extern const FileDialog exportPackedDialog;  // the BIN and dump exports
extern const FileDialog saveProjectDialog;
extern const FileDialog openProjectDialog;
extern const FileDialog importPictureDialog;
extern const FileDialog exportBmpDialog;  // 24-bit BMP
extern const FileDialog importRawStripDialog;
extern const FileDialog exportUkncDialog;  // UKNC source
extern const FileDialog savePresetDialog;  // a tool window's settings
extern const FileDialog openPresetDialog;
}  // namespace fileDialogs

// The commands of the "Файл" menu that read or write files of the picture: the project,
// the exports and the raw strip. Each asks through the dialogs and throws the error
// the user sees when a file cannot be read or written.
class FileCommands {
public:
    FileCommands(tovik::PictureDocument& document, const std::unique_ptr<Dialogs>& dialogs);

    // Over unsaved work, both ask first as quitting does (see mayDiscard); a file that
    // cannot be read is refused before the question.
    void openProject();
    // Opens the project file as if it had been chosen in the open dialog.
    void openProjectFile(const QString& file);
    // False when the dialog was cancelled.
    bool saveProject();
    // Writes the project to the file, which becomes the project's file.
    void saveProjectAs(const QString& file);
    void exportBinWithPalette();
    void exportBinWithHeader();
    void exportDump();
    void exportBmp();
    void exportUknc();
    void importRawStrip();

    // At start: when the recovery file at `path` holds work a crash or a kill left
    // unsaved, asks "Восстановить несохранённую работу?"; "Да" brings it back, unsaved,
    // "Нет" gives it up. A damaged file is reported and set aside.
    void offerRecovery(const QString& path);

    // Asks whether to save unsaved work before it would be lost: true when it may go
    // (saved, or the user said no), false to keep it (cancelled, or the save did not
    // happen; a failed save shows its error). "Да" saves to the project's own file when
    // it has one, else through the save dialog.
    bool mayDiscard();

private:
    void exportPacked(const QByteArray& file, tovik::ExportFormat format);
    // The success box, saying what the file that was written holds.
    void confirmExport(tovik::ExportFormat format, qsizetype bytes);

    tovik::PictureDocument& document_;
    const std::unique_ptr<Dialogs>& dialogs_;
};
