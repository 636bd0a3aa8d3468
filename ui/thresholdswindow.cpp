#include "ui/thresholdswindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/toolwindow.h"

namespace {

constexpr int kRowStep = 46;
constexpr int kTrackLeft = 52;
constexpr int kTrackWidth = 260;
constexpr int kLabelLeft = 322;
constexpr int kSpinLeft = 360;

// The colour each row's square shows: the colour its threshold decides on.
constexpr QRgb kShapeColours[8] = {
    0xFFFFFF, 0x000000, 0xFF0000, 0xA60000, 0x80FF00, 0x008000, 0x0000FF, 0x000080,
};

QLabel* makeValueLabel(QWidget* parent, int index, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1").arg(index));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(kLabelLeft, top, 36, 20);
    return label;
}

QSlider* makeTrackBar(QWidget* parent, int index, int top) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QStringLiteral("TrackBar%1").arg(index));
    bar->setRange(0, 255);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(10);
    bar->setGeometry(kTrackLeft, top, kTrackWidth, 30);
    return bar;
}

}  // namespace

ThresholdsWindow::ThresholdsWindow(const QWidget* owner) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Пороги"));
    setFixedSize(431, 535);

    for (int i = 1; i <= 8; ++i) {
        const int top = 8 + kRowStep * (i - 1);
        Shape* shape = new Shape(this);
        shape->setObjectName(QStringLiteral("Shape%1").arg(i));
        shape->setGeometry(8, top, 37, 37);
        shape->setBrushColor(kShapeColours[i - 1]);
        shape->setToolTip(QStringLiteral("Правая кнопка - СБРОС"));
        squares[i] = shape;
        thresholdBars[i] = makeTrackBar(this, i, top + 4);
        valueLabels[i] = makeValueLabel(this, i, top + 9);
    }
    makeLiveBox(false, {kSpinLeft - 40, 384});
    makePresetButtons({16, 458, 190, 25}, {224, 458, 190, 25});
    toningBox = new QCheckBox(QStringLiteral("Тонирование"), this);
    toningBox->setObjectName(QStringLiteral("CheckBox1"));
    toningBox->move(kTrackLeft, 384);
    toningBox->adjustSize();
    thresholdBars[9] = makeTrackBar(this, 9, 408);
    valueLabels[9] = makeValueLabel(this, 9, 413);

    resetButton = makeButton(this, "Button3", QStringLiteral("Сброс"), {16, 495, 75, 25});
    resetButton->setToolTip(QStringLiteral("Все пороги — по умолчанию"));
    toningBox->setToolTip(QStringLiteral(
        "Тонирование: рассеивает ошибку зелёного и гасит тёмные точки; порог — нижний бегунок"));
    const char* const rules[] = {"белого",
                                 "чёрного",
                                 "красного: перевес",
                                 "красного: яркость",
                                 "зелёного: перевес",
                                 "зелёного: яркость",
                                 "синего: перевес",
                                 "синего: яркость",
                                 "тонирования"};
    for (int i = 1; i <= 9; ++i) {
        thresholdBars[i]->setToolTip(
            QStringLiteral("Порог %1, 0–255").arg(QString::fromUtf8(rules[i - 1])));
    }
    makePreviewButton("Button1", {(431 - 75) / 2, 495, 75, 25});
    makeOkButton("Button2", QStringLiteral("Ок"), {431 - 16 - 75, 495, 75, 25});
    previewButton->setFont(boldFont(previewButton));
    QPalette navy = previewButton->palette();
    navy.setColor(QPalette::ButtonText, QColor::fromRgb(kNavy));
    previewButton->setPalette(navy);

    // Positions first, handlers after: the labels are written once here and by every
    // later change.
    for (int i = 1; i <= 9; ++i) {
        thresholdBars[i]->setValue(tovik::kDefaultThresholds[static_cast<size_t>(i - 1)]);
        valueLabels[i]->setText(QString::number(thresholdBars[i]->value()));
        valueBoxes[i] = makeValueSpinBox(this, thresholdBars[i], QStringLiteral("SpinBox%1").arg(i),
                                         {kSpinLeft, thresholdBars[i]->y() + 3, 60, 24});
        connect(thresholdBars[i], &QSlider::valueChanged, this,
                [this, i] { runGuarded([&] { showValue(i); }); });
        connect(thresholdBars[i], &QSlider::valueChanged, this, &ThresholdsWindow::settingsChanged);
        connect(thresholdBars[i], &QSlider::sliderReleased, this,
                &ThresholdsWindow::adjustmentFinished);
    }
    connect(toningBox, &QCheckBox::toggled, this, &ThresholdsWindow::settingsChanged);
    for (int i = 1; i <= 8; ++i) {
        connect(squares[i], &Shape::contextPopup, this,
                [this, i] { runGuarded([&] { resetThreshold(i); }); });
    }
    connect(resetButton, &QPushButton::clicked, this, guarded(this, &ThresholdsWindow::resetAll));

    centreOn(this, owner);
}

tovik::ThresholdSettings ThresholdsWindow::settings() const {
    tovik::ThresholdSettings settings;
    for (int i = 1; i <= 9; ++i) {
        settings.t[static_cast<size_t>(i - 1)] = thresholdBars[i]->value();
    }
    settings.toning = toningBox->isChecked();
    return settings;
}

void ThresholdsWindow::showValue(int index) {
    valueLabels[index]->setText(QString::number(thresholdBars[index]->value()));
}

void ThresholdsWindow::resetThreshold(int index) {
    thresholdBars[index]->setValue(tovik::kDefaultThresholds[static_cast<size_t>(index - 1)]);
}

void ThresholdsWindow::resetAll() {
    for (int i = 1; i <= 9; ++i) {
        thresholdBars[i]->setValue(tovik::kDefaultThresholds[static_cast<size_t>(i - 1)]);
    }
}

void ThresholdsWindow::setSettings(const tovik::ThresholdSettings& settings) {
    for (int i = 1; i <= 9; ++i) {
        thresholdBars[i]->setValue(settings.t[static_cast<size_t>(i - 1)]);
    }
    toningBox->setChecked(settings.toning);
}

tovik::MethodSettings ThresholdsWindow::methodSettings() const {
    return settings();
}

bool ThresholdsWindow::applyMethod(const tovik::MethodSettings& method) {
    const auto* given = std::get_if<tovik::ThresholdSettings>(&method);
    if (given == nullptr) {
        return false;
    }
    setSettings(*given);
    return true;
}
