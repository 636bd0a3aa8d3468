#include "ui/filecommands.h"

#include "document/document.h"
#include "machinefiles/bmp24.h"
#include "machinefiles/fileinfo.h"
#include "machinefiles/screenpack.h"
#include "machinefiles/uknc.h"
#include "picture/fileio.h"
#include "picture/projectfile.h"
#include "ui/application.h"

using namespace tovik;

namespace fileDialogs {
const FileDialog SaveDialog1{"SaveDialog1", "Бинарный файл|*.bin", "*.bin", {}};
const FileDialog SaveDialog2{"SaveDialog2", "*.bip|*.bip", "*.bip", {}};
const FileDialog OpenDialog1{"OpenDialog1", "*.bip|*.bip", "*.bip", "\"\""};
const FileDialog OpenDialog2{
    "OpenDialog2",
    "*.bmp, *.jpg, *.png, *.gif, *.tif, *.webp|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp",
    "*.jpg",
    {}};
const FileDialog SaveDialog3{"SaveDialog3", "*.bmp|*.bmp", "*.bmp", {}};
const FileDialog OpenDialog3{"OpenDialog3", "All|*.*", "*.*", {}};
const FileDialog SaveDialog4{"SaveDialog4", "MAC|*.MAC", "*.MAC", {}};
const FileDialog SavePresetDialog{"SavePresetDialog", "Настройки|*.json", "*.json", {}};
const FileDialog OpenPresetDialog{"OpenPresetDialog", "Настройки|*.json", "*.json", {}};
}  // namespace fileDialogs

FileCommands::FileCommands(PictureDocument& document, const std::unique_ptr<Dialogs>& dialogs)
    : document_(document), dialogs_(dialogs) {}

void FileCommands::openProject() {
    dialogs_->useCurrentFolder();
    if (const auto file = dialogs_->openFile(fileDialogs::OpenDialog1)) {
        openProjectFile(*file);
    }
}

void FileCommands::openProjectFile(const QString& file) {
    // Nothing changes until the file is read and its header accepted.
    document_.openProject(readProject(file));
    document_.markSaved(file);
}

bool FileCommands::saveProject() {
    dialogs_->useCurrentFolder();
    const auto file = dialogs_->saveFile(fileDialogs::SaveDialog2);
    if (!file) {
        return false;
    }
    writeFile(*file, encodeProject(document_.buffer(), document_.width(), document_.height(),
                                   document_.palette()));
    document_.markSaved(*file);
    return true;
}

bool FileCommands::mayDiscard() {
    if (!document_.isModified()) {
        return true;
    }
    switch (dialogs_->ask(QString::fromLatin1(Application::kTitle),
                          QStringLiteral("Сохранить изменения?"))) {
        case Dialogs::Answer::Yes: {
            bool saved = false;
            runGuarded([&] { saved = saveProject(); });
            return saved;
        }
        case Dialogs::Answer::No:
            return true;
        case Dialogs::Answer::Cancel:
            break;
    }
    return false;
}

// The whole file is built before the dialog opens; a cancel writes nothing.
void FileCommands::exportPacked(const QByteArray& file, ExportFormat format) {
    const auto name = dialogs_->saveFile(fileDialogs::SaveDialog1);
    if (!name) {
        return;
    }
    writeFile(*name, file);
    confirmExport(format, file.size());
}

void FileCommands::confirmExport(ExportFormat format, qsizetype bytes) {
    dialogs_->message(QStringLiteral("Экспорт"),
                      QStringLiteral("          Успешно!\n") +
                          describeExport(format, bytes, document_.width(), document_.height(),
                                         document_.palette()));
}

void FileCommands::exportBinWithPalette() {
    exportPacked(makeBinWithPalette(document_.buffer(), document_.width(), document_.height()),
                 ExportFormat::BinWithPalette);
}

void FileCommands::exportBinWithHeader() {
    exportPacked(makeBinWithHeader(document_.buffer(), document_.width(), document_.height()),
                 ExportFormat::BinWithHeader);
}

void FileCommands::exportDump() {
    exportPacked(makeScreenDump(document_.buffer(), document_.width(), document_.height()),
                 ExportFormat::Dump);
}

void FileCommands::exportBmp() {
    const auto file = dialogs_->saveFile(fileDialogs::SaveDialog3);
    if (!file) {
        return;
    }
    const QByteArray bitmap = encodeBmp24(document_.workingBitmap());
    writeFile(*file, bitmap);
    confirmExport(ExportFormat::Bmp24, bitmap.size());
}

void FileCommands::exportUknc() {
    dialogs_->useCurrentFolder();
    const QByteArray source =
        makeUkncSource(document_.buffer(), document_.width(), document_.height());
    const auto file = dialogs_->saveFile(fileDialogs::SaveDialog4);
    if (!file) {
        return;
    }
    writeFile(*file, source);
    confirmExport(ExportFormat::UkncSource, source.size());
}

void FileCommands::importRawStrip() {
    PictureDocument::Step step(document_, QStringLiteral("Tovik_IMG"));
    // The strip's size is set before the dialog, so a cancel still shows the buffer
    // regrouped into rows of 8.
    document_.setPictureSize(8, kStartHeightMax);
    if (const auto file = dialogs_->openFile(fileDialogs::OpenDialog3)) {
        document_.readRawStrip(readFile(*file, document_.height()));
    } else {
        document_.redraw();
    }
}
