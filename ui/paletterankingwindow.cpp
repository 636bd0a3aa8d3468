#include "ui/paletterankingwindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "picture/palette.h"
#include "picture/render.h"
#include "ui/toolwindow.h"

using namespace tovik;

namespace {

constexpr int kThumbnail = 96;  // the longer side of a thumbnail, in pixels

// The conversion drawn in its palette, enlarged or shrunk by whole pixels to the
// thumbnail's size.
QPixmap thumbnail(const PaletteScore& result, int width, int height) {
    const QImage picture = renderPicture(result.buffer, width, height, result.palette);
    const QSize size = picture.size().scaled(kThumbnail, kThumbnail, Qt::KeepAspectRatio);
    return QPixmap::fromImage(
        picture.scaled(size.expandedTo({1, 1}), Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace

PaletteRankingWindow::PaletteRankingWindow(const QWidget* owner)
    : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("PaletteRankingWindow"));
    setWindowTitle(QStringLiteral("Подобрать палитру"));
    auto* layout = new QVBoxLayout(this);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("RankingStatus"));
    layout->addWidget(status);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    for (int i = 0; i < kPaletteCount; ++i) {
        auto* entry = new QToolButton(this);
        entry->setObjectName(QStringLiteral("RankingEntry%1").arg(i + 1));
        entry->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        entry->setIconSize(QSize(kThumbnail, kThumbnail));
        entry->setMinimumSize(kThumbnail + 16, kThumbnail + 32);
        entry->setEnabled(false);
        entry->setToolTip(
            QStringLiteral("Номер палитры: оценка — чем меньше, тем ближе к исходнику. "
                           "Щелчок применяет эту палитру"));
        grid->addWidget(entry, i / 4, i % 4);
        entries.push_back(entry);
        connect(entry, &QToolButton::clicked, this, [this, i] {
            if (static_cast<size_t>(i) < results_.size()) {
                const PaletteScore& chosen = results_[static_cast<size_t>(i)];
                emit paletteChosen(chosen.palette, chosen.buffer);
            }
        });
    }
    connect(&watcher_, &QFutureWatcherBase::finished, this, &PaletteRankingWindow::showResults);
    adjustSize();
    centreOn(this, owner);
}

// A ranking still running finishes on its own: the pool's threads must not outlive the
// picture they read.
PaletteRankingWindow::~PaletteRankingWindow() {
    watcher_.waitForFinished();
}

void PaletteRankingWindow::rank(const MethodSettings& settings, const QImage& fitted,
                                int pictureWidth, int pictureHeight) {
    width_ = pictureWidth;
    height_ = pictureHeight;
    results_.clear();
    for (QToolButton* entry : entries) {
        entry->setEnabled(false);
        entry->setIcon({});
        entry->setText({});
    }
    status->setText(QStringLiteral("Считаю…"));
    // A copy of the picture travels with the work, so the document can change meanwhile.
    watcher_.setFuture(QtConcurrent::run(
        [settings, fitted, pictureWidth] { return rankPalettes(settings, fitted, pictureWidth); }));
}

bool PaletteRankingWindow::isRanking() const {
    return watcher_.isRunning();
}

void PaletteRankingWindow::showResults() {
    results_ = watcher_.result();
    for (size_t i = 0; i < entries.size() && i < results_.size(); ++i) {
        const PaletteScore& result = results_[i];
        QToolButton* entry = entries[i];
        entry->setIcon(thumbnail(result, width_, height_));
        entry->setText(QStringLiteral("%1: %2").arg(result.palette).arg(result.score, 0, 'f', 3));
        entry->setEnabled(true);
    }
    status->setText(QStringLiteral("Ближе всего к картинке — палитра %1")
                        .arg(results_.empty() ? 0 : results_.front().palette));
    emit rankingDone();
}
