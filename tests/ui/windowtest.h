#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/document.h"
#include "ui/aboutwindow.h"
#include "ui/application.h"
#include "ui/chunksettingswindow.h"
#include "ui/controls.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/floydsteinbergwindow.h"
#include "ui/mainwindow.h"
#include "ui/pictureview.h"
#include "ui/previewwindow.h"
#include "ui/thresholdswindow.h"

// Answers the program's dialogs from a queue and records what was asked and shown.
class FakeDialogs : public Dialogs {
public:
    std::deque<std::optional<QString>> answers;  // file dialog answers, nullopt = cancel
    std::vector<QString> asked;                  // names of the file dialogs shown
    std::vector<FileDialog> dialogsShown;
    std::vector<std::pair<QString, QString>> messages;  // caption, text
    std::vector<QString> errors;
    std::vector<QString> startFiles;  // the file each dialog would start on

    std::optional<QString> openFile(const FileDialog& dialog) override { return answer(dialog); }
    std::optional<QString> saveFile(const FileDialog& dialog) override { return answer(dialog); }
    void message(const QString& caption, const QString& text) override {
        messages.emplace_back(caption, text);
    }
    void error(const QString& text) override { errors.push_back(text); }
    std::deque<Answer> questionAnswers;  // answers to questions, Cancel when none is left
    std::vector<QString> questions;
    Answer ask(const QString&, const QString& text) override {
        questions.push_back(text);
        if (questionAnswers.empty()) {
            return Answer::Cancel;
        }
        const Answer next = questionAnswers.front();
        questionAnswers.pop_front();
        return next;
    }

    // The answer of "Заменить цвет…", and what it was opened with.
    std::optional<ColourReplacement> replacement;
    std::vector<ColourReplacement> replacementsAsked;
    std::optional<ColourReplacement> replaceColour(const ColourReplacement& initial, int,
                                                   bool) override {
        replacementsAsked.push_back(initial);
        return replacement;
    }

private:
    std::optional<QString> answer(const FileDialog& dialog) {
        asked.push_back(dialog.name);
        dialogsShown.push_back(dialog);
        startFiles.push_back(lastGoodChoice(dialog.name));
        if (answers.empty()) {
            return std::nullopt;
        }
        auto next = answers.front();
        answers.pop_front();
        if (next) {
            noteChoice(dialog.name, *next);
        }
        return next;
    }
};

// The program of the running test.
Desktop& app();
inline tovik::PictureDocument& doc() {
    return app().document();
}
inline MainWindow* mainWindow() {
    return &app().mainWindow();
}
inline PreviewWindow* preview() {
    return &app().preview();
}
inline AboutWindow* about() {
    return &app().about();
}
inline ThresholdsWindow* thresholdsWindow() {
    return &app().thresholds();
}
inline FloydSteinbergWindow* fsWindow() {
    return &app().floydSteinberg();
}
inline ChunkSettingsWindow* chunkWindow() {
    return &app().chunkSettings();
}

// Changes one buffer entry behind the document's back, as no command does: the picture
// is not redrawn and no undo step is made.
void setEntry(int index, int value);
// Clears the buffer the same way.
void clearEntries();
// Gives the document a picture as an import would, keeping the height maximum.
void givePicture(const QImage& picture);

// Creates the program fresh for each test, as it starts, with the dialogs answered by a
// FakeDialogs.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static QRgb viewPixel(int x, int y) {
        return mainWindow()->view->image()->bitmap().pixel(x, y);
    }

    // The top rows of the buffer, one string of indices per row, at the current width.
    static std::vector<std::string> bufferRows(int rows) {
        const int w = doc().width();
        std::vector<std::string> result;
        for (int y = 0; y < rows; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                row += static_cast<char>('0' + doc().buffer().at(x + y * w));
            }
            result.push_back(row);
        }
        return result;
    }
    static QRgb workingPixel(int x, int y) { return doc().workingBitmap().pixel(x, y); }

    // Chooses a palette as the user does: the list drops down, an entry is picked.
    static void choosePalette(int index);

    FakeDialogs* dialogs = nullptr;
};
