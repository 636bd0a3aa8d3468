#include "ui/importcommands.h"

#include <QSignalBlocker>

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QScopeGuard>
#include <QUrl>

#include "convert/cga.h"
#include "convert/preset.h"
#include "document/document.h"
#include "load/importpicture.h"
#include "picture/error.h"
#include "ui/application.h"
#include "ui/backgroundrefinement.h"
#include "ui/chunksettingswindow.h"
#include "ui/drawingtools.h"
#include "ui/filecommands.h"
#include "ui/floydsteinbergwindow.h"
#include "ui/frametonewindow.h"
#include "ui/liveconverter.h"
#include "ui/mainwindow.h"
#include "ui/paletterankingwindow.h"
#include "ui/palettewindow.h"
#include "ui/pictureview.h"
#include "ui/placement.h"
#include "ui/previewwindow.h"
#include "ui/thresholdswindow.h"

using namespace tovik;

namespace {

// The undo name of the palette methods' conversions; the list's own step is "палитра".
const QString kPaletteMethodStep = QStringLiteral("метод «Палитра»");

}  // namespace

ImportCommands::ImportCommands(PictureDocument& document, const std::unique_ptr<Dialogs>& dialogs,
                               FileCommands& files, const ImportWindows& windows)
    : document_(document),
      refinement_(new BackgroundRefinement(
          document, [this](const QString& text) { windows_.main.showNote(text); }, this)),
      dialogs_(dialogs),
      files_(files),
      windows_(windows) {
    // Searches show their diffusion at once; the refinement follows in the background.
    document_.setRefinementDeferred(true);
    connect(&document_, &PictureDocument::conversionChanged, this,
            &ImportCommands::showConversionControls);
}

void ImportCommands::showConversionControls() {
    if (const auto& conversion = document_.state().conversion) {
        for (ToolWindow* window : toolWindows_) {
            const QSignalBlocker quiet(window);
            window->applyMethod(*conversion);
        }
    }
}

// ---- Tool windows ----

void ImportCommands::addToolWindow(ToolWindow* window, int mergeKey, const QString& stepName) {
    connectToolWindow(window, mergeKey, [this, window, stepName] {
        PictureDocument::Step step(document_, stepName, liveMergeKey_);
        if (liveMergeKey_ != 0) {
            document_.restartSource();
        }
        document_.convert(window->methodSettings());
    });
}

void ImportCommands::addToolWindow(ToolWindow* window, int mergeKey,
                                   void (ImportCommands::*convert)()) {
    connectToolWindow(window, mergeKey, [this, convert] { (this->*convert)(); });
}

void ImportCommands::connectToolWindow(ToolWindow* window, int mergeKey,
                                       std::function<void()> convert) {
    toolWindows_.push_back(window);
    connect(window, &ToolWindow::previewRequested, this, [convert] { runGuarded(convert); });
    // While "Сразу" is checked every change converts; the merge key keeps each window's
    // drags apart in the history.
    auto* live = new LiveConverter(
        document_, mergeKey,
        [this, convert](int key) {
            // Every live run starts from the picture as it was fitted.
            liveMergeKey_ = key;
            const auto forget = qScopeGuard([this] { liveMergeKey_ = 0; });
            convert();
        },
        this);
    connect(window, &ToolWindow::settingsChanged, live, [window, live] {
        if (window->isLive()) {
            live->request();
        }
    });
    connect(window, &ToolWindow::adjustmentFinished, live, &LiveConverter::finish);
    connect(window, &ToolWindow::savePresetRequested, this,
            [this, window] { runGuarded([&] { savePreset(*window); }); });
    connect(window, &ToolWindow::loadPresetRequested, this,
            [this, window] { runGuarded([&] { loadPreset(*window); }); });
}

void ImportCommands::savePreset(const ToolWindow& window) {
    // The tone of the picture goes with the method; the frame stays with the photograph.
    const Preset preset{window.methodSettings(), document_.palette(), false,
                        document_.framing().tone, false};
    if (const auto file = dialogs_->saveFile(fileDialogs::savePresetDialog)) {
        writePreset(*file, preset);
    }
}

