// Undo and redo through the real windows: every kind of step, undone to the start and
// redone to the end, and the question before unsaved work would be lost.
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <functional>

#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "picture/projectfile.h"
#include "windowtest.h"

namespace {

class UndoTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        // The very first grid differs from every later one (its line 0 is black); start
        // from a drawn view, as the user meets it after the first change.
        mainWindow()->redrawView();
    }

    QString picture(const QString& name, int width, QRgb left, QRgb right) {
        QImage image(width, 24, QImage::Format_RGB32);
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                image.setPixel(x, y, x < 20 ? left : (y % 3 == 0 ? right : qRgb(x * 6, y * 9, 90)));
            }
        }
        const QString file = folder.filePath(name);
        tovik::writeFile(file, tovik::encodeBmp24(image));
        return file;
    }

    QTemporaryDir folder;
};

// What the user sees and what the files would hold.
struct Shown {
    tovik::PixelBuffer buffer;
    int width, height, palette;
    QImage working, view, preview;
    bool operator==(const Shown&) const = default;
};

Shown shown() {
    return {doc().buffer(),
            doc().width(),
            doc().height(),
            doc().palette(),
            doc().workingBitmap(),
            mainWindow()->view->image()->bitmap(),
            preview()->image->bitmap()};
}

void click(Qt::MouseButton button, int x, int y) {
    mainWindow()->paintAt(button, x, y);
}

TEST_F(UndoTest, EveryStepUndoesToTheStartAndRedoesToTheEnd) {
    const QString first = picture("first.bmp", 40, qRgb(255, 0, 0), qRgb(255, 255, 255));
    const QString second = picture("second.bmp", 48, qRgb(0, 0, 255), qRgb(0, 255, 0));
    const QString cga = picture("cga.bmp", 32, qRgb(255, 0, 255), qRgb(0, 255, 255));
    const QString strip = folder.filePath("strip.raw");
    tovik::writeFile(strip, QByteArray("\x81\x42\x24\x18", 4));
    tovik::PixelBuffer pattern;
    for (int i = 0; i < 48 * 20; ++i) {
        pattern.set(i, i % 7);
    }
    const QString project = folder.filePath("saved.bip");
    tovik::writeFile(project, tovik::encodeProject(pattern, 48, 20, 9));

    struct Action {
        const char* step;  // the undo item's caption for it
        std::function<void()> run;
    };
    auto answer = [this](const QString& file) { dialogs->answers = {file}; };
    const Action actions[] = {
        {"рисование",
         [] { mainWindow()->colourGrid->selectColumn(3), click(Qt::LeftButton, 15, 9); }},
        {"палитра", [] { choosePalette(6); }},
        {"рисование", [] { click(Qt::RightButton, 15, 9); }},
        {"ширина", [] { mainWindow()->widthEdit->stepBy(1); }},
        {"высота", [] { mainWindow()->heightEdit->stepBy(-3); }},
        {"палитра", [] { choosePalette(2); }},  // the same bytes with the new stride
        {"Пороги", [&] { answer(first), mainWindow()->menu.thresholdsImportAction->trigger(); }},
        {"Пороги",
         [] {
             thresholdsWindow()->toningBox->setChecked(true),
                 thresholdsWindow()->previewButton->click();
         }},
        {"рисование",
         [] { mainWindow()->colourGrid->selectColumn(1), click(Qt::LeftButton, 5, 5); }},
        {"Флойд-Стейнберг",
         [&] { answer(second), mainWindow()->menu.floydSteinbergImportAction->trigger(); }},
        {"Флойд-Стейнберг", [] { fsWindow()->previewButton->click(); }},
        {"Флойд-Стейнберг", [] { fsWindow()->previewButton->click(); }},  // diffuses on
        {"Чанки", [&] { answer(first), mainWindow()->menu.chunkImportAction->trigger(); }},
        {"Чанки",
         [] { chunkWindow()->toningBox->setChecked(true), chunkWindow()->previewButton->click(); }},
        {"CGA_BWCM", [&] { answer(cga), mainWindow()->menu.cgaImportAction->trigger(); }},
        {"Tovik_IMG", [&] { answer(strip), mainWindow()->menu.rawStripImportAction->trigger(); }},
        {"открытие проекта",
         [&] {
             answer(project), dialogs->questionAnswers = {Dialogs::Answer::No},
                              mainWindow()->menu.openProjectAction->trigger();
         }},
        {"ширина", [] { mainWindow()->widthEdit->stepBy(-1); }},
    };
    std::vector<Shown> states{shown()};
    const QUndoStack* stack = doc().undoStack();
    for (const Action& action : actions) {
        action.run();
        ASSERT_TRUE(dialogs->errors.empty())
            << action.step << ": " << dialogs->errors[0].toStdString();
        ASSERT_EQ(mainWindow()->menu.undoAction->text(),
                  QStringLiteral("Отменить: %1").arg(action.step));
        ASSERT_EQ(stack->index(), static_cast<int>(states.size())) << action.step;
        states.push_back(shown());
        ASSERT_FALSE(states.back() == states[states.size() - 2]) << action.step;
    }
    for (size_t i = states.size() - 1; i > 0; --i) {
        SCOPED_TRACE(actions[i - 1].step);
        mainWindow()->menu.undoAction->trigger();
        EXPECT_TRUE(shown() == states[i - 1]) << "undone to " << i - 1;
    }
    EXPECT_FALSE(mainWindow()->menu.undoAction->isEnabled());
    EXPECT_EQ(mainWindow()->menu.undoAction->text(), "Отменить");
    for (size_t i = 1; i < states.size(); ++i) {
        SCOPED_TRACE(actions[i - 1].step);
        mainWindow()->menu.redoAction->trigger();
        EXPECT_TRUE(shown() == states[i]) << "redone to " << i;
    }
    EXPECT_FALSE(mainWindow()->menu.redoAction->isEnabled());
}

