#include "windowtest.h"

#include <QAbstractItemView>
#include <QTest>

void WindowTest::choosePalette(int index) {
    PaletteComboBox* list = Form1->ComboBox1;
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QRect item = view->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    if (view->isVisible()) {
        list->hidePopup();
    }
    QCoreApplication::processEvents();  // the closing is reported once the click is handled
}
