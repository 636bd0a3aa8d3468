#include "ui/filecommands.h"

#include <QCoreApplication>
#include <QFile>

#include "document/document.h"
#include "document/recovery.h"
#include "machinefiles/bmp24.h"
#include "machinefiles/fileinfo.h"
#include "machinefiles/screenpack.h"
#include "machinefiles/uknc.h"
#include "picture/error.h"
#include "picture/fileio.h"
#include "picture/projectfile.h"
#include "ui/application.h"

using namespace tovik;

namespace fileDialogs {
const FileDialog exportPackedDialog{"SaveDialog1", "Бинарный файл|*.bin", "*.bin", {}};
const FileDialog saveProjectDialog{"SaveDialog2", "*.bip|*.bip", "*.bip", {}};
const FileDialog openProjectDialog{"OpenDialog1", "*.bip|*.bip", "*.bip", "\"\""};
const FileDialog importPictureDialog{
    "OpenDialog2",
    "*.bmp, *.jpg, *.png, *.gif, *.tif, *.webp|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp",
    "*.jpg",
    {}};
const FileDialog exportBmpDialog{"SaveDialog3", "*.bmp|*.bmp", "*.bmp", {}};
// Raw dumps from the machine often have no extension: every file is listed.
const FileDialog importRawStripDialog{"OpenDialog3", "Все файлы|*", "*", {}};
const FileDialog exportUkncDialog{"SaveDialog4", "MAC|*.MAC", "*.MAC", {}};
const FileDialog savePresetDialog{"SavePresetDialog", "Настройки|*.json", "*.json", {}};
const FileDialog openPresetDialog{"OpenPresetDialog", "Настройки|*.json", "*.json", {}};
}  // namespace fileDialogs

FileCommands::FileCommands(PictureDocument& document, const std::unique_ptr<Dialogs>& dialogs)
    : document_(document), dialogs_(dialogs) {}

void FileCommands::openProject() {
    dialogs_->useCurrentFolder();
    if (const auto file = dialogs_->openFile(fileDialogs::openProjectDialog)) {
        openProjectFile(*file);
    }
}

void FileCommands::openProjectFile(const QString& file) {
    // Nothing changes until the file is read and its header accepted, and the unsaved
    // work is saved or given up.
    const ProjectFile project = readProject(file);
    if (!mayDiscard()) {
        return;
    }
    document_.openProject(project);
    document_.markSaved(file);
}

bool FileCommands::saveProject() {
    dialogs_->useCurrentFolder();
    const auto file = dialogs_->saveFile(fileDialogs::saveProjectDialog);
    if (!file) {
        return false;
    }
    saveProjectAs(*file);
    return true;
}

void FileCommands::saveProjectAs(const QString& file) {
    writeFile(file, encodeProject(document_.buffer(), document_.width(), document_.height(),
                                  document_.palette()));
    document_.markSaved(file);
}

void FileCommands::offerRecovery(const QString& path) {
    if (!QFile::exists(path)) {
        return;
    }
    RecoveredWork work;
    try {
        work = readRecovery(path);
    } catch (const Error& error) {
        const QString aside = setRecoveryAside(path);
        dialogs_->error(error.message() + QLatin1Char(' ') +
                        QCoreApplication::translate("FileCommands",
                                                    "Он отложен как %1; программа начинает "
                                                    "с пустой картинки.")
                            .arg(aside));
        return;
    }
    switch (dialogs_->ask(
        QString::fromLatin1(Application::kTitle),
        QCoreApplication::translate("FileCommands", "Восстановить несохранённую работу?"))) {
        case Dialogs::Answer::Yes:
            restoreRecoveredWork(document_, work);
            break;
        case Dialogs::Answer::No:
            QFile::remove(path);
            break;
        case Dialogs::Answer::Cancel:
            break;  // asked again at the next start, unless new work replaces it
    }
}

bool FileCommands::mayDiscard() {
    if (!document_.isModified()) {
        return true;
    }
    switch (dialogs_->ask(QString::fromLatin1(Application::kTitle),
                          QStringLiteral("Сохранить изменения?"))) {
        case Dialogs::Answer::Yes: {
            // A project that has a file is saved to it; a new one asks where.
            bool saved = false;
            runGuarded([&] {
                if (document_.fileName().isEmpty()) {
                    saved = saveProject();
                } else {
                    saveProjectAs(document_.fileName());
                    saved = true;
                }
            });
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
    const auto name = dialogs_->saveFile(fileDialogs::exportPackedDialog);
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
    const auto file = dialogs_->saveFile(fileDialogs::exportBmpDialog);
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
    const auto file = dialogs_->saveFile(fileDialogs::exportUkncDialog);
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
    if (const auto file = dialogs_->openFile(fileDialogs::importRawStripDialog)) {
        document_.readRawStrip(readFile(*file, document_.height()));
    } else {
        document_.redraw();
    }
}
