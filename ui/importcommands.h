#pragma once

#include <QImage>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "convert/method.h"
#include "picture/pixelbuffer.h"
#include "ui/dialogs.h"

class BackgroundRefinement;
class ChunkSettingsWindow;
class FileCommands;
class FloydSteinbergWindow;
class FrameToneWindow;
class MainWindow;
class PaletteRankingWindow;
class PaletteWindow;
class PreviewWindow;
class ThresholdsWindow;
class ToolWindow;

namespace tovik {
struct PaletteScore;
class PictureDocument;
struct Preset;
}  // namespace tovik

// The windows the import and conversion commands show and read.
struct ImportWindows {
    MainWindow& main;
    PreviewWindow& preview;
    ThresholdsWindow& thresholds;
    FloydSteinbergWindow& floydSteinberg;
    ChunkSettingsWindow& chunkSettings;
    PaletteWindow& palette;
    PaletteRankingWindow& paletteRanking;
    FrameToneWindow& frameTone;
};

// The commands that bring a picture in and convert it: the imports of the menu, drops and
// paste, the tool windows' "Просмотр", their live conversions and presets, the palette
// list and the palette ranking. Each command is one undo step and throws the error the
// user sees.
class ImportCommands : public QObject {
    Q_OBJECT
public:
    ImportCommands(tovik::PictureDocument& document, const std::unique_ptr<Dialogs>& dialogs,
                   FileCommands& files, const ImportWindows& windows);

    // A tool window joins the commands: its "Просмотр" converts the loaded picture with
    // the window's settings as one undo step named `stepName`, its live conversions do
    // the same from the fitted picture, merged under `mergeKey` (a key of its own), and
    // its preset buttons save and load its settings. This is all a new window needs.
    void addToolWindow(ToolWindow* window, int mergeKey, const QString& stepName);
    // The same with a conversion of the window's own, which makes its own step.
    void addToolWindow(ToolWindow* window, int mergeKey, void (ImportCommands::*convert)());

    // The first step of every picture import: the height maximum drops to 256, the open
    // dialog, then the picture read and fitted. A cancelled dialog changes nothing more.
    void loadSourcePicture();

    // The import commands of the menu, each one undo step.
    void importThresholds();
    void importFloydSteinberg();
    void importChunks();
    void importCga();
    void importPalette();  // "Палитра…": load, fit, convert, then the window

    // The tool windows' conversions of the picture already loaded.
    void previewThresholds();
    void previewFloydSteinberg();
    void previewChunks();
    void previewPalette();
    // "Кадр и тон": the window's frame and tone, then the last conversion again with its
    // own settings, as one step.
    void previewFrameTone();
    // "Кадр и тон…": the window on the last import's photograph; an error before any.
    void openFrameTone();
    // Undo, redo, a new import and a size change bring the "Кадр и тон" window the
    // document's photograph, framing and W x H.
    void followFraming();

    // A palette chosen in the main window's list. The picture is converted again to it,
    // in the same undo step, only while it is the untouched result of a palette method;
    // otherwise it is recoloured. The status bar says which.
    void choosePalette(int palette);

    // "Подобрать палитру": the palettes ranked for the picture by the method that made
    // it (else of the last conversion, else the thresholds window's), in their window.
    void pickPalette();
    // The palettes ranked with these settings, which a chosen thumbnail then applies.
    void rankPalettes(const tovik::MethodSettings& settings);
    // A ranked palette chosen: its conversion taken, with the ranking's settings; for a
    // picture or size other than the ranking's, the ranking is made again instead.
    void takeRankedPalette(const tovik::PaletteScore& chosen);

    // A dropped file: a project (.bip) opens as a project; any other file is imported by
    // the import command used last (thresholds at start) as if chosen in its dialog.
    void dropFile(const QString& path);
    // Cells copied in the program paste as a floating block; otherwise the clipboard's
    // picture is imported the same way, or its file as if dropped.
    void paste();
    // Undo or redo brought back another conversion: every tool window shows its
    // settings, quietly (the picture already is that conversion's).
    void showConversionControls();

signals:
    // A chunk import ran: the chunk settings command of the menu can be used.
    void chunksImported();

private:
    enum class Import { Thresholds, FloydSteinberg, Chunks, Cga, Palette };
    // Runs an import command with the picture given instead of the open dialog's.
    void importGiven(const QString& file, const QImage& image);
    // The whole picture at once: the view at ×4 and the preview shown and in front.
    void showWholeResult();
    void connectToolWindow(ToolWindow* window, int mergeKey, std::function<void()> convert);
    // The chunk conversion of the menu command and of the settings window.
    void convertChunks();
    // "Сохранить настройки…" and "Загрузить настройки…" of a tool window.
    void savePreset(const ToolWindow& window);
    void loadPreset(ToolWindow& window);
    // A loaded preset's tone (its auto-tone worked out) for the picture, keeping the frame.
    void applyPresetTone(const tovik::Preset& preset);

    tovik::PictureDocument& document_;
    // Refines a search conversion after it is shown ("Уточнить").
    BackgroundRefinement* refinement_;
    const std::unique_ptr<Dialogs>& dialogs_;
    FileCommands& files_;
    ImportWindows windows_;
    // What the shown ranking was made for: the fitted picture, the size, the settings.
    struct Ranking {
        qint64 picture;
        int width;
        int height;
        tovik::MethodSettings settings;
    };
    std::optional<Ranking> ranking_;
    std::vector<ToolWindow*> toolWindows_;
    int liveMergeKey_ = 0;  // while a live conversion runs: its window's merge key
    Import lastImport_ = Import::Thresholds;
    // The picture a drop or a paste gives the next load instead of the dialog.
    struct GivenPicture {
        QString file;
        QImage image;
    };
    std::optional<GivenPicture> given_;
};
