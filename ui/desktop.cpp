#include "ui/desktop.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QUrl>

#include "convert/cga.h"
#include "convert/preset.h"
#include "document/document.h"
#include "load/importpicture.h"
#include "picture/error.h"
#include "ui/aboutwindow.h"
#include "ui/application.h"
#include "ui/chunksettingswindow.h"
#include "ui/floydsteinbergwindow.h"
#include "ui/frametonewindow.h"
#include "ui/liveconverter.h"
#include "ui/mainwindow.h"
#include "ui/paletterankingwindow.h"
#include "ui/palettewindow.h"
#include "ui/previewwindow.h"
#include "ui/thresholdswindow.h"

using namespace tovik;

Desktop::Desktop()
    : document_(std::make_unique<PictureDocument>()),
      files_(std::make_unique<FileCommands>(*document_, dialogs_)) {
    // The main window is complete before the others exist; they open centred on it.
    main_ = std::make_unique<MainWindow>(*document_);
    setDialogs(std::make_unique<QtDialogs>(main_.get()));
    preview_ = std::make_unique<PreviewWindow>(*document_);
    about_ = std::make_unique<AboutWindow>();
    thresholds_ = std::make_unique<ThresholdsWindow>(main_.get());
    floydSteinberg_ = std::make_unique<FloydSteinbergWindow>(main_.get());
    chunkSettings_ = std::make_unique<ChunkSettingsWindow>(main_.get());
    paletteRanking_ = std::make_unique<PaletteRankingWindow>(main_.get());
    palette_ = std::make_unique<PaletteWindow>(main_.get());
    frameTone_ = std::make_unique<FrameToneWindow>(main_.get());
    connectMenu();
    connectWindows();
}

// The tool windows go first: nothing of theirs may outlive the document they show.
Desktop::~Desktop() {
    Application::setErrorDialogs(nullptr);
    frameTone_.reset();
    palette_.reset();
    paletteRanking_.reset();
    chunkSettings_.reset();
    floydSteinberg_.reset();
    thresholds_.reset();
    about_.reset();
    preview_.reset();
    main_.reset();
}

void Desktop::show() {
    main_->show();
}

void Desktop::setDialogs(std::unique_ptr<Dialogs> dialogs) {
    dialogs_ = std::move(dialogs);
    Application::setErrorDialogs(dialogs_.get());
}

void Desktop::connectMenu() {
    const MainMenu& m = main_->menu;
    const auto command = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [handler] { runGuarded(handler); });
    };
    FileCommands* files = files_.get();
    command(m.N2, [files] { files->openProject(); });
    command(m.N3, [files] { files->saveProject(); });
    command(m.BIN1, [files] { files->exportBinWithPalette(); });
    command(m.BIN2, [files] { files->exportBinWithHeader(); });
    command(m.N10, [files] { files->exportDump(); });
    command(m.N24bitbmp1, [files] { files->exportBmp(); });
    command(m.N26, [files] { files->exportUknc(); });
    command(m.IMG1, [files] { files->importRawStrip(); });
    command(m.CGA321, [this] { importCga(); });
    command(m.N14, [this] { importFloydSteinberg(); });
    command(m.NewFloyd1, [this] { importChunks(); });
    command(m.N17, [this] { importThresholds(); });
    command(m.paletteImport, [this] { importPalette(); });
    command(m.frameTone, [this] { openFrameTone(); });
    connect(main_->frameToneButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { openFrameTone(); }); });
    command(m.N9, [this] { main_->close(); });
    command(m.N13, [this] { about_->showCentredOn(main_.get()); });
    command(m.N24, [this] { chunkSettings_->show(); });
    command(m.paste, [this] { paste(); });
    command(m.pickPalette, [this] { pickPalette(); });
    connect(main_->pickPaletteButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { pickPalette(); }); });
}

