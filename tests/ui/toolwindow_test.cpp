// A new tool window needs only its controls and one registration: "Просмотр", the live
// conversions and the presets come from the ToolWindow base and ImportCommands.
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "ui/liveconverter.h"
#include "ui/toolwindow.h"
#include "windowtest.h"

namespace {

class TrialWindow : public ToolWindow {
public:
    TrialWindow() {
        makePreviewButton("PreviewButton", {});
        makeLiveBox(false, {});
        makePresetButtons({}, {});
    }
    tovik::MethodSettings methodSettings() const override { return chosen; }
    bool applyMethod(const tovik::MethodSettings& method) override {
        const auto* given = std::get_if<tovik::ThresholdSettings>(&method);
        if (given != nullptr) {
            chosen = *given;
        }
        return given != nullptr;
    }
    void choose(int first) {
        chosen.t[0] = first;
        emit settingsChanged();
    }

    tovik::ThresholdSettings chosen;
};

// The buffer the window's settings give for the loaded picture, undone at once.
tovik::PixelBuffer convertedBy(const tovik::ThresholdSettings& settings) {
    doc().convert(settings);
    const tovik::PixelBuffer buffer = doc().buffer();
    doc().undoStack()->undo();
    return buffer;
}

TEST_F(WindowTest, ANewToolWindowConvertsGoesLiveAndKeepsPresetsByOneRegistration) {
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(qRgb(30, 60, 250));
    for (int x = 0; x < 24; ++x) {
        picture.setPixel(x, x % 16, qRgb(x * 10, 200 - x * 8, 90));
    }
    givePicture(picture);
    auto& window = static_cast<TrialWindow&>(
        *app().addToolWindow(std::make_unique<TrialWindow>(), 9, QStringLiteral("проба")));
    QUndoStack* stack = doc().undoStack();

    window.chosen.t[1] = 40;
    const tovik::PixelBuffer expected = convertedBy(window.chosen);
    const int start = stack->index();
    window.previewButton->click();
    EXPECT_EQ(stack->undoText(), "проба");
    EXPECT_EQ(stack->index(), start + 1);
    EXPECT_EQ(doc().buffer(), expected);

    window.choose(10);  // not live: nothing happens
    QTest::qWait(LiveConverter::kFrameMs + 10);
    EXPECT_EQ(stack->index(), start + 1);
    window.setLive(true);
    for (int first : {20, 30, 200}) {  // one drag: one step, the last settings
        window.choose(first);
        QTest::qWait(LiveConverter::kFrameMs + 10);
    }
    emit window.adjustmentFinished();  // let go: a conversion still waiting runs now
    EXPECT_EQ(stack->index(), start + 2);
    EXPECT_EQ(doc().buffer(), convertedBy(window.chosen));

    QTemporaryDir folder;
    const QString preset = folder.filePath("trial.json");
    dialogs->answers = {preset};
    window.savePresetButton->click();
    window.chosen = {};
    dialogs->answers = {preset};
    window.loadPresetButton->click();
    EXPECT_EQ(window.chosen.t[0], 200);
    EXPECT_EQ(window.chosen.t[1], 40);
    EXPECT_TRUE(dialogs->errors.empty());
}

}  // namespace
