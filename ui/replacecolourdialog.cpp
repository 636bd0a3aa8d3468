#include "ui/replacecolourdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPixmap>

#include "picture/palette.h"

namespace {

QComboBox* colourBox(QWidget* parent, const char* name, int palette, int chosen) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (int c = 0; c < 4; ++c) {
        QPixmap swatch(16, 16);
        swatch.fill(QColor::fromRgb(tovik::paletteColour(palette, c)));
        box->addItem(QIcon(swatch), QString::number(c));
    }
    box->setCurrentIndex(chosen & 3);
    return box;
}

}  // namespace

ReplaceColourDialog::ReplaceColourDialog(const ColourReplacement& initial, int palette,
                                         bool hasSelection, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceColourDialog"));
    setWindowTitle(tr("Заменить цвет"));
    auto* form = new QFormLayout(this);
    fromBox = colourBox(this, "FromColourBox", palette, initial.from);
    toBox = colourBox(this, "ToColourBox", palette, initial.to);
    form->addRow(tr("Цвет:"), fromBox);
    form->addRow(tr("Заменить на:"), toBox);
    swapBox = new QCheckBox(tr("Поменять местами"), this);
    swapBox->setObjectName(QStringLiteral("SwapBox"));
    swapBox->setChecked(initial.swap);
    form->addRow(swapBox);
    selectionBox = new QCheckBox(tr("Только в выделении"), this);
    selectionBox->setObjectName(QStringLiteral("SelectionOnlyBox"));
    selectionBox->setEnabled(hasSelection);
    selectionBox->setChecked(hasSelection && initial.selectionOnly);
    form->addRow(selectionBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ColourReplacement ReplaceColourDialog::replacement() const {
    return {fromBox->currentIndex(), toBox->currentIndex(), swapBox->isChecked(),
            selectionBox->isEnabled() && selectionBox->isChecked()};
}