void Desktop::connectWindows() {
    main_->setCloseGuard([this] { return files_->mayDiscard(); });
    connect(main_.get(), &MainWindow::previewToggled, this, &Desktop::showPreview);
    connect(main_.get(), &MainWindow::paletteChosen, this,
            [this](int palette) { runGuarded([&] { choosePalette(palette); }); });
    connect(main_.get(), &MainWindow::fileDropped, this,
            [this](const QString& path) { runGuarded([&] { dropFile(path); }); });
    connect(preview_.get(), &PreviewWindow::closed, main_.get(),
            [this] { main_->setPreviewShown(false); });
    connect(thresholds_.get(), &ThresholdsWindow::previewRequested, this,
            guarded(this, &Desktop::previewThresholds));
    connect(floydSteinberg_.get(), &FloydSteinbergWindow::previewRequested, this,
            guarded(this, &Desktop::previewFloydSteinberg));
    connect(chunkSettings_.get(), &ChunkSettingsWindow::previewRequested, this,
            guarded(this, &Desktop::previewChunks));
    connect(palette_.get(), &PaletteWindow::previewRequested, this,
            guarded(this, &Desktop::previewPalette));
    // Live conversions: the merge keys keep each window's drags apart in the history.
    makeLive(thresholds_.get(), 1, &Desktop::previewThresholds);
    makeLive(floydSteinberg_.get(), 2, &Desktop::previewFloydSteinberg);
    makeLive(chunkSettings_.get(), 3, &Desktop::previewChunks);
    makeLive(palette_.get(), 4, &Desktop::previewPalette);
    makeLive(frameTone_.get(), 5, &Desktop::previewFrameTone);
    connect(frameTone_.get(), &FrameToneWindow::previewRequested, this,
            guarded(this, &Desktop::previewFrameTone));
    // Undo, redo and a new import bring the window the document's photograph and framing.
    connect(document_.get(), &PictureDocument::pictureChanged, this, [this] {
        const ImportedPicture* photograph = document_->photograph();
        if (frameTone_->isVisible() && photograph != nullptr &&
            (document_->framing() != frameTone_->framing() ||
             photograph->loadedSize != frameTone_->frameView->photographSize())) {
            frameTone_->setPicture(*photograph, document_->framing());
        }
    });
    connect(document_.get(), &PictureDocument::sizeChanged, this, [this](int width, int height) {
        frameTone_->setTargetSize({width, height});
    });
    connectPresets(
        thresholds_.get(), [this] { return MethodSettings(thresholds_->settings()); },
        [this](const MethodSettings& method) {
            const auto* settings = std::get_if<ThresholdSettings>(&method);
            return settings != nullptr && (thresholds_->setSettings(*settings), true);
        });
    connectPresets(
        floydSteinberg_.get(), [this] { return MethodSettings(floydSteinberg_->settings()); },
        [this](const MethodSettings& method) {
            const auto* settings = std::get_if<FloydSteinbergSettings>(&method);
            return settings != nullptr && (floydSteinberg_->setSettings(*settings), true);
        });
    connectPresets(
        chunkSettings_.get(),
        [this] {
            ChunkReferences table{};
            return MethodSettings(chunkSettings_->readSettings(table));
        },
        [this](const MethodSettings& method) {
            const auto* settings = std::get_if<ChunkSettings>(&method);
            return settings != nullptr && (chunkSettings_->setSettings(*settings), true);
        });
    connectPresets(
        palette_.get(), [this] { return palette_->settings(); },
        [this](const MethodSettings& method) {
            if (!usesPalette(method)) {
                return false;
            }
            palette_->setSettings(method);
            return true;
        });
    connect(paletteRanking_.get(), &PaletteRankingWindow::paletteChosen, this,
            [this](int palette, const PixelBuffer& buffer) {
                // A result for another picture than the one now loaded is not applied.
                if (document_->fittedPicture().cacheKey() != rankedPicture_) {
                    main_->showNote(QStringLiteral("Картинка изменилась: подбор устарел"));
                    return;
                }
                runGuarded([&] { document_->takeConversion(palette, buffer); });
            });
}

