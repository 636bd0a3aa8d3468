#include "ui/dialogs.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

#include "ui/replacecolourdialog.h"

QString Dialogs::lastGoodChoice(const QString& dialogName) {
    const QString pending = chosen_.take(dialogName);
    if (!pending.isEmpty() && QFileInfo(pending).isFile()) {
        good_.insert(dialogName, pending);
    }
    return good_.value(dialogName);
}

void Dialogs::noteChoice(const QString& dialogName, const QString& file) {
    chosen_.insert(dialogName, file);
}

namespace {

class PlainFileIcons : public QAbstractFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        return QAbstractFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override {
        return info.isDir() ? QStringLiteral("Папка") : info.suffix();
    }
};

}  // namespace

QString QtDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> QtDialogs::run(const FileDialog& dialog, bool save) {
    QFileDialog fileDialog(asker());
    fileDialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    fileDialog.setObjectName(dialog.name);
    fileDialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fileDialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    fileDialog.setNameFilter(qtFilter(dialog.filter));
    QString suffix = dialog.defaultExt;
    suffix.remove(QStringLiteral("*."));
    if (suffix != QLatin1String("*")) {
        fileDialog.setDefaultSuffix(suffix);
    }
    // A folder made of two double quotes (the open-project dialog's setting) names no
    // folder. The dialog always gets a folder of ours: Qt's own memory of the last folder
    // visited would bring back one where a save failed.
    QString folder = dialog.initialDir;
    folder.remove(QLatin1Char('"'));
    if (folder.isEmpty()) {
        folder = QDir::currentPath();
    }
    fileDialog.setDirectory(folder);
    if (const QString last = lastGoodChoice(dialog.name); !last.isEmpty()) {
        fileDialog.selectFile(last);
    }
    // Icons and types by name only: reading a file to tell its type hangs on a device or
    // a pipe.
    PlainFileIcons icons;
    fileDialog.setIconProvider(&icons);
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = fileDialog.selectedFiles().constFirst();
    noteChoice(dialog.name, chosen);
    return chosen;
}

std::optional<QString> QtDialogs::openFile(const FileDialog& dialog) {
    return run(dialog, false);
}

std::optional<QString> QtDialogs::saveFile(const FileDialog& dialog) {
    return run(dialog, true);
}

QWidget* QtDialogs::asker() const {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : owner_;
}

void QtDialogs::fitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    // The frame's own buttons and margins take about this much beside the caption.
    constexpr int kFrameButtons = 120;
    QFont captionFont = box.font();
    captionFont.setBold(true);
    const int width =
        QFontMetrics(captionFont).horizontalAdvance(box.windowTitle()) + kFrameButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

namespace {

int runBox(QMessageBox& box) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QtDialogs::fitCaption(box);
    return box.exec();
}

}  // namespace

void QtDialogs::message(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, asker());
    runBox(box);
}

void QtDialogs::error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    asker());
    runBox(box);
}

Dialogs::Answer QtDialogs::ask(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, asker());
    QAbstractButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QAbstractButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    runBox(box);
    if (box.clickedButton() == yes) {
        return Answer::Yes;
    }
    return box.clickedButton() == no ? Answer::No : Answer::Cancel;
}

std::optional<ColourReplacement> QtDialogs::replaceColour(const ColourReplacement& initial,
                                                          int palette, bool hasSelection) {
    ReplaceColourDialog dialog(initial, palette, hasSelection, asker());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.replacement();
}
