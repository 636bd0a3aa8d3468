// "Подобрать палитру" through the real windows, and the score in the status bar.
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "convert/palettesearch.h"
#include "convert/score.h"
#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "ui/paletterankingwindow.h"
#include "ui/palettewindow.h"
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

// "Уточнить": the diffusion shows at once, the refinement follows in the background into
// the same undo step and gives the core's search bytes; a change while it runs cancels it.
TEST_F(WindowTest, TheRefinementFollowsInTheConversionsUndoStepOrIsCancelled) {
    QTemporaryDir folder;
    QImage picture(256, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 256; ++x) {
            picture.setPixel(x, y, qRgb(x, 40 + y, 200 - x / 2));
        }
    }
    const QString file = folder.filePath("p.bmp");
    tovik::writeFile(file, tovik::encodeBmp24(picture));
    PaletteWindow& window = app().paletteWindow();
    window.liveBox->setChecked(false);
    window.refineBox->setChecked(true);
    dialogs->answers = {file};
    mainWindow()->menu.paletteImportAction->trigger();
    const int steps = doc().undoStack()->count();
    const auto diffusion = [](const tovik::DiffusionSettings& settings) {
        tovik::PixelBuffer buffer;
        tovik::convertDiffusion(doc().fittedPicture(), settings, 0, doc().width(), buffer);
        return buffer;
    };
    auto search = std::get<tovik::SearchSettings>(window.settings());
    tovik::PixelBuffer searched;
    tovik::convertSearch(doc().fittedPicture(), search, 0, doc().width(), searched);
    EXPECT_TRUE(doc().buffer() == diffusion(search.start));  // at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc().buffer() == searched; }, 30000));
    EXPECT_EQ(doc().undoStack()->count(), steps);
    EXPECT_EQ(mainWindow()->statusLine->currentMessage(), "Уточнено");
    mainWindow()->menu.undoAction->trigger();
    EXPECT_EQ(doc().undoStack()->index(), steps - 1);
    mainWindow()->menu.redoAction->trigger();
    EXPECT_TRUE(doc().buffer() == searched);

    // Another search, then a change while it is refined: the change stays, the search's
    // step keeps its diffusion, and no step is added.
    window.strengthBar->setValue(80);
    window.previewButton->click();
    search.start.strength = 80;
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return mainWindow()->statusLine->currentMessage().startsWith("Уточнение:"); },
        5000));
    window.refineBox->setChecked(false);
    window.strengthBar->setValue(60);
    window.previewButton->click();
    QTest::qWait(500);
    search.start.strength = 60;
    EXPECT_TRUE(doc().buffer() == diffusion(search.start));
    EXPECT_EQ(doc().undoStack()->count(), steps + 2);
    mainWindow()->menu.undoAction->trigger();
    search.start.strength = 80;
    EXPECT_TRUE(doc().buffer() == diffusion(search.start));
}