void ImportCommands::loadPreset(ToolWindow& window) {
    const auto file = dialogs_->openFile(fileDialogs::openPresetDialog);
    if (!file) {
        return;
    }
    const Preset preset = readPreset(*file);
    if (!window.applyMethod(preset.method)) {
        throw Error(tr("Preset %1 holds the settings of %2, not of this window")
                        .arg(*file, methodName(preset.method)));
    }
    applyPresetTone(preset);
    // The palette follows the list's rule; "auto" ranks with the preset's own method.
    if (preset.palette) {
        choosePalette(*preset.palette);
    } else if (preset.autoPalette) {
        rankPalettes(preset.method);
    }
}

void ImportCommands::applyPresetTone(const Preset& preset) {
    const ImportedPicture* photograph = document_.photograph();
    Framing framing = document_.framing();
    if (photograph == nullptr || (framing.tone == preset.tone && !preset.autoTone)) {
        return;
    }
    framing.tone = preset.tone;
    if (preset.autoTone) {
        Framing untoned = framing;
        untoned.tone = {};
        framing.tone = autoTone(framePicture(*photograph, untoned).fitted, preset.tone);
    }
    PictureDocument::Step step(document_, QStringLiteral("Кадр и тон"));
    document_.setFraming(framing);
}

// ---- Frame and tone ----

void ImportCommands::previewFrameTone() {
    PictureDocument::Step step(document_, QStringLiteral("Кадр и тон"), liveMergeKey_);
    document_.setFraming(windows_.frameTone.framing());
    if (document_.lastConversion()) {
        document_.convert(*document_.lastConversion());
    }
}

void ImportCommands::openFrameTone() {
    const ImportedPicture* photograph = document_.photograph();
    if (photograph == nullptr) {
        throw Error(
            tr("Сначала загрузите картинку командой меню «Импорт», потом выберите "
               "кадр и тон"));
    }
    FrameToneWindow& window = windows_.frameTone;
    window.setTargetSize({document_.width(), document_.height()});
    window.setPicture(*photograph, document_.framing());
    if (document_.lastConversion()) {
        window.setMethod(*document_.lastConversion());
    }
    window.show();
    window.raise();
}

void ImportCommands::followFraming() {
    FrameToneWindow& window = windows_.frameTone;
    connect(&document_, &PictureDocument::pictureChanged, &window, [this, &window] {
        const ImportedPicture* photograph = document_.photograph();
        if (window.isVisible() && photograph != nullptr &&
            (document_.framing() != window.framing() ||
             photograph->loadedSize != window.frameView->photographSize())) {
            window.setPicture(*photograph, document_.framing());
        }
        if (document_.lastConversion()) {
            window.setMethod(*document_.lastConversion());
        }
    });
    connect(&document_, &PictureDocument::sizeChanged, &window, [&window](int width, int height) {
        window.setTargetSize({width, height});
    });
}

// ---- Picture imports ----

void ImportCommands::loadSourcePicture() {
    document_.setHeightMax(kLoadHeightMax);
    if (given_) {
        document_.takePicture(given_->file.isEmpty() ? importImage(given_->image)
                                                     : importPicture(given_->file));
        return;
    }
    const auto file = dialogs_->openFile(fileDialogs::importPictureDialog);
    if (!file) {
        return;
    }
    // A file that cannot be read leaves both pictures and the size as they were.
    document_.takePicture(importPicture(*file));
}

