#pragma once

#include <QWidget>

#include "convert/method.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSlider;
class QSpinBox;

// "Палитра": dithering to the real colours of the palette chosen in the main window, by
// diffusion (a kernel, serpentine scan, strength) or by an ordered Bayer matrix. With
// "Сразу" checked (the start) every change converts at once.
class PaletteWindow : public QWidget {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit PaletteWindow(const QWidget* owner);

    // The method and its settings as the controls stand now.
    tovik::MethodSettings settings() const;
    // Puts a diffusion or ordered method's settings into the controls; others are ignored.
    void setSettings(const tovik::MethodSettings& settings);

    QComboBox* methodBox;  // Диффузия, Упорядоченный
    QComboBox* kernelBox;  // the eight kernels
    QCheckBox* serpentineBox;
    QSlider* strengthBar;        // 0..100 %
    QSpinBox* strengthBox;       // bound to it
    QComboBox* matrixBox;        // 2 x 2, 4 x 4, 8 x 8
    QCheckBox* liveBox;          // Сразу
    QPushButton* previewButton;  // Просмотр
    QPushButton* okButton;       // Ок
    QPushButton* savePresetButton;
    QPushButton* loadPresetButton;

signals:
    void previewRequested();
    // A control changed; with "Сразу" checked the owner converts at once.
    void settingsChanged();
    // The user let go of the strength bar: one drag is over.
    void adjustmentFinished();

private:
    void showMethod();
};
