#include "ui/toolwindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "ui/controls.h"

QSpinBox* makeValueSpinBox(QWidget* parent, QSlider* bar, const QString& name, QRect geometry) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(bar->minimum(), bar->maximum());
    box->setValue(bar->value());
    box->setGeometry(geometry);
    box->setToolTip(bar->toolTip());
    // Typing three digits is one change, not three conversions.
    box->setKeyboardTracking(false);
    QObject::connect(bar, &QSlider::valueChanged, box, &QSpinBox::setValue);
    QObject::connect(box, &QSpinBox::valueChanged, bar, &QSlider::setValue);
    return box;
}

ToolWindow::ToolWindow() : QWidget(nullptr, kToolWindowFlags) {}

bool ToolWindow::isLive() const {
    return liveBox != nullptr && liveBox->isChecked();
}

void ToolWindow::setLive(bool live) {
    liveBox->setChecked(live);
}

void ToolWindow::makePreviewButton(const char* name, QRect geometry) {
    previewButton = makeButton(this, name, QStringLiteral("Просмотр"), geometry);
    previewButton->setToolTip(QStringLiteral("Пересчитать картинку с этими настройками"));
    connect(previewButton, &QPushButton::clicked, this, &ToolWindow::previewRequested);
}

void ToolWindow::makeOkButton(const char* name, const QString& caption, QRect geometry) {
    okButton = makeButton(this, name, caption, geometry);
    okButton->setToolTip(QStringLiteral("Закрыть окно; картинка остаётся как есть"));
    connect(okButton, &QPushButton::clicked, this, &QWidget::hide);
}

void ToolWindow::makePresetButtons(QRect save, QRect load) {
    savePresetButton =
        makeButton(this, "SavePresetButton", QStringLiteral("Сохранить настройки…"), save);
    loadPresetButton =
        makeButton(this, "LoadPresetButton", QStringLiteral("Загрузить настройки…"), load);
    savePresetButton->setToolTip(
        QStringLiteral("Записать настройки и палитру в файл; его читает и пакетная программа"));
    loadPresetButton->setToolTip(QStringLiteral("Прочитать настройки из файла в это окно"));
    connect(savePresetButton, &QPushButton::clicked, this, &ToolWindow::savePresetRequested);
    connect(loadPresetButton, &QPushButton::clicked, this, &ToolWindow::loadPresetRequested);
}

void ToolWindow::makeLiveBox(bool checked, QPoint at) {
    liveBox = new QCheckBox(QStringLiteral("Сразу"), this);
    liveBox->setObjectName(QStringLiteral("LiveBox"));
    liveBox->setChecked(checked);
    liveBox->setToolTip(
        QStringLiteral("Сразу: каждое изменение тут же пересчитывает картинку, без «Просмотр»"));
    liveBox->move(at);
    liveBox->adjustSize();
}
