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

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 495, 75, 25);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ThresholdsWindow::ThresholdsWindow(const QWidget* owner) : QWidget(nullptr, kToolWindowFlags) {
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
        ShapeOf[i] = shape;
        TrackBar[i] = makeTrackBar(this, i, top + 4);
        Label[i] = makeValueLabel(this, i, top + 9);
    }
    liveBox = makeLiveBox(this, false, {kSpinLeft - 40, 384});
    const PresetButtons presets = makePresetButtons(this, {16, 458, 190, 25}, {224, 458, 190, 25});
    savePresetButton = presets.save;
    loadPresetButton = presets.load;
    CheckBox1 = new QCheckBox(QStringLiteral("Тонирование"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->move(kTrackLeft, 384);
    CheckBox1->adjustSize();
    TrackBar[9] = makeTrackBar(this, 9, 408);
    Label[9] = makeValueLabel(this, 9, 413);

    Button3 = makeButton(this, "Button3", QStringLiteral("Сброс"), 16);
    Button1 = makeButton(this, "Button1", QStringLiteral("Просмотр"), (431 - 75) / 2);
    Button2 = makeButton(this, "Button2", QStringLiteral("Ок"), 431 - 16 - 75);
    QFont bold = Button1->font();
    bold.setBold(true);
    Button1->setFont(bold);
    QPalette navy = Button1->palette();
    navy.setColor(QPalette::ButtonText, QColor::fromRgb(0xFF000080));
    Button1->setPalette(navy);

    // Positions first, handlers after: the labels are written once here and by every
    // later change.
    for (int i = 1; i <= 9; ++i) {
        TrackBar[i]->setValue(tovik::kDefaultThresholds[static_cast<size_t>(i - 1)]);
        Label[i]->setText(QString::number(TrackBar[i]->value()));
        SpinBox[i] = makeValueSpinBox(this, TrackBar[i], QStringLiteral("SpinBox%1").arg(i),
                                      {kSpinLeft, TrackBar[i]->y() + 3, 60, 24});
        connect(TrackBar[i], &QSlider::valueChanged, this,
                [this, i] { runGuarded([&] { showValue(i); }); });
        connect(TrackBar[i], &QSlider::valueChanged, this, &ThresholdsWindow::settingsChanged);
        connect(TrackBar[i], &QSlider::sliderReleased, this, &ThresholdsWindow::adjustmentFinished);
    }
    connect(CheckBox1, &QCheckBox::toggled, this, &ThresholdsWindow::settingsChanged);
    for (int i = 1; i <= 8; ++i) {
        connect(ShapeOf[i], &Shape::contextPopup, this,
                [this, i] { runGuarded([&] { resetThreshold(i); }); });
    }
    connect(Button1, &QPushButton::clicked, this, &ThresholdsWindow::previewRequested);
    connect(Button2, &QPushButton::clicked, this, &QWidget::hide);
    connect(Button3, &QPushButton::clicked, this, guarded(this, &ThresholdsWindow::resetAll));

    centreOn(this, owner);
}

tovik::ThresholdSettings ThresholdsWindow::settings() const {
    tovik::ThresholdSettings settings;
    for (int i = 1; i <= 9; ++i) {
        settings.t[static_cast<size_t>(i - 1)] = TrackBar[i]->value();
    }
    settings.toning = CheckBox1->isChecked();
    return settings;
}

void ThresholdsWindow::showValue(int index) {
    Label[index]->setText(QString::number(TrackBar[index]->value()));
}

void ThresholdsWindow::resetThreshold(int index) {
    TrackBar[index]->setValue(tovik::kDefaultThresholds[static_cast<size_t>(index - 1)]);
}

void ThresholdsWindow::resetAll() {
    for (int i = 1; i <= 9; ++i) {
        TrackBar[i]->setValue(tovik::kDefaultThresholds[static_cast<size_t>(i - 1)]);
    }
}

void ThresholdsWindow::setSettings(const tovik::ThresholdSettings& settings) {
    for (int i = 1; i <= 9; ++i) {
        TrackBar[i]->setValue(settings.t[static_cast<size_t>(i - 1)]);
    }
    CheckBox1->setChecked(settings.toning);
}
