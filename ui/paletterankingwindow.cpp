#include "ui/paletterankingwindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>

#include "picture/palette.h"
#include "picture/render.h"
#include "ui/placement.h"
#include "ui/toolwindow.h"

using namespace tovik;

QImage thumbnailImage(const PixelBuffer& buffer, int width, int height, int palette) {
    const QImage picture = renderPicture(buffer, width, height, palette);
    const int scale = thumbnailScale(width, height);
    return scale == 1 ? picture
                      : picture.scaled(picture.size() * scale, Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation);
}

int thumbnailScale(int width, int height) {
    return std::max(1, kSmallestThumbnail / std::max({width, height, 1}));
}

PaletteRankingWindow::PaletteRankingWindow(const QWidget* owner)
    : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("PaletteRankingWindow"));
    setWindowTitle(QStringLiteral("Подобрать палитру"));
    auto* layout = new QVBoxLayout(this);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("RankingStatus"));
    layout->addWidget(status);
    // The thumbnails scroll where all 16 do not fit the screen.
    scroller_ = new QScrollArea(this);
    scroller_->setWidgetResizable(true);
    auto* thumbnails = new QWidget;
    auto* grid = new QGridLayout(thumbnails);
    scroller_->setWidget(thumbnails);
    layout->addWidget(scroller_);
    for (int i = 0; i < kPaletteCount; ++i) {
        auto* entry = new QToolButton(thumbnails);
        entry->setObjectName(QStringLiteral("RankingEntry%1").arg(i + 1));
        entry->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        entry->setEnabled(false);
        entry->setToolTip(
            QStringLiteral("Номер палитры: оценка — чем меньше, тем ближе к исходнику. "
                           "Щелчок применяет эту палитру"));
        grid->addWidget(entry, i / 4, i % 4);
        entries.push_back(entry);
        connect(entry, &QToolButton::clicked, this, [this, i] {
            if (static_cast<size_t>(i) < results_.size()) {
                emit paletteChosen(results_[static_cast<size_t>(i)]);
            }
        });
    }
    connect(&watcher_, &QFutureWatcherBase::finished, this, &PaletteRankingWindow::showResults);
    fitThumbnails(kSmallestThumbnail, kSmallestThumbnail);
    centreOn(this, owner);
}

// Room for every thumbnail of a picture of this size, as far as the screen allows; a
// shown window that changed size is placed again.
void PaletteRankingWindow::fitThumbnails(int pictureWidth, int pictureHeight) {
    const QSize old = size();
    const int scale = thumbnailScale(pictureWidth, pictureHeight);
    const QSize icon(pictureWidth * scale, pictureHeight * scale);
    for (QToolButton* entry : entries) {
        entry->setIconSize(icon);
        entry->setMinimumSize(icon + QSize(16, 32));
    }
    QWidget* thumbnails = scroller_->widget();
    thumbnails->adjustSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize whole =
        thumbnails->sizeHint() + QSize(bar, 0) + QSize(2, 2) * scroller_->frameWidth();
    scroller_->setMinimumWidth(std::min(whole.width(), 4 * (kSmallestThumbnail + 16) + bar));
    scroller_->setMinimumHeight(kSmallestThumbnail + 32);
    layout()->activate();
    resize(QSize(whole.width(), whole.height() + status->sizeHint().height()) +
           QSize(layout()->contentsMargins().left() + layout()->contentsMargins().right(),
                 layout()->contentsMargins().top() + layout()->contentsMargins().bottom() +
                     layout()->spacing()));
    // At most two thirds of the screen's height: the window sits beside the others.
    const QScreen* screen = this->screen();
    if (screen != nullptr) {
        resize(width(), std::min(height(), screen->availableGeometry().height() * 2 / 3));
    }
    fitOnScreen(this);
    if (isVisible() && size() != old) {
        placeWindow(this);
    }
}

PaletteRankingWindow::~PaletteRankingWindow() {
    watcher_.waitForFinished();
}

void PaletteRankingWindow::rank(const MethodSettings& settings, const QImage& fitted,
                                int pictureWidth, int pictureHeight) {
    width_ = pictureWidth;
    height_ = pictureHeight;
    fitThumbnails(pictureWidth, pictureHeight);
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
        entry->setIcon(
            QPixmap::fromImage(thumbnailImage(result.buffer, width_, height_, result.palette)));
        entry->setText(QStringLiteral("%1: %2").arg(result.palette).arg(result.score, 0, 'f', 3));
        entry->setEnabled(true);
    }
    status->setText(QStringLiteral("Ближе всего к картинке — палитра %1")
                        .arg(results_.empty() ? 0 : results_.front().palette));
    emit rankingDone();
}
