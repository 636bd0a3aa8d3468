// The recovery file through the windows: written while work is unsaved, gone after a
// save or a normal quit, offered at the next start.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "document/recovery.h"
#include "picture/fileio.h"
#include "windowtest.h"

namespace {

using Answer = Dialogs::Answer;

class RecoveryWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        path = app().recovery().path();
        QFile::remove(path);
        QFile::remove(path + ".damaged");
    }
    void TearDown() override {
        WindowTest::TearDown();
        QFile::remove(path);
        QFile::remove(path + ".damaged");
    }

    static void paint(int colour, int x, int y) {
        mainWindow()->colourGrid->selectColumn(colour);
        mainWindow()->paintAt(Qt::LeftButton, x * 8 + 3, y * 8 + 3);
    }
    bool waitForFile(bool exists) {
        return QTest::qWaitFor(
            [&] {
                app().recovery().flush();
                return QFile::exists(path) == exists;
            },
            tovik::RecoveryKeeper::kDelayMs + 3000);
    }

    QString path;
};

TEST_F(RecoveryWindowTest, UnsavedWorkIsWrittenAsideUntilSavedOrQuit) {
    paint(3, 5, 6);
    EXPECT_FALSE(QFile::exists(path));  // never while painting
    ASSERT_TRUE(waitForFile(true));
    EXPECT_EQ(tovik::readRecovery(path).project.pixels.at(5 + 6 * 64), 3);

    QTemporaryDir folder;
    dialogs->answers = {folder.filePath("saved.bip")};
    mainWindow()->menu.saveProjectAction->trigger();
    EXPECT_FALSE(QFile::exists(path));

    paint(2, 1, 1);
    ASSERT_TRUE(waitForFile(true));
    dialogs->questionAnswers = {Answer::Cancel};
    mainWindow()->menu.quitAction->trigger();  // stays open: the work stays aside
    EXPECT_TRUE(QFile::exists(path));
    dialogs->questionAnswers = {Answer::No};
    mainWindow()->menu.quitAction->trigger();
    EXPECT_FALSE(mainWindow()->isVisible());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(RecoveryWindowTest, TheNextStartOffersTheWork) {
    tovik::PictureDocument lost;
    lost.setPictureSize(40, 24);
    lost.setPalette(12);
    lost.paintPixel(39, 23, 2);
    const QByteArray work = encodeRecovery(lost.state(), {});
    const struct {
        const char* name;
        QByteArray file;
        std::optional<Answer> answer;  // nothing: no question
        bool restored;
        bool kept;  // the recovery file is still there
    } cases[] = {
        {"Да", work, Answer::Yes, true, true},
        {"Нет", work, Answer::No, false, false},
        {"Отмена", work, Answer::Cancel, false, true},
        {"damaged", work.left(200), std::nullopt, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        tovik::writeFile(path, c.file);
        dialogs->questionAnswers = {c.answer.value_or(Answer::Cancel)};
        app().show();
        EXPECT_EQ(dialogs->questions, c.answer ? std::vector<QString>{"Восстановить несохранённую "
                                                                      "работу?"}
                                               : std::vector<QString>{});
        EXPECT_EQ(doc().width(), c.restored ? 40 : 64);
        EXPECT_EQ(doc().palette(), c.restored ? 12 : 0);
        EXPECT_EQ(doc().buffer(), c.restored ? lost.buffer() : tovik::PixelBuffer());
        EXPECT_EQ(doc().isModified(), c.restored);
        EXPECT_EQ(mainWindow()->windowTitle(), c.restored ? "Tovik Images*" : "Tovik Images");
        EXPECT_EQ(QFile::exists(path), c.kept);
        if (c.answer) {
            EXPECT_TRUE(dialogs->errors.empty());
        } else {
            ASSERT_EQ(dialogs->errors.size(), 1u);
            EXPECT_EQ(dialogs->errors[0],
                      QStringLiteral("Файл восстановления %1 повреждён: контрольная сумма не "
                                     "сходится, файл записан не до конца. Он отложен как "
                                     "%1.damaged; программа начинает с пустой картинки.")
                          .arg(path));
            EXPECT_EQ(tovik::readFile(path + ".damaged"), c.file);
        }
    }
}

}  // namespace