TEST_F(UndoTest, TheShortcutsAreTheUsualOnes) {
    EXPECT_EQ(mainWindow()->menu.undoAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(mainWindow()->menu.redoAction->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
}

TEST_F(UndoTest, ANewStepAfterAnUndoDropsTheUndoneOnes) {
    click(Qt::LeftButton, 3, 3);
    mainWindow()->colourGrid->selectColumn(2);
    click(Qt::LeftButton, 11, 3);
    mainWindow()->menu.undoAction->trigger();
    choosePalette(4);
    EXPECT_FALSE(mainWindow()->menu.redoAction->isEnabled());
    mainWindow()->menu.undoAction->trigger();
    EXPECT_EQ(doc().palette(), 0);
    EXPECT_EQ(doc().buffer().at(1), 0);
}

// The question before quitting over unsaved work, answered each way.
TEST_F(UndoTest, QuittingOverUnsavedWorkAsksFirst) {
    using Answer = Dialogs::Answer;
    struct Case {
        const char* name;
        std::optional<Answer> answer;  // nothing: no question is expected
        bool change;
        std::optional<QString> saveAs;  // the save dialog's answer after "Да"
        bool quits;
        bool saved;
    };
    const QString file = folder.filePath("work.bip");
    const Case cases[] = {
        {"nothing changed", std::nullopt, false, std::nullopt, true, false},
        {"Отмена", Answer::Cancel, true, std::nullopt, false, false},
        {"Нет", Answer::No, true, std::nullopt, true, false},
        {"Да, save cancelled", Answer::Yes, true, std::nullopt, false, false},
        {"Да", Answer::Yes, true, file, true, true},
        {"Да, save failed", Answer::Yes, true, folder.filePath("no/such/folder/w.bip"), false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        QFile::remove(file);
        if (c.change) {
            click(Qt::LeftButton, 9, 9);
            mainWindow()->colourGrid->selectColumn(1);
            click(Qt::LeftButton, 9, 9);
        }
        EXPECT_EQ(mainWindow()->windowTitle(), c.change ? "Tovik Images*" : "Tovik Images");
        if (c.answer) {
            dialogs->questionAnswers = {*c.answer};
        }
        dialogs->answers = {c.saveAs};
        mainWindow()->menu.quitAction->trigger();
        EXPECT_EQ(dialogs->questions,
                  c.answer ? std::vector<QString>{"Сохранить изменения?"} : std::vector<QString>{});
        EXPECT_EQ(mainWindow()->isVisible(), !c.quits);
        EXPECT_EQ(QFile::exists(file), c.saved);
        EXPECT_EQ(dialogs->errors.size(), c.saveAs && !c.saved ? 1u : 0u);
        if (c.saved) {
            EXPECT_EQ(mainWindow()->windowTitle(), "work.bip — Tovik Images");
            EXPECT_EQ(tovik::readProject(file).pixels.at(1 + 64), 1);
        }
    }
}

// Opening a project, by the menu or by a drop, over unsaved work asks as quitting does:
// "Да" saves to the project's own file, or through the save dialog when it has none.
TEST_F(UndoTest, OpeningAProjectOverUnsavedWorkAsksFirst) {
    using Answer = Dialogs::Answer;
    const QString other = folder.filePath("other.bip");
    tovik::writeFile(other, tovik::encodeProject(tovik::PixelBuffer(), 8, 8, 9));
    const QString own = folder.filePath("own.bip");
    const QString fresh = folder.filePath("new.bip");
    struct Case {
        const char* name;
        bool drop;
        bool named;                    // saved as own.bip before the change
        std::optional<Answer> answer;  // nothing: nothing changed, no question
        bool opens;
        std::vector<QString> dialogs;  // the file dialogs shown
        const char* painted;           // the file that holds the painted pixel, if any
    };
    const Case cases[] = {
        {"unchanged", false, false, std::nullopt, true, {"OpenDialog1"}, nullptr},
        {"Отмена, menu", false, false, Answer::Cancel, false, {"OpenDialog1"}, nullptr},
        {"Отмена, drop", true, true, Answer::Cancel, false, {}, nullptr},
        {"Нет, menu", false, true, Answer::No, true, {"OpenDialog1"}, nullptr},
        {"Нет, drop", true, false, Answer::No, true, {}, nullptr},
        {"Да, new work",
         false,
         false,
         Answer::Yes,
         true,
         {"OpenDialog1", "SaveDialog2"},
         "new.bip"},
        {"Да, own file", true, true, Answer::Yes, true, {}, "own.bip"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        QFile::remove(own);
        QFile::remove(fresh);
        if (c.named) {
            dialogs->answers = {own};
            mainWindow()->menu.saveProjectAction->trigger();
            dialogs->asked.clear();
        }
        if (c.answer) {
            mainWindow()->colourGrid->selectColumn(1);
            click(Qt::LeftButton, 9, 9);
            dialogs->questionAnswers = {*c.answer};
        }
        const int steps = doc().undoStack()->index();
        if (c.drop) {
            dialogs->answers = {fresh};
            emit mainWindow()->fileDropped(other);
        } else {
            dialogs->answers = {other, fresh};
            mainWindow()->menu.openProjectAction->trigger();
        }
        EXPECT_EQ(dialogs->questions,
                  c.answer ? std::vector<QString>{"Сохранить изменения?"} : std::vector<QString>{});
        EXPECT_EQ(dialogs->asked, c.dialogs);
        EXPECT_TRUE(dialogs->errors.empty());
        EXPECT_EQ(doc().palette(), c.opens ? 9 : 0);
        if (c.opens) {
            EXPECT_EQ(mainWindow()->windowTitle(), "other.bip — Tovik Images");
        } else {
            EXPECT_EQ(doc().buffer().at(1 + 64), 1);
            EXPECT_EQ(doc().undoStack()->index(), steps);
            EXPECT_EQ(mainWindow()->windowTitle(),
                      c.named ? "own.bip* — Tovik Images" : "Tovik Images*");
        }
        EXPECT_EQ(QFile::exists(fresh), c.painted == QStringLiteral("new.bip"));
        if (c.painted) {
            EXPECT_EQ(tovik::readProject(folder.filePath(c.painted)).pixels.at(1 + 64), 1);
        }
        if (c.named && !c.painted) {
            EXPECT_EQ(tovik::readProject(own).pixels.at(1 + 64), 0);
        }
    }
}

TEST_F(UndoTest, TheTitleFollowsSavesAndUndo) {
    const QString file = folder.filePath("p.bip");
    mainWindow()->colourGrid->selectColumn(2);
    click(Qt::LeftButton, 9, 9);
    dialogs->answers = {file};
    mainWindow()->menu.saveProjectAction->trigger();
    EXPECT_EQ(mainWindow()->windowTitle(), "p.bip — Tovik Images");
    choosePalette(3);
    EXPECT_EQ(mainWindow()->windowTitle(), "p.bip* — Tovik Images");
    mainWindow()->menu.undoAction->trigger();
    EXPECT_EQ(mainWindow()->windowTitle(), "p.bip — Tovik Images");
    mainWindow()->menu.undoAction->trigger();  // before the save: changed again
    EXPECT_EQ(mainWindow()->windowTitle(), "p.bip* — Tovik Images");
}

}  // namespace
