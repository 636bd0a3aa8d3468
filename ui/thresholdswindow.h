#pragma once

#include "convert/thresholds.h"
#include "ui/toolwindow.h"

class QLabel;
class QSpinBox;
class Shape;

// The thresholds window: nine track bars that tune the threshold conversion. It asks for
// a conversion with "Просмотр"; its settings are read when one runs.
class ThresholdsWindow : public ToolWindow {
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

    tovik::MethodSettings methodSettings() const override;
    bool applyMethod(const tovik::MethodSettings& settings) override;

    // Rows 1..9 at 1..9; the ninth is the toning threshold, which has no square.
    QSlider* thresholdBars[10] = {};
    QLabel* valueLabels[10] = {};
    QSpinBox* valueBoxes[10] = {};  // bound to the track bars
    Shape* squares[9] = {};         // right click: the row's default
    QCheckBox* toningBox = nullptr;
    QPushButton* resetButton = nullptr;  // "Сброс"
};
