// "Подобрать палитру" through the real windows, and the score in the status bar.
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "convert/score.h"
#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "ui/paletterankingwindow.h"
#include "windowtest.h"

namespace {

TEST_F(WindowTest, PalettesAreRankedInTheBackgroundAndOneIsApplied) {
    QTemporaryDir folder;
    QImage picture(48, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 48; ++x) {
            picture.setPixel(x, y, qRgb(x * 5, 255 - y * 7, (x + y) * 3));
        }
    }
    const QString file = folder.filePath("p.bmp");
    tovik::writeFile(file, tovik::encodeBmp24(picture));
    dialogs->answers = {file};
    mainWindow()->menu.thresholdsImportAction->trigger();
    const QString expectedScore =
        QStringLiteral("оценка %1")
            .arg(tovik::conversionScore(doc().fittedPicture(), doc().buffer(), 48, 0), 0, 'f', 3);
    const auto scoreShows = [](const QString& text) {
        return QTest::qWaitFor([&] { return mainWindow()->scoreLabel->text() == text; }, 2000);
    };
    EXPECT_TRUE(scoreShows(expectedScore));

    PaletteRankingWindow& window = app().paletteRanking();
    QSignalSpy done(&window, &PaletteRankingWindow::rankingDone);
    mainWindow()->pickPaletteButton->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isRanking() || done.count() == 1);
    ASSERT_TRUE(done.count() == 1 || done.wait(10000));
    const auto& results = window.results();
    ASSERT_EQ(results.size(), 16u);
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(
            window.entries[i]->text(),
            QStringLiteral("%1: %2").arg(results[i].palette).arg(results[i].score, 0, 'f', 3));
        if (i > 0) {
            EXPECT_LE(results[i - 1].score, results[i].score);
        }
    }

    const auto& chosen = results[3];
    window.entries[3]->click();
    EXPECT_EQ(doc().palette(), chosen.palette);
    EXPECT_TRUE(doc().buffer() == chosen.buffer);
    EXPECT_EQ(doc().undoStack()->undoText(), "подбор палитры");
    EXPECT_TRUE(scoreShows(QStringLiteral("оценка %1").arg(chosen.score, 0, 'f', 3)));
    mainWindow()->menu.undoAction->trigger();
    EXPECT_EQ(doc().palette(), 0);
    EXPECT_TRUE(scoreShows(expectedScore));
}

TEST_F(WindowTest, NoPaletteIsPickedBeforeAPictureIsImported) {
    mainWindow()->menu.pickPaletteAction->trigger();
    EXPECT_FALSE(app().paletteRanking().isVisible());
    EXPECT_EQ(mainWindow()->statusLine->currentMessage(), "Сначала импортируйте картинку");
}

}  // namespace
