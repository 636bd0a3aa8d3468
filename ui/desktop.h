#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "ui/dialogs.h"
#include "ui/filecommands.h"
#include "ui/importcommands.h"

class AboutWindow;
class ChunkSettingsWindow;
class FloydSteinbergWindow;
class FrameToneWindow;
class MainWindow;
class PaletteRankingWindow;
class PaletteWindow;
class PreviewWindow;
class ThresholdsWindow;
class ToolWindow;

namespace tovik {
class PictureDocument;
class RecoveryKeeper;
}  // namespace tovik

// The desktop program: the picture document, the windows and the commands, created in a
// fixed order, and every connection between them. The windows only show the document and
// say what the user asked for; the commands run in FileCommands and ImportCommands.
class Desktop : public QObject {
    Q_OBJECT
public:
    Desktop();
    ~Desktop() override;

    tovik::PictureDocument& document() { return *document_; }
    MainWindow& mainWindow() { return *main_; }
    PreviewWindow& preview() { return *preview_; }
    AboutWindow& about() { return *about_; }
    ThresholdsWindow& thresholds() { return *thresholds_; }
    FloydSteinbergWindow& floydSteinberg() { return *floydSteinberg_; }
    ChunkSettingsWindow& chunkSettings() { return *chunkSettings_; }
    PaletteRankingWindow& paletteRanking() { return *paletteRanking_; }
    PaletteWindow& paletteWindow() { return *palette_; }
    FrameToneWindow& frameTone() { return *frameTone_; }
    FileCommands& files() { return *files_; }
    ImportCommands& imports() { return *imports_; }

    // Shows the main window, then offers the work a crash left unsaved; the other
    // windows appear when a command or the user asks.
    void show();
    tovik::RecoveryKeeper& recovery() { return *recovery_; }  // the unsaved work's file

    // Every file dialog and message box of the program goes through these.
    Dialogs& dialogs() { return *dialogs_; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs);

    // A tool window of its own conversion joins the program: the Desktop keeps it, and
    // its "Просмотр", live conversions and presets work as the others' do (see
    // ImportCommands::addToolWindow). A new tool window needs its window file and this
    // one call in the constructor; it is shown by whatever command opens it.
    ToolWindow* addToolWindow(std::unique_ptr<ToolWindow> window, int mergeKey,
                              const QString& stepName);

private:
    void connectMenu();
    void connectWindows();
    void showPreview(bool shown);

    std::unique_ptr<tovik::PictureDocument> document_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<PreviewWindow> preview_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<ThresholdsWindow> thresholds_;
    std::unique_ptr<FloydSteinbergWindow> floydSteinberg_;
    std::unique_ptr<ChunkSettingsWindow> chunkSettings_;
    std::unique_ptr<PaletteRankingWindow> paletteRanking_;
    std::unique_ptr<PaletteWindow> palette_;
    std::unique_ptr<FrameToneWindow> frameTone_;
    std::unique_ptr<ImportCommands> imports_;
    std::vector<std::unique_ptr<ToolWindow>> addedTools_;
    std::unique_ptr<tovik::RecoveryKeeper> recovery_;
};
