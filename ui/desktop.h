#pragma once

#include <QImage>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "convert/method.h"

#include "ui/dialogs.h"
#include "ui/filecommands.h"

class AboutWindow;
class ChunkSettingsWindow;
class FloydSteinbergWindow;
class FrameToneWindow;
class MainWindow;
class LiveConverter;
class PaletteRankingWindow;
class PaletteWindow;
class PreviewWindow;
class ThresholdsWindow;

namespace tovik {
class PictureDocument;
struct Preset;
}  // namespace tovik

// The desktop program: the picture document and the six windows, created in a fixed
// order, and every connection between them. The windows only show the document and
// say what the user asked for; the commands that involve more than one window run here.
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

    // Shows the main window; the others appear when a command or the user asks.
    void show();

    // Every file dialog and message box of the program goes through these.
    Dialogs& dialogs() { return *dialogs_; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs);

    // The first step of every picture import: the height maximum drops to 256, the open
    // dialog, then the picture read and fitted. A cancelled dialog changes nothing more.
    void loadSourcePicture();

    // The import commands of the menu, each one undo step.
    void importThresholds();
    void importFloydSteinberg();
    void importChunks();
    void importCga();
    void importPalette();  // "Палитра…": load, fit, convert, then the window
    // "Кадр и тон…": the window on the last import's photograph; an error before any.
    void openFrameTone();

    // A palette chosen in the main window's list; with the "Палитра" window shown the
    // picture is converted again to it, in the same undo step.
    void choosePalette(int palette);

    // "Подобрать палитру": the palettes ranked for the picture by the method of the last
    // conversion (the thresholds window's settings before any), in their window.
    void pickPalette();

    // A dropped file: a project (.bip) opens as a project; any other file is imported by
    // the import command used last (thresholds at start) as if chosen in its dialog.
    void dropFile(const QString& path);
    // The clipboard's picture imported the same way, or its file as if dropped.
    void paste();

private:
    enum class Import { Thresholds, FloydSteinberg, Chunks, Cga, Palette };
    // Runs an import command with the picture given instead of the open dialog's.
    void importGiven(const QString& file, const QImage& image);
    void connectMenu();
    void connectWindows();
    // The tool windows' "Просмотр", each one undo step.
    void previewThresholds();
    void previewFloydSteinberg();
    void previewChunks();
    void previewPalette();
    // A loaded preset's tone (its auto-tone worked out) for the picture, keeping the frame.
    void applyPresetTone(const tovik::Preset& preset);
    // The window's frame and tone, then the last conversion again, as one step.
    void previewFrameTone();
    // "Сохранить настройки…" and "Загрузить настройки…" of a tool window: `read` gives
    // the window's settings, `apply` puts a preset's method into it and answers false
    // when the preset is for another window's method.
    template <class Window>
    void connectPresets(Window* window, std::function<tovik::MethodSettings()> read,
                        std::function<bool(const tovik::MethodSettings&)> apply);
    // Makes a tool window live: while its "Сразу" is checked, every change converts.
    template <class Window>
    void makeLive(Window* window, int mergeKey, void (Desktop::*convert)());
    // The chunk conversion of the menu command and of the settings window.
    void convertChunks();
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
    qint64 rankedPicture_ = 0;  // the fitted picture the shown ranking was made for
    int liveMergeKey_ = 0;      // while a live conversion runs: its window's merge key
    Import lastImport_ = Import::Thresholds;
    // The picture a drop or a paste gives the next load instead of the dialog.
    struct GivenPicture {
        QString file;
        QImage image;
    };
    std::optional<GivenPicture> given_;
};
