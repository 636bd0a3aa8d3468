#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"

// Answers the program's dialogs from a queue and records what was asked and shown.
class FakeDialogs : public Dialogs {
public:
    std::deque<std::optional<QString>> answers;  // file dialog answers, nullopt = cancel
    std::vector<QString> asked;                  // names of the file dialogs shown
    std::vector<FileDialog> dialogsShown;
    std::vector<std::pair<QString, QString>> messages;  // caption, text
    std::vector<QString> errors;

    std::optional<QString> openFile(const FileDialog& dialog) override { return answer(dialog); }
    std::optional<QString> saveFile(const FileDialog& dialog) override { return answer(dialog); }
    void message(const QString& caption, const QString& text) override {
        messages.emplace_back(caption, text);
    }
    void error(const QString& text) override { errors.push_back(text); }

private:
    std::optional<QString> answer(const FileDialog& dialog) {
        asked.push_back(dialog.name);
        dialogsShown.push_back(dialog);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto next = answers.front();
        answers.pop_front();
        return next;
    }
};

// Creates the six windows fresh for each test, as the program starts, with the dialogs
// answered by a FakeDialogs.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::createForms();
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        Form1->setDialogs(std::move(fake));
        Form1->show();
    }
    void TearDown() override { Application::destroyForms(); }

    static QRgb viewPixel(int x, int y) { return Form1->Image1->bitmap().pixel(x, y); }

    // The top rows of the buffer, one string of indices per row, at the current width.
    static std::vector<std::string> bufferRows(int rows) {
        const int w = Form1->pictureWidth();
        std::vector<std::string> result;
        for (int y = 0; y < rows; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                row += static_cast<char>('0' + Form1->PixelBuffer.at(x + y * w));
            }
            result.push_back(row);
        }
        return result;
    }
    static QRgb workingPixel(int x, int y) { return Form1->Image2.pixel(x, y); }

    // Chooses a palette as the user does: the list drops down, an entry is picked.
    static void choosePalette(int index);

    FakeDialogs* dialogs = nullptr;
};
