#pragma once

#include <QDialog>

#include "ui/colourreplacement.h"

class QCheckBox;
class QComboBox;

// "Заменить цвет…": one colour index becomes another, or the two swap, in the whole
// picture or the selection. It only collects the choice.
class ReplaceColourDialog : public QDialog {
    Q_OBJECT
public:
    ReplaceColourDialog(const ColourReplacement& initial, int palette, bool hasSelection,
                        QWidget* parent);

    ColourReplacement replacement() const;

    QComboBox* fromBox;
    QComboBox* toBox;
    QCheckBox* swapBox;
    QCheckBox* selectionBox;
};
