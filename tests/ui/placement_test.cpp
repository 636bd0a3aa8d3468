// Windows that never hide each other, imports that show the whole picture, and files
// brought in by drop, paste and dialog without risk to the user's own.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "ui/paletterankingwindow.h"
#include "ui/palettewindow.h"
#include "ui/placement.h"
#include "windowtest.h"

namespace {

TEST(Placement, AWindowGoesWhereItHidesNoOther) {
    const QRect screen(0, 0, 1366, 768);
    const QRect controls(400, 0, 800, 100);
    const QRect picture(400, 100, 800, 600);
    const QRect tool(0, 0, 400, 300);
    struct Case {
        const char* what;
        QSize size;
        QPoint current;
        Obstacles others;
        QPoint expected;
    };
    const Case cases[] = {
        {"its own place when free", {300, 200}, {10, 50}, {{controls}, {picture}}, {10, 50}},
        {"right of the main window", {150, 200}, {500, 100}, {{controls}, {picture}}, {1200, 100}},
        {"left of it when the right is full",
         {300, 200},
         {500, 100},
         {{controls}, {picture}},
         {100, 100}},
        {"below a tool window", {300, 200}, {500, 100}, {{controls, tool}, {picture}}, {0, 300}},
        {"clamped onto the screen", {300, 200}, {-50, 700}, {}, {0, 568}},
        {"over the picture rather than the controls",
         {300, 200},
         {100, 50},
         {{{0, 0, 1366, 100}}, {{0, 100, 1366, 668}}},
         {1066, 100}},
        {"the least covered spot when every one covers controls",
         {700, 700},
         {0, 0},
         {{{0, 0, 1366, 100}, {0, 100, 683, 668}}, {}},
         {666, 68}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(freeSpot(c.size, c.current, c.others, screen), c.expected) << c.what;
    }
}

class WindowPlacementTest : public WindowTest {
protected:
    QString picture(const QString& name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(200, 40, 40));
        const QString file = folder.filePath(name);
        tovik::writeFile(file, tovik::encodeBmp24(image));
        return file;
    }
    QTemporaryDir folder;
};

// "Палитра…" shows the whole result: the view at ×4 and the preview beside the palette
// window, neither over the other, both on the screen; the ranking joins them the same way.
TEST_F(WindowPlacementTest, PaletteImportShowsWholeResultBesideItsWindow) {
    ASSERT_EQ(doc().viewScale(), 8);
    dialogs->answers = {picture("a.bmp", 64, 48)};
    mainWindow()->menu.paletteImportAction->trigger();
    ASSERT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(doc().viewScale(), 4);
    const QRect available = preview()->screen()->availableGeometry();
    const QWidget* palette = &app().paletteWindow();
    ASSERT_TRUE(preview()->isVisible() && palette->isVisible());
    EXPECT_FALSE(outerRect(preview()).intersects(outerRect(palette)));
    mainWindow()->menu.pickPaletteAction->trigger();
    const QWidget* ranking = &app().paletteRanking();
    ASSERT_TRUE(ranking->isVisible());
    for (const QWidget* window : {palette, static_cast<const QWidget*>(preview()), ranking}) {
        EXPECT_TRUE(available.contains(outerRect(window))) << window->objectName().toStdString();
    }
    // The menu and tool bar stay clear.
    const QRect main = outerRect(mainWindow());
    const QRect controls(main.topLeft(),
                         QPoint(main.right(), mainWindow()->view->mapToGlobal(QPoint()).y() - 1));
    for (const QWidget* window : {palette, static_cast<const QWidget*>(preview()), ranking}) {
        EXPECT_FALSE(outerRect(window).intersects(controls)) << window->objectName().toStdString();
    }
}

// A file manager proposing "move" is answered with a copy, so it never deletes the file.
TEST_F(WindowPlacementTest, ADropIsAlwaysACopy) {
    const QString file = picture("moved.bmp", 20, 10);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPoint at = mainWindow()->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(enter.proposedAction(), Qt::MoveAction);
    QCoreApplication::sendEvent(mainWindow(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent dropped(QPointF(at), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(mainWindow(), &dropped);
    EXPECT_EQ(dropped.dropAction(), Qt::CopyAction);
    EXPECT_EQ(doc().width(), 20);
    EXPECT_TRUE(QFileInfo(file).isFile());
}

// A path copied as text imports as a drop of the file does; other text changes nothing.
TEST_F(WindowPlacementTest, APastedPathImportsItsFile) {
    struct Case {
        QString text;
        int width;  // the picture's width after the paste
    };
    const QString plain = picture("plain.bmp", 24, 8);
    const QString url = picture("url.bmp", 32, 8);
    const Case cases[] = {
        {"  " + plain + "\n", 24},
        {QUrl::fromLocalFile(url).toString(), 32},
        {folder.filePath("missing.bmp"), 32},
        {folder.path(), 32},
        {"kitten", 32},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText(c.text);
        mainWindow()->menu.pasteAction->trigger();
        EXPECT_EQ(doc().width(), c.width) << c.text.toStdString();
    }
    EXPECT_EQ(doc().undoStack()->index(), 2);
    EXPECT_TRUE(dialogs->errors.empty());
}

// A save that failed is not remembered: the dialog opens again on the last good file.
TEST_F(WindowPlacementTest, AFailedSaveIsNotWhereTheDialogReopens) {
    const QString good = folder.filePath("good.bip");
    dialogs->answers = {good, QStringLiteral("/proc/x.bip"), std::nullopt};
    for (int i = 0; i < 3; ++i) {
        mainWindow()->menu.saveProjectAction->trigger();
    }
    ASSERT_TRUE(QFileInfo(good).isFile());
    ASSERT_EQ(dialogs->errors.size(), 1u);
    ASSERT_EQ(dialogs->startFiles.size(), 3u);
    EXPECT_EQ(dialogs->startFiles[1], good);
    EXPECT_EQ(dialogs->startFiles[2], good);
}

// The closed palette list shows "15" whole, and the buttons after it stay clear of it.
TEST_F(WindowPlacementTest, EveryPaletteNumberShowsWholeInTheClosedList) {
    const QComboBox* list = mainWindow()->paletteList;
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    EXPECT_GE(field.width(),
              list->iconSize().width() + 4 + list->fontMetrics().horizontalAdvance("15"));
    EXPECT_LT(list->geometry().right(), mainWindow()->pickPaletteButton->geometry().left());
    EXPECT_LT(mainWindow()->pickPaletteButton->geometry().right(),
              mainWindow()->sourceButton->geometry().left());
}

// At the designed width the tool bar's last button, "Кадр и тон…", is wholly inside it.
TEST_F(WindowPlacementTest, TheToolBarsLastButtonShowsWholeAtTheDesignedWidth) {
    mainWindow()->resize(883, mainWindow()->height());
    QApplication::processEvents();
    const QRect button = mainWindow()->frameToneButton->geometry();
    EXPECT_LE(button.right(), mainWindow()->toolBar->width() - 2);
    EXPECT_LT(mainWindow()->sourceButton->geometry().right(), button.left());
    EXPECT_EQ(mainWindow()->frameToneButton->text(), "Кадр и тон…");
}

// The space bar held shows the source whatever control has the focus, in the view and in
// the preview alike; let go, both show the result again.
TEST_F(WindowPlacementTest, TheSpaceBarShowsTheSourceWhateverHasTheFocus) {
    dialogs->answers = {picture("a.bmp", 64, 48)};
    mainWindow()->menu.thresholdsImportAction->trigger();
    ASSERT_TRUE(preview()->isVisible());
    const QRgb source = qRgb(200, 40, 40);
    const QRgb result = preview()->image->bitmap().pixel(2, 2);
    ASSERT_NE(result, source);
    for (QWidget* focused :
         std::initializer_list<QWidget*>{mainWindow()->magnifyBox, mainWindow()->paletteList,
                                         mainWindow()->widthEdit, preview()}) {
        SCOPED_TRACE(focused->objectName().toStdString());
        QTest::keyPress(focused, Qt::Key_Space);
        EXPECT_TRUE(mainWindow()->isShowingSource());
        EXPECT_EQ(preview()->image->bitmap().pixel(2, 2), source);
        QTest::keyRelease(focused, Qt::Key_Space);
        EXPECT_FALSE(mainWindow()->isShowingSource());
        EXPECT_EQ(preview()->image->bitmap().pixel(2, 2), result);
    }
}

}  // namespace
