#pragma once

#include <QWidget>

#include "convert/floydsteinberg.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The Floyd–Steinberg settings window: the black threshold and the mode. It asks for a
// conversion with "Просмотр"; its settings are read when one runs.
class FloydSteinbergWindow : public QWidget {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit FloydSteinbergWindow(const QWidget* owner);

    tovik::FloydSteinbergSettings settings() const;
    // Puts a preset's threshold and mode into the controls.
    void setSettings(const tovik::FloydSteinbergSettings& settings);

    // The track bar moved: its label shows the value.
    void showValue();

    QSlider* TrackBar1 = nullptr;
    QLabel* Label1 = nullptr;        // Порог черного
    QLabel* Label2 = nullptr;        // the threshold's value
    QCheckBox* CheckBox1 = nullptr;  // Монохром
    QPushButton* Button1 = nullptr;  // Ok
    QPushButton* Button2 = nullptr;  // Просмотр
    QSpinBox* SpinBox1 = nullptr;    // bound to the track bar
    QCheckBox* liveBox = nullptr;    // Сразу
    QPushButton* savePresetButton = nullptr;
    QPushButton* loadPresetButton = nullptr;

signals:
    // "Просмотр": convert the picture again with these settings.
    void previewRequested();
    // A control changed; with "Сразу" checked the owner converts at once.
    void settingsChanged();
    // The user let go of the track bar: one drag is over.
    void adjustmentFinished();
};
