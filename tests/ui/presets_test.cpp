// A preset saved in each tool window gives the batch program the bytes that window's
// conversion gives; a preset of another method is refused by a window.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <functional>

#include "convert/preset.h"
#include "picture/fileio.h"
#include "ui/palettewindow.h"
#include "windowtest.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(WindowTest, APresetFromEachWindowGivesTheBatchProgramTheWindowsBytes) {
    QTemporaryDir folder;
    QImage picture(60, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            picture.setPixel(x, y, qRgb(x * 4, y * 6, 255 - x * 3));
        }
    }
    const QString source = folder.filePath("p.png");
    ASSERT_TRUE(picture.save(source, "png"));
    struct Case {
        const char* name;
        std::function<void()> tune;        // the window's settings, not the defaults
        std::function<QWidget*()> window;  // where the preset buttons are
        std::function<void()> convert;     // the window's own conversion
    };
    const auto answer = [this, source] { dialogs->answers = {source}; };
    const Case cases[] = {
        {"thresholds",
         [] {
             thresholdsWindow()->thresholdBars[3]->setValue(20),
                 thresholdsWindow()->toningBox->setChecked(true);
         },
         [] { return thresholdsWindow(); },
         [&] { answer(), mainWindow()->menu.thresholdsImportAction->trigger(); }},
        {"floyd-steinberg",
         [] {
             fsWindow()->thresholdBar->setValue(140), fsWindow()->monochromeBox->setChecked(false);
         },
         [] { return fsWindow(); },
         [&] {
             answer(), mainWindow()->menu.floydSteinbergImportAction->trigger(),
                 fsWindow()->previewButton->click();
         }},
        {"chunks",
         [] {
             chunkWindow()->colourEdits[0][0]->setText("90"),
                 chunkWindow()->toningBox->setChecked(true);
         },
         [] { return chunkWindow(); },
         [&] { answer(), mainWindow()->menu.chunkImportAction->trigger(); }},
        {"diffusion",
         [] {
             app().paletteWindow().kernelBox->setCurrentIndex(2),
                 app().paletteWindow().serpentineBox->setChecked(true);
         },
         [] { return &app().paletteWindow(); },
         [&] { answer(), mainWindow()->menu.paletteImportAction->trigger(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        choosePalette(9);
        c.tune();
        const QString preset = folder.filePath(QStringLiteral("%1.json").arg(c.name));
        dialogs->answers = {preset};
        c.window()->findChild<QPushButton*>("SavePresetButton")->click();
        ASSERT_TRUE(dialogs->errors.empty()) << dialogs->errors[0].toStdString();
        EXPECT_EQ(tovik::methodName(tovik::readPreset(preset).method), c.name);

        c.convert();
        const QString ours = folder.filePath(QStringLiteral("%1-window.bip").arg(c.name));
        dialogs->answers = {ours};
        mainWindow()->menu.saveProjectAction->trigger();
        const QString theirs = folder.filePath(QStringLiteral("%1-batch.bip").arg(c.name));
        QProcess batch;
        batch.start(TOVIK_CLI_PATH, {"convert", source, "--preset", preset, "-o", theirs});
        ASSERT_TRUE(batch.waitForFinished(30000));
        ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
        EXPECT_EQ(readAll(ours), readAll(theirs));
        EXPECT_FALSE(readAll(ours).isEmpty());
    }
}

TEST_F(WindowTest, AWindowRefusesAPresetOfAnotherMethodAndLoadsItsOwn) {
    QTemporaryDir folder;
    const QString ordered = folder.filePath("o.json");
    tovik::writePreset(ordered, {tovik::OrderedSettings{8}, 3, false});
    dialogs->answers = {ordered};
    fsWindow()->findChild<QPushButton*>("LoadPresetButton")->click();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(
        dialogs->errors[0],
        QStringLiteral("Preset %1 holds the settings of ordered, not of this window").arg(ordered));
    EXPECT_EQ(doc().palette(), 0);

    dialogs->answers = {ordered};
    app().paletteWindow().findChild<QPushButton*>("LoadPresetButton")->click();
    EXPECT_EQ(app().paletteWindow().settings(), tovik::MethodSettings(tovik::OrderedSettings{8}));
    EXPECT_EQ(doc().palette(), 3);
}

}  // namespace
