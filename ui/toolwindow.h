#pragma once

#include <QWidget>

#include "convert/method.h"

class QCheckBox;
class QPushButton;
class QSlider;
class QSpinBox;

// The tool windows stay on top of the others and have a small caption with a close box.
constexpr Qt::WindowFlags kToolWindowFlags = Qt::Tool | Qt::WindowStaysOnTopHint;

// Places a window at the centre of another, as the tool windows open. Frames count, so a
// window that is already shown lands exactly; a hidden one is off by its frame at most.
inline void centreOn(QWidget* window, const QWidget* owner) {
    if (owner != nullptr) {
        const QPoint centre = owner->frameGeometry().center();
        const QSize size = window->frameGeometry().size();
        window->move(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
    }
}

// A spin box bound to a track bar, so that a value can be typed exactly: each follows
// the other.
QSpinBox* makeValueSpinBox(QWidget* parent, QSlider* bar, const QString& name, QRect geometry);

// A tool window: the settings of one conversion method. What every tool window has is
// here: "Просмотр", "Ок", "Сразу", "Сохранить настройки…" and "Загрузить настройки…",
// and the signals through which the window's owner converts and keeps presets. A window
// builds these controls with the make… functions where its layout wants them, says when
// its settings change, and reads and puts its settings as a MethodSettings.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow();

    // The window's settings as the controls stand now; a window whose controls can hold
    // a bad value throws the error a conversion would show.
    virtual tovik::MethodSettings methodSettings() const = 0;
    // Puts a preset's settings into the controls; false, with the controls untouched,
    // when the settings are of a method this window does not tune.
    virtual bool applyMethod(const tovik::MethodSettings& settings) = 0;

    // "Сразу" is checked: every change converts at once.
    bool isLive() const;
    void setLive(bool live);

    QPushButton* previewButton = nullptr;  // "Просмотр"
    QPushButton* okButton = nullptr;       // hides the window
    QCheckBox* liveBox = nullptr;          // "Сразу"
    QPushButton* savePresetButton = nullptr;
    QPushButton* loadPresetButton = nullptr;

signals:
    // "Просмотр": convert the loaded picture again with these settings.
    void previewRequested();
    // A control changed; with "Сразу" checked the owner converts at once.
    void settingsChanged();
    // The user let go of a track bar: one drag is over.
    void adjustmentFinished();
    // "Сохранить настройки…" and "Загрузить настройки…".
    void savePresetRequested();
    void loadPresetRequested();

protected:
    // The shared controls, each under its object name; a null geometry leaves the
    // control to a layout.
    void makePreviewButton(const char* name, QRect geometry);
    void makeOkButton(const char* name, const QString& caption, QRect geometry);
    void makeLiveBox(bool checked, QPoint at);
    void makePresetButtons(QRect save, QRect load);
};
