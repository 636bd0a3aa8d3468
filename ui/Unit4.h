#pragma once

#include <QWidget>

#include "convert/thresholds.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class Shape;

// The thresholds window: nine track bars that tune the threshold conversion, read at the
// moment of conversion.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4();

    // T1..T9 from the track bars and the toning box, as they stand now.
    tovik::ThresholdSettings settings() const;

    void TrackBarChange(int index);    // TrackBar1Change .. TrackBar9Change (index 1..9)
    void ShapeContextPopup(int index);  // Shape1ContextPopup .. Shape8ContextPopup
    void Button1Click();  // Просмотр
    void Button2Click();  // Ок
    void Button3Click();  // Сброс

    QSlider* TrackBar[10] = {};  // TrackBar1..TrackBar9 at 1..9
    QLabel* Label[10] = {};      // Label1..Label9
    Shape* ShapeOf[9] = {};      // Shape1..Shape8 at 1..8
    QCheckBox* CheckBox1 = nullptr;  // Тонирование
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
};

extern TForm4* Form4;
