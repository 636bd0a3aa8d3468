#pragma once

#include "convert/floydsteinberg.h"
#include "ui/toolwindow.h"

class QLabel;
class QSpinBox;

// The Floyd–Steinberg settings window: the black threshold and the mode. It asks for a
// conversion with "Просмотр"; its settings are read when one runs.
class FloydSteinbergWindow : public ToolWindow {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit FloydSteinbergWindow(const QWidget* owner);

    tovik::FloydSteinbergSettings settings() const;
    // Puts a preset's threshold and mode into the controls.
    void setSettings(const tovik::FloydSteinbergSettings& settings);

    tovik::MethodSettings methodSettings() const override;
    bool applyMethod(const tovik::MethodSettings& settings) override;

    // The track bar moved: its label shows the value.
    void showValue();

    QSlider* thresholdBar = nullptr;
    QLabel* thresholdCaption = nullptr;  // "Порог черного"
    QLabel* thresholdLabel = nullptr;    // the threshold's value
    QSpinBox* thresholdBox = nullptr;    // bound to the track bar
    QCheckBox* monochromeBox = nullptr;  // "Монохром"
};
