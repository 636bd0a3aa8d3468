#pragma once

#include <QWidget>

#include "convert/floydsteinberg.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

// The Floyd–Steinberg settings window: the black threshold and the mode, read at the
// moment of conversion.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    TForm5();

    tovik::FloydSteinbergSettings settings() const;

    void TrackBar1Change();
    void Button2Click();  // Просмотр
    void Button1Click();  // Ok

    QSlider* TrackBar1 = nullptr;
    QLabel* Label1 = nullptr;  // Порог черного
    QLabel* Label2 = nullptr;  // the threshold's value
    QCheckBox* CheckBox1 = nullptr;  // Монохром
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

extern TForm5* Form5;