void ImportCommands::importThresholds() {
    lastImport_ = Import::Thresholds;
    PictureDocument::Step step(document_, QStringLiteral("Пороги"));
    loadSourcePicture();
    ThresholdsWindow& thresholds = windows_.thresholds;
    document_.convert(thresholds.settings());
    // The window at the screen's left edge with the preview beside it, their client areas'
    // tops level and their captions under the main window's tool bar; the preview moves
    // on where it would hide another window.
    const bool placed = thresholds.isVisible();
    thresholds.show();
    QWidget& preview = windows_.preview;
    preview.show();
    windows_.main.setPreviewShown(true);
    document_.setViewScale(4);
    // A window just shown has no frame yet: it is moved by its client area, and the window
    // manager puts the caption above. A framed one is moved by its frame.
    const auto moveClientTo = [](QWidget& window, QPoint at) {
        window.move(at - (window.geometry().topLeft() - window.frameGeometry().topLeft()));
    };
    int top = thresholds.geometry().top();
    if (!placed) {
        const int controlsBottom = windows_.main.view->mapToGlobal(QPoint(0, 0)).y();
        top = std::max(top, controlsBottom + frameMargins(&preview).top());
        moveClientTo(thresholds, {10 + frameMargins(&thresholds).left(), top});
    }
    moveClientTo(preview,
                 {outerRect(&thresholds).right() + 11 + frameMargins(&preview).left(), top});
    placeWindow(&thresholds);
    placeWindow(&preview);
    showPlaced(&thresholds);
    showPlaced(&preview);
}

void ImportCommands::showWholeResult() {
    document_.setViewScale(4);
    windows_.main.setPreviewShown(true);
    showPlaced(&windows_.preview);
}

void ImportCommands::importFloydSteinberg() {
    lastImport_ = Import::FloydSteinberg;
    PictureDocument::Step step(document_, QStringLiteral("Флойд-Стейнберг"));
    loadSourcePicture();
    showWholeResult();
    showPlaced(&windows_.floydSteinberg);
    // Not converted yet: the view shows the buffer at the new size until "Просмотр".
    document_.redraw();
}

void ImportCommands::importCga() {
    lastImport_ = Import::Cga;
    PictureDocument::Step step(document_, QStringLiteral("CGA_BWCM"));
    document_.setPalette(kCgaPalette);
    loadSourcePicture();
    document_.convert(CgaSettings{});
    showWholeResult();
}

void ImportCommands::importChunks() {
    lastImport_ = Import::Chunks;
    PictureDocument::Step step(document_, QStringLiteral("Чанки"));
    windows_.main.setPreviewShown(true);
    document_.setViewScale(4);
    loadSourcePicture();
    convertChunks();
    emit chunksImported();
    showPlaced(&windows_.preview);
    showPlaced(&windows_.chunkSettings);
}

void ImportCommands::importPalette() {
    lastImport_ = Import::Palette;
    PictureDocument::Step step(document_, kPaletteMethodStep);
    loadSourcePicture();
    document_.convert(windows_.palette.settings());
    showWholeResult();
    showPlaced(&windows_.palette);
}

// ---- Conversions of the loaded picture ----

void ImportCommands::convertChunks() {
    document_.setViewScale(4);
    // Every setting is read, and checked, before the picture changes; the references
    // read before a bad edit are kept all the same.
    ChunkReferences table = document_.chunkReferences();
    ChunkSettings settings;
    try {
        settings = windows_.chunkSettings.readSettings(table);
    } catch (...) {
        document_.setChunkReferences(table);
        throw;
    }
    document_.convert(settings);
}

void ImportCommands::previewThresholds() {
    PictureDocument::Step step(document_, QStringLiteral("Пороги"), liveMergeKey_);
    document_.convert(windows_.thresholds.settings());
}

void ImportCommands::previewFloydSteinberg() {
    PictureDocument::Step step(document_, QStringLiteral("Флойд-Стейнберг"), liveMergeKey_);
    if (liveMergeKey_ != 0) {
        document_.restartSource();
    }
    document_.convert(windows_.floydSteinberg.settings());
}

void ImportCommands::previewChunks() {
    if (liveMergeKey_ != 0) {
        // A half-typed edit is no error while the user types: the next change converts.
        ChunkReferences table = document_.chunkReferences();
        try {
            windows_.chunkSettings.readSettings(table);
        } catch (const Error& error) {
            windows_.main.showNote(error.message());
            return;
        }
    }
    PictureDocument::Step step(document_, QStringLiteral("Чанки"), liveMergeKey_);
    if (liveMergeKey_ != 0) {
        document_.restartSource();
    }
    convertChunks();
}

