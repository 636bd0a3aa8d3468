#pragma once

#include <memory>

#include "ui/dialogs.h"

namespace tovik {
class PictureDocument;
enum class ExportFormat;
}  // namespace tovik

// The file dialogs of the main window.
namespace fileDialogs {
extern const FileDialog SaveDialog1;       // packed exports
extern const FileDialog SaveDialog2;       // save project
extern const FileDialog OpenDialog1;       // open project
extern const FileDialog OpenDialog2;       // picture import
extern const FileDialog SaveDialog3;       // 24-bit BMP
extern const FileDialog OpenDialog3;       // raw strip import
extern const FileDialog SaveDialog4;       // UKNC source
extern const FileDialog SavePresetDialog;  // a tool window's settings
extern const FileDialog OpenPresetDialog;
}  // namespace fileDialogs

// The commands of the "Файл" menu that read or write files of the picture: the project,
// the exports and the raw strip. Each asks through the dialogs and throws the error
// the user sees when a file cannot be read or written.
class FileCommands {
public:
    FileCommands(tovik::PictureDocument& document, const std::unique_ptr<Dialogs>& dialogs);

    void openProject();
    // Opens the project file as if it had been chosen in the open dialog.
    void openProjectFile(const QString& file);
    // False when the dialog was cancelled.
    bool saveProject();
    void exportBinWithPalette();
    void exportBinWithHeader();
    void exportDump();
    void exportBmp();
    void exportUknc();
    void importRawStrip();

    // Asks whether to save unsaved work before it would be lost: true when it may go
    // (saved, or the user said no), false to keep it (cancelled, or the save did not
    // happen; a failed save shows its error).
    bool mayDiscard();

private:
    void exportPacked(const QByteArray& file, tovik::ExportFormat format);
    // The success box, saying what the file that was written holds.
    void confirmExport(tovik::ExportFormat format, qsizetype bytes);

    tovik::PictureDocument& document_;
    const std::unique_ptr<Dialogs>& dialogs_;
};
