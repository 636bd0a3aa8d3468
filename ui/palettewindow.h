#pragma once

#include "ui/toolwindow.h"

class QComboBox;

// "Палитра": dithering to the real colours of the palette chosen in the main window, by
// diffusion (a kernel, serpentine scan, strength) or by an ordered Bayer matrix. With
// "Сразу" checked (the start) every change converts at once. "Уточнить" makes the
// diffusion the start of a search (SearchSettings), refined in the background.
class PaletteWindow : public ToolWindow {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit PaletteWindow(const QWidget* owner);

    // The method and its settings as the controls stand now.
    tovik::MethodSettings settings() const;
    // Puts a diffusion or ordered method's settings into the controls; others are ignored.
    void setSettings(const tovik::MethodSettings& settings);

    tovik::MethodSettings methodSettings() const override { return settings(); }
    // Takes the settings of the methods that convert to the palette's real colours.
    bool applyMethod(const tovik::MethodSettings& settings) override;

    QComboBox* methodBox;  // Диффузия, Упорядоченный
    QComboBox* kernelBox;  // the eight kernels
    QCheckBox* serpentineBox;
    QCheckBox* refineBox;  // "Уточнить": the diffusion refined by the search
    QSlider* strengthBar;   // 0..100 %
    QSpinBox* strengthBox;  // bound to it
    QComboBox* matrixBox;   // 2 x 2, 4 x 4, 8 x 8

private:
    void showMethod();
};
