#include "ui/toolwindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

QSpinBox* makeValueSpinBox(QWidget* parent, QSlider* bar, const QString& name, QRect geometry) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(bar->minimum(), bar->maximum());
    box->setValue(bar->value());
    box->setGeometry(geometry);
    // Typing three digits is one change, not three conversions.
    box->setKeyboardTracking(false);
    QObject::connect(bar, &QSlider::valueChanged, box, &QSpinBox::setValue);
    QObject::connect(box, &QSpinBox::valueChanged, bar, &QSlider::setValue);
    return box;
}

PresetButtons makePresetButtons(QWidget* parent, QRect save, QRect load) {
    const auto button = [parent](const char* name, const QString& caption, QRect geometry) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        if (geometry.isValid()) {
            b->setGeometry(geometry);
        }
        return b;
    };
    return {button("SavePresetButton", QStringLiteral("Сохранить настройки…"), save),
            button("LoadPresetButton", QStringLiteral("Загрузить настройки…"), load)};
}

QCheckBox* makeLiveBox(QWidget* parent, bool checked, QPoint at) {
    auto* box = new QCheckBox(QStringLiteral("Сразу"), parent);
    box->setObjectName(QStringLiteral("LiveBox"));
    box->setChecked(checked);
    box->move(at);
    box->adjustSize();
    return box;
}