template <class Window>
void Desktop::connectPresets(Window* window, std::function<MethodSettings()> read,
                             std::function<bool(const MethodSettings&)> apply) {
    connect(window->savePresetButton, &QPushButton::clicked, this, [this, read] {
        runGuarded([&] {
            // The tone of the picture goes with the method; the frame stays with it.
            const Preset preset{read(), document_->palette(), false, document_->framing().tone,
                                false};
            if (const auto file = dialogs_->saveFile(fileDialogs::SavePresetDialog)) {
                writePreset(*file, preset);
            }
        });
    });
    connect(window->loadPresetButton, &QPushButton::clicked, this, [this, apply] {
        runGuarded([&] {
            const auto file = dialogs_->openFile(fileDialogs::OpenPresetDialog);
            if (!file) {
                return;
            }
            const Preset preset = readPreset(*file);
            if (!apply(preset.method)) {
                throw Error(QStringLiteral("Preset %1 holds the settings of %2, not of this window")
                                .arg(*file, methodName(preset.method)));
            }
            applyPresetTone(preset);
            if (preset.palette) {
                choosePalette(*preset.palette);
            } else if (preset.autoPalette) {
                pickPalette();
            }
        });
    });
}

template <class Window>
void Desktop::makeLive(Window* window, int mergeKey, void (Desktop::*convert)()) {
    auto* live = new LiveConverter(
        *document_, mergeKey,
        [this, convert](int key) {
            // Every live run starts from the picture as it was fitted.
            liveMergeKey_ = key;
            const auto forget = qScopeGuard([this] { liveMergeKey_ = 0; });
            (this->*convert)();
        },
        this);
    connect(window, &Window::settingsChanged, live, [window, live] {
        if (window->liveBox->isChecked()) {
            live->request();
        }
    });
    if constexpr (requires { &Window::adjustmentFinished; }) {
        connect(window, &Window::adjustmentFinished, live, &LiveConverter::finish);
    }
}

void Desktop::showPreview(bool shown) {
    preview_->refresh();
    if (shown) {
        preview_->show();
        preview_->fitToImage();
    } else {
        preview_->close();
    }
}

// ---- Picture imports ----

void Desktop::loadSourcePicture() {
    document_->setHeightMax(kLoadHeightMax);
    if (given_) {
        document_->takePicture(given_->file.isEmpty() ? importImage(given_->image)
                                                      : importPicture(given_->file));
        return;
    }
    const auto file = dialogs_->openFile(fileDialogs::OpenDialog2);
    if (!file) {
        return;
    }
    // A file that cannot be read leaves both pictures and the size as they were.
    document_->takePicture(importPicture(*file));
}

void Desktop::importThresholds() {
    lastImport_ = Import::Thresholds;
    PictureDocument::Step step(*document_, QStringLiteral("Пороги"));
    loadSourcePicture();
    document_->convert(thresholds_->settings());
    thresholds_->show();
    preview_->show();
    thresholds_->move(10, thresholds_->y());
    main_->setPreviewShown(true);
    document_->setViewScale(4);
    preview_->move(thresholds_->frameGeometry().width() + 20, thresholds_->y());
}

void Desktop::importFloydSteinberg() {
    lastImport_ = Import::FloydSteinberg;
    PictureDocument::Step step(*document_, QStringLiteral("Флойд-Стейнберг"));
    loadSourcePicture();
    document_->setViewScale(4);
    floydSteinberg_->show();
    // Not converted yet: the view shows the buffer at the new size until "Просмотр".
    document_->redraw();
}

void Desktop::importCga() {
    lastImport_ = Import::Cga;
    PictureDocument::Step step(*document_, QStringLiteral("CGA_BWCM"));
    document_->setPalette(kCgaPalette);
    loadSourcePicture();
    document_->convert(CgaSettings{});
}

void Desktop::importChunks() {
    lastImport_ = Import::Chunks;
    PictureDocument::Step step(*document_, QStringLiteral("Чанки"));
    main_->setPreviewShown(true);
    document_->setViewScale(4);
    loadSourcePicture();
    convertChunks();
    main_->menu.N24->setEnabled(true);
    chunkSettings_->show();
}

void Desktop::convertChunks() {
    document_->setViewScale(4);
    // Every setting is read, and checked, before the picture changes; the references
    // read before a bad edit are kept all the same.
    ChunkReferences table = document_->chunkReferences();
    ChunkSettings settings;
    try {
        settings = chunkSettings_->readSettings(table);
    } catch (...) {
        document_->setChunkReferences(table);
        throw;
    }
    document_->convert(settings);
}

