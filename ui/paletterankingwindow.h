#pragma once

#include <QFutureWatcher>
#include <QWidget>
#include <vector>

#include "convert/method.h"
#include "convert/paletteranking.h"

class QLabel;
class QScrollArea;
class QToolButton;

// Thumbnails show the picture's own pixels: at 1:1, or a picture smaller than this
// enlarged by the largest whole number that keeps its longer side within it.
constexpr int kSmallestThumbnail = 96;
int thumbnailScale(int width, int height);
// A conversion drawn in its palette at its thumbnail's scale, each pixel a square block.
QImage thumbnailImage(const tovik::PixelBuffer& buffer, int width, int height, int palette);

// "Подобрать палитру": the picture converted with each of the 16 palettes, shown as
// scrolling thumbnails from the closest to the picture (the lowest score) to the
// farthest, each with its palette number and score. The conversions run in the background; a click
// on a thumbnail asks for that palette and its conversion.
class PaletteRankingWindow : public QWidget {
    Q_OBJECT
public:
    explicit PaletteRankingWindow(const QWidget* owner);
    ~PaletteRankingWindow() override;

    // Ranks the palettes for the fitted picture by the method, in the background; a
    // ranking still running is forgotten.
    void rank(const tovik::MethodSettings& settings, const QImage& fitted, int pictureWidth,
              int pictureHeight);
    bool isRanking() const;
    // The last finished ranking, the closest first.
    const std::vector<tovik::PaletteScore>& results() const { return results_; }

    QLabel* status;                     // what the window is doing
    std::vector<QToolButton*> entries;  // the 16 thumbnails, in ranking order

signals:
    // A thumbnail was clicked: its entry of the ranking.
    void paletteChosen(const tovik::PaletteScore& chosen);
    void rankingDone();

private:
    void showResults();
    void fitThumbnails(int pictureWidth, int pictureHeight);

    QFutureWatcher<std::vector<tovik::PaletteScore>> watcher_;
    std::vector<tovik::PaletteScore> results_;
    QScrollArea* scroller_;
    int width_ = 0;
    int height_ = 0;
};
