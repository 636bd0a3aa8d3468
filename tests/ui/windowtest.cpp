#include "windowtest.h"

#include <QAbstractItemView>
#include <QTest>
#include <memory>

#include "load/importpicture.h"

namespace {

std::unique_ptr<Desktop> running;

}  // namespace

Desktop& app() {
    return *running;
}

void setEntry(int index, int value) {
    tovik::PictureState state = doc().state();
    state.buffer.set(index, value);
    doc().restore(state);
}

void clearEntries() {
    tovik::PictureState state = doc().state();
    state.buffer.clear();
    doc().restore(state);
}

void givePicture(const QImage& picture) {
    tovik::ImportedPicture imported;
    imported.fitted = picture;
    imported.loadedSize = picture.size();
    imported.heightMax = doc().heightMax();
    imported.size = {picture.width(), picture.height()};
    doc().takePicture(imported);
}

void WindowTest::SetUp() {
    running = std::make_unique<Desktop>();
    auto fake = std::make_unique<FakeDialogs>();
    dialogs = fake.get();
    running->setDialogs(std::move(fake));
    mainWindow()->show();
}

void WindowTest::TearDown() {
    running.reset();
}

void WindowTest::choosePalette(int index) {
    PaletteComboBox* list = mainWindow()->paletteList;
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QRect item = view->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    if (view->isVisible()) {
        list->hidePopup();
    }
    QCoreApplication::processEvents();  // the closing is reported once the click is handled
}