void Desktop::previewThresholds() {
    PictureDocument::Step step(*document_, QStringLiteral("Пороги"), liveMergeKey_);
    document_->convert(thresholds_->settings());
}

void Desktop::previewFloydSteinberg() {
    PictureDocument::Step step(*document_, QStringLiteral("Флойд-Стейнберг"), liveMergeKey_);
    if (liveMergeKey_ != 0) {
        document_->restartSource();
    }
    document_->convert(floydSteinberg_->settings());
}

void Desktop::previewChunks() {
    if (liveMergeKey_ != 0) {
        // A half-typed edit is no error while the user types: the next change converts.
        ChunkReferences table = document_->chunkReferences();
        try {
            chunkSettings_->readSettings(table);
        } catch (const Error& error) {
            main_->showNote(error.message());
            return;
        }
    }
    PictureDocument::Step step(*document_, QStringLiteral("Чанки"), liveMergeKey_);
    if (liveMergeKey_ != 0) {
        document_->restartSource();
    }
    convertChunks();
}

void Desktop::previewPalette() {
    PictureDocument::Step step(*document_, QStringLiteral("Палитра"), liveMergeKey_);
    document_->convert(palette_->settings());
}

void Desktop::applyPresetTone(const Preset& preset) {
    const ImportedPicture* photograph = document_->photograph();
    Framing framing = document_->framing();
    if (photograph == nullptr || (framing.tone == preset.tone && !preset.autoTone)) {
        return;
    }
    framing.tone = preset.tone;
    if (preset.autoTone) {
        Framing untoned = framing;
        untoned.tone = {};
        framing.tone = autoTone(framePicture(*photograph, untoned).fitted, preset.tone);
    }
    PictureDocument::Step step(*document_, QStringLiteral("Кадр и тон"));
    document_->setFraming(framing);
}

void Desktop::previewFrameTone() {
    PictureDocument::Step step(*document_, QStringLiteral("Кадр и тон"), liveMergeKey_);
    document_->setFraming(frameTone_->framing());
    if (document_->lastConversion()) {
        document_->convert(*document_->lastConversion());
    }
}

void Desktop::openFrameTone() {
    const ImportedPicture* photograph = document_->photograph();
    if (photograph == nullptr) {
        throw Error(
            tr("Сначала загрузите картинку командой меню «Импорт», потом выберите "
               "кадр и тон"));
    }
    frameTone_->setTargetSize({document_->width(), document_->height()});
    frameTone_->setPicture(*photograph, document_->framing());
    frameTone_->show();
    frameTone_->raise();
}

void Desktop::importPalette() {
    lastImport_ = Import::Palette;
    PictureDocument::Step step(*document_, QStringLiteral("Палитра"));
    loadSourcePicture();
    document_->convert(palette_->settings());
    palette_->show();
}

void Desktop::choosePalette(int palette) {
    PictureDocument::Step step(*document_, QStringLiteral("палитра"));
    document_->setPalette(palette);
    if (palette_->isVisible() && !document_->fittedPicture().isNull()) {
        document_->convert(palette_->settings());
    }
}

// ---- Palettes ----

void Desktop::pickPalette() {
    if (document_->fittedPicture().isNull()) {
        main_->showNote(QStringLiteral("Сначала импортируйте картинку"));
        return;
    }
    const MethodSettings settings =
        document_->lastConversion().value_or(MethodSettings(thresholds_->settings()));
    rankedPicture_ = document_->fittedPicture().cacheKey();
    paletteRanking_->show();
    paletteRanking_->rank(settings, document_->fittedPicture(), document_->width(),
                          document_->height());
}

// ---- Drops and paste ----

void Desktop::dropFile(const QString& path) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("bip"), Qt::CaseInsensitive) == 0) {
        files_->openProjectFile(path);
    } else {
        importGiven(path, {});
    }
}

void Desktop::paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
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
    }
    main_->showNote(QStringLiteral("В буфере обмена нет картинки"));
}

void Desktop::importGiven(const QString& file, const QImage& image) {
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
