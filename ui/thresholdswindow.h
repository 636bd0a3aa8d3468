#pragma once

#include <QWidget>

#include "convert/thresholds.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class Shape;

// The thresholds window: nine track bars that tune the threshold conversion. It asks for
// a conversion with "Просмотр"; its settings are read when one runs.
class ThresholdsWindow : public QWidget {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit ThresholdsWindow(const QWidget* owner);

    // The nine thresholds from the track bars and the toning box, as they stand now.
    tovik::ThresholdSettings settings() const;

    void showValue(int index);       // a track bar (1..9) moved: its label shows the value
    void resetThreshold(int index);  // right click on a square: its track bar's default
    void resetAll();                 // "Сброс": every track bar's default, the first first
    // Puts the thresholds and the toning box of a preset into the controls.
    void setSettings(const tovik::ThresholdSettings& settings);

    QSlider* TrackBar[10] = {};      // TrackBar1..TrackBar9 at 1..9
    QLabel* Label[10] = {};          // Label1..Label9
    QSpinBox* SpinBox[10] = {};      // SpinBox1..SpinBox9, bound to the track bars
    Shape* ShapeOf[9] = {};          // Shape1..Shape8 at 1..8
    QCheckBox* CheckBox1 = nullptr;  // Тонирование
    QPushButton* Button1 = nullptr;  // Просмотр
    QPushButton* Button2 = nullptr;  // Ок
    QPushButton* Button3 = nullptr;  // Сброс
    QCheckBox* liveBox = nullptr;    // Сразу
    QPushButton* savePresetButton = nullptr;
    QPushButton* loadPresetButton = nullptr;

signals:
    // "Просмотр": convert the loaded picture again with these settings.
    void previewRequested();
    // A control changed; with "Сразу" checked the owner converts at once.
    void settingsChanged();
    // The user let go of a track bar: one drag is over.
    void adjustmentFinished();
};