void ImportCommands::previewPalette() {
    PictureDocument::Step step(document_, kPaletteMethodStep, liveMergeKey_);
    document_.convert(windows_.palette.settings());
}

// ---- Palettes ----

// One rule, whatever windows are open: the picture is converted again only while it is
// the untouched result of a conversion to the palette's own colours (of the source it was
// made from); anything else keeps its indices and is drawn in the new colours.
void ImportCommands::choosePalette(int palette) {
    const std::optional<MethodSettings> shown = document_.shownConversion();
    const bool convertAgain = shown && usesPalette(*shown);
    {
        PictureDocument::Step step(document_, QStringLiteral("палитра"));
        document_.setPalette(palette);
        if (convertAgain) {
            document_.convert(*shown);
        }
    }
    windows_.main.showNote(
        convertAgain ? QStringLiteral("Палитра %1: картинка пересчитана из исходника в её цвета")
                           .arg(palette)
                     : QStringLiteral("Палитра %1: перекрашено, номера цветов те же").arg(palette));
}

// The method of the picture on screen, else of the last conversion, else the thresholds
// window's.
void ImportCommands::pickPalette() {
    rankPalettes(document_.shownConversion().value_or(
        document_.lastConversion().value_or(MethodSettings(windows_.thresholds.settings()))));
}

void ImportCommands::rankPalettes(const MethodSettings& settings) {
    if (document_.fittedPicture().isNull()) {
        windows_.main.showNote(QStringLiteral("Сначала импортируйте картинку"));
        return;
    }
    ranking_ = Ranking{document_.fittedPicture().cacheKey(), document_.width(), document_.height(),
                       settings};
    // Sized for the picture before it is placed and shown.
    windows_.paletteRanking.rank(settings, document_.fittedPicture(), document_.width(),
                                 document_.height());
    showPlaced(&windows_.paletteRanking);
}

// A ranking is applied only to the picture and size it was made for: its indices are laid
// out at that width. For any other it is made again, with the same settings.
void ImportCommands::takeRankedPalette(const PaletteScore& chosen) {
    if (!ranking_) {
        return;
    }
    if (ranking_->picture != document_.fittedPicture().cacheKey() ||
        ranking_->width != document_.width() || ranking_->height != document_.height()) {
        const MethodSettings settings = ranking_->settings;
        rankPalettes(settings);
        windows_.main.showNote(
            QStringLiteral("Картинка изменилась после подбора: палитры подобраны заново, "
                           "выберите снова"));
        return;
    }
    document_.takeConversion(chosen, ranking_->settings);
}

// ---- Drops and paste ----

void ImportCommands::dropFile(const QString& path) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("bip"), Qt::CaseInsensitive) == 0) {
        files_.openProjectFile(path);
    } else {
        importGiven(path, {});
    }
}

void ImportCommands::paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (windows_.main.tools->paste(data)) {
        return;
    }
    if (data != nullptr && data->hasImage()) {
        importGiven({}, qvariant_cast<QImage>(data->imageData()));
        return;
    }
    if (data != nullptr) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                dropFile(url.toLocalFile());
                return;
            }
        }
        // A path copied as text, plain or as a file:// address, is taken as a drop of
        // that file.
        QString text = data->text().trimmed();
        if (text.startsWith(QLatin1String("file://"))) {
            text = QUrl(text).toLocalFile();
        }
        if (!text.isEmpty() && !text.contains(QLatin1Char('\n')) && QFileInfo(text).isFile()) {
            dropFile(text);
            return;
        }
    }
    windows_.main.showNote(QStringLiteral("В буфере обмена нет картинки"));
}

void ImportCommands::importGiven(const QString& file, const QImage& image) {
    given_ = GivenPicture{file, image};
    const auto forget = qScopeGuard([this] { given_.reset(); });
    switch (lastImport_) {
        case Import::Thresholds:
            importThresholds();
            break;
        case Import::FloydSteinberg:
            importFloydSteinberg();
            break;
        case Import::Chunks:
            importChunks();
            break;
        case Import::Cga:
            importCga();
            break;
        case Import::Palette:
            importPalette();
            break;
    }
}
