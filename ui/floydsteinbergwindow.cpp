#include "ui/floydsteinbergwindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/toolwindow.h"

FloydSteinbergWindow::FloydSteinbergWindow(const QWidget* owner) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Флойд Стеинберг"));
    setFixedSize(325, 150);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Bevel1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 6, 309, 72);

    thresholdCaption = new QLabel(QStringLiteral("Порог черного"), this);
    thresholdCaption->setObjectName(QStringLiteral("Label1"));
    thresholdCaption->setFont(boldFont(thresholdCaption));
    thresholdCaption->move(16, 14);
    thresholdCaption->adjustSize();

    monochromeBox = new QCheckBox(QStringLiteral("Монохром"), this);
    monochromeBox->setObjectName(QStringLiteral("CheckBox1"));
    // Right to left puts the caption before the box.
    monochromeBox->setLayoutDirection(Qt::RightToLeft);
    monochromeBox->setChecked(true);
    monochromeBox->adjustSize();
    monochromeBox->move(309 - monochromeBox->width(), 12);

    thresholdBar = new QSlider(Qt::Horizontal, this);
    thresholdBar->setObjectName(QStringLiteral("TrackBar1"));
    thresholdBar->setRange(0, 255);
    thresholdBar->setTickPosition(QSlider::TicksBelow);
    thresholdBar->setTickInterval(10);
    thresholdBar->setGeometry(14, 38, 180, 30);
    thresholdBar->setValue(tovik::FloydSteinbergSettings{}.threshold);
    thresholdBar->setToolTip(QStringLiteral("Порог черного: байт ярче него зажигает точку"));
    monochromeBox->setToolTip(QStringLiteral(
        "Монохром: только зелёный канал, два цвета; без него — три прохода по каналам"));

    thresholdLabel = new QLabel(QString::number(thresholdBar->value()), this);
    thresholdLabel->setObjectName(QStringLiteral("Label2"));
    thresholdLabel->setFont(boldFont(thresholdLabel));
    thresholdLabel->setGeometry(202, 44, 36, 20);
    thresholdBox =
        makeValueSpinBox(this, thresholdBar, QStringLiteral("SpinBox1"), {242, 41, 66, 24});
    makeLiveBox(false, {12, 90});
    makePresetButtons({8, 120, 150, 25}, {167, 120, 150, 25});
    makePreviewButton("Button2", {(325 - 75) / 2, 86, 75, 25});
    makeOkButton("Button1", QStringLiteral("Ok"), {325 - 8 - 75, 86, 75, 25});

    connect(thresholdBar, &QSlider::valueChanged, this, &FloydSteinbergWindow::showValue);
    connect(thresholdBar, &QSlider::valueChanged, this, &FloydSteinbergWindow::settingsChanged);
    connect(thresholdBar, &QSlider::sliderReleased, this,
            &FloydSteinbergWindow::adjustmentFinished);
    connect(monochromeBox, &QCheckBox::toggled, this, &FloydSteinbergWindow::settingsChanged);

    centreOn(this, owner);
}

tovik::FloydSteinbergSettings FloydSteinbergWindow::settings() const {
    return {thresholdBar->value(), monochromeBox->isChecked()};
}

void FloydSteinbergWindow::showValue() {
    thresholdLabel->setText(QString::number(thresholdBar->value()));
}

void FloydSteinbergWindow::setSettings(const tovik::FloydSteinbergSettings& settings) {
    thresholdBar->setValue(settings.threshold);
    monochromeBox->setChecked(settings.monochrome);
}

tovik::MethodSettings FloydSteinbergWindow::methodSettings() const {
    return settings();
}

bool FloydSteinbergWindow::applyMethod(const tovik::MethodSettings& method) {
    const auto* given = std::get_if<tovik::FloydSteinbergSettings>(&method);
    if (given == nullptr) {
        return false;
    }
    setSettings(*given);
    return true;
}
