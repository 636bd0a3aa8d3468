#pragma once

#include <QWidget>

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

// "Сразу": while it is checked, the window converts at every change of its controls.
QCheckBox* makeLiveBox(QWidget* parent, bool checked, QPoint at);

// "Сохранить настройки…" and "Загрузить настройки…": the window's settings to and from a
// preset file.
struct PresetButtons {
    QPushButton* save;
    QPushButton* load;
};
PresetButtons makePresetButtons(QWidget* parent, QRect save, QRect load);
