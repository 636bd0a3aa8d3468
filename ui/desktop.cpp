#include "ui/desktop.h"

#include <QAction>
#include <QToolButton>

#include "document/document.h"
#include "document/recovery.h"
#include "ui/aboutwindow.h"
#include "ui/application.h"
#include "ui/chunksettingswindow.h"
#include "ui/drawingtools.h"
#include "ui/floydsteinbergwindow.h"
#include "ui/frametonewindow.h"
#include "ui/mainwindow.h"
#include "ui/paletterankingwindow.h"
#include "ui/palettewindow.h"
#include "ui/pictureview.h"
#include "ui/placement.h"
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
    imports_ = std::make_unique<ImportCommands>(
        *document_, dialogs_, *files_,
        ImportWindows{*main_, *preview_, *thresholds_, *floydSteinberg_, *chunkSettings_, *palette_,
                      *paletteRanking_, *frameTone_});
    // The tool windows, each with the merge key that keeps its live drags apart.
    imports_->addToolWindow(thresholds_.get(), 1, &ImportCommands::previewThresholds);
    imports_->addToolWindow(floydSteinberg_.get(), 2, &ImportCommands::previewFloydSteinberg);
    imports_->addToolWindow(chunkSettings_.get(), 3, &ImportCommands::previewChunks);
    imports_->addToolWindow(palette_.get(), 4, &ImportCommands::previewPalette);
    imports_->addToolWindow(frameTone_.get(), 5, &ImportCommands::previewFrameTone);
    imports_->followFraming();
    recovery_ = std::make_unique<RecoveryKeeper>(*document_, defaultRecoveryPath());
    connectMenu();
    connectWindows();
}

// The tool windows go first: nothing of theirs may outlive the document they show.
Desktop::~Desktop() {
    recovery_.reset();
    Application::setErrorDialogs(nullptr);
    imports_.reset();
    frameTone_.reset();
    addedTools_.clear();
    palette_.reset();
    paletteRanking_.reset();
    chunkSettings_.reset();
    floydSteinberg_.reset();
    thresholds_.reset();
    about_.reset();
    preview_.reset();
    main_.reset();
}

ToolWindow* Desktop::addToolWindow(std::unique_ptr<ToolWindow> window, int mergeKey,
                                   const QString& stepName) {
    ToolWindow* added = addedTools_.emplace_back(std::move(window)).get();
    imports_->addToolWindow(added, mergeKey, stepName);
    return added;
}

void Desktop::show() {
    // The designed size and place where they fit the screen, else smaller and moved on;
    // again once shown, as the first layout may widen it.
    fitOnScreen(main_.get());
    main_->show();
    fitOnScreen(main_.get());
    if (recovery_->ownsFile()) {
        runGuarded([this] { files_->offerRecovery(recovery_->path()); });
    }
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
    ImportCommands* imports = imports_.get();
    command(m.openProjectAction, [files] { files->openProject(); });
    command(m.saveProjectAction, [files] { files->saveProject(); });
    command(m.binWithPaletteAction, [files] { files->exportBinWithPalette(); });
    command(m.binWithHeaderAction, [files] { files->exportBinWithHeader(); });
    command(m.dumpAction, [files] { files->exportDump(); });
    command(m.bmpExportAction, [files] { files->exportBmp(); });
    command(m.ukncExportAction, [files] { files->exportUknc(); });
    command(m.rawStripImportAction, [files] { files->importRawStrip(); });
    command(m.cgaImportAction, [imports] { imports->importCga(); });
    command(m.floydSteinbergImportAction, [imports] { imports->importFloydSteinberg(); });
    command(m.chunkImportAction, [imports] { imports->importChunks(); });
    command(m.thresholdsImportAction, [imports] { imports->importThresholds(); });
    command(m.paletteImportAction, [imports] { imports->importPalette(); });
    command(m.frameToneAction, [imports] { imports->openFrameTone(); });
    connect(main_->frameToneButton, &QToolButton::clicked, imports,
            [imports] { runGuarded([&] { imports->openFrameTone(); }); });
    command(m.quitAction, [this] { main_->close(); });
    command(m.aboutAction, [this] { about_->showCentredOn(main_.get()); });
    command(m.chunkSettingsAction, [this] { showPlaced(chunkSettings_.get()); });
    command(m.pasteAction, [imports] { imports->paste(); });
    command(main_->toolStrip.replaceColour, [this] { main_->tools->askReplaceColour(*dialogs_); });
    command(m.pickPaletteAction, [imports] { imports->pickPalette(); });
}

void Desktop::connectWindows() {
    ImportCommands* imports = imports_.get();
    // A normal quit, saved or not, leaves no recovery file behind.
    main_->setCloseGuard([this] {
        const bool quits = files_->mayDiscard();
        if (quits) {
            recovery_->discard();
        }
        return quits;
    });
    connect(main_.get(), &MainWindow::previewToggled, this, &Desktop::showPreview);
    connect(main_.get(), &MainWindow::paletteChosen, imports,
            [imports](int palette) { runGuarded([&] { imports->choosePalette(palette); }); });
    connect(main_.get(), &MainWindow::pickPaletteRequested, imports,
            [imports] { runGuarded([&] { imports->pickPalette(); }); });
    connect(main_.get(), &MainWindow::fileDropped, imports,
            [imports](const QString& path) { runGuarded([&] { imports->dropFile(path); }); });
    connect(imports, &ImportCommands::chunksImported, main_.get(),
            &MainWindow::enableChunkSettings);
    // The space bar and "Исходник" show the source in the preview too, and the space bar
    // works while the preview is the active window.
    main_->view->takeSpaceBarFrom(preview_.get());
    connect(main_->view, &PictureView::showingSourceChanged, preview_.get(),
            &PreviewWindow::setShowingSource);
    connect(preview_.get(), &PreviewWindow::closed, main_.get(),
            [this] { main_->setPreviewShown(false); });
    connect(paletteRanking_.get(), &PaletteRankingWindow::paletteChosen, imports,
            [imports](const PaletteScore& chosen) {
                runGuarded([&] { imports->takeRankedPalette(chosen); });
            });
}

void Desktop::showPreview(bool shown) {
    preview_->refresh();
    if (shown) {
        preview_->fitToImage();
        showPlaced(preview_.get());
    } else {
        preview_->close();
    }
}
