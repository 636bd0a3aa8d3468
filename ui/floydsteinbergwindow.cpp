#include "ui/floydsteinbergwindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "ui/application.h"
#include "ui/toolwindow.h"

namespace {

QFont boldFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 86, 75, 25);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

FloydSteinbergWindow::FloydSteinbergWindow(const QWidget* owner)
    : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Флойд Стеинберг"));
    setFixedSize(325, 150);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Bevel1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(8, 6, 309, 72);

    Label1 = new QLabel(QStringLiteral("Порог черного"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(boldFont(Label1));
    Label1->move(16, 14);
    Label1->adjustSize();

    CheckBox1 = new QCheckBox(QStringLiteral("Монохром"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    // Right to left puts the caption before the box.
    CheckBox1->setLayoutDirection(Qt::RightToLeft);
    CheckBox1->setChecked(true);
    CheckBox1->adjustSize();
    CheckBox1->move(309 - CheckBox1->width(), 12);

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 255);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(10);
    TrackBar1->setGeometry(14, 38, 180, 30);
    TrackBar1->setValue(tovik::FloydSteinbergSettings{}.threshold);

    Label2 = new QLabel(QString::number(TrackBar1->value()), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(boldFont(Label2));
    Label2->setGeometry(202, 44, 36, 20);
    SpinBox1 = makeValueSpinBox(this, TrackBar1, QStringLiteral("SpinBox1"), {242, 41, 66, 24});
    liveBox = makeLiveBox(this, false, {12, 90});
    const PresetButtons presets = makePresetButtons(this, {8, 120, 150, 25}, {167, 120, 150, 25});
    savePresetButton = presets.save;
    loadPresetButton = presets.load;

    Button2 = makeButton(this, "Button2", QStringLiteral("Просмотр"), (325 - 75) / 2);
    Button1 = makeButton(this, "Button1", QStringLiteral("Ok"), 325 - 8 - 75);

    connect(TrackBar1, &QSlider::valueChanged, this, &FloydSteinbergWindow::showValue);
    connect(TrackBar1, &QSlider::valueChanged, this, &FloydSteinbergWindow::settingsChanged);
    connect(TrackBar1, &QSlider::sliderReleased, this, &FloydSteinbergWindow::adjustmentFinished);
    connect(CheckBox1, &QCheckBox::toggled, this, &FloydSteinbergWindow::settingsChanged);
    connect(Button2, &QPushButton::clicked, this, &FloydSteinbergWindow::previewRequested);
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);

    centreOn(this, owner);
}

tovik::FloydSteinbergSettings FloydSteinbergWindow::settings() const {
    return {TrackBar1->value(), CheckBox1->isChecked()};
}

void FloydSteinbergWindow::showValue() {
    Label2->setText(QString::number(TrackBar1->value()));
}

void FloydSteinbergWindow::setSettings(const tovik::FloydSteinbergSettings& settings) {
    TrackBar1->setValue(settings.threshold);
    CheckBox1->setChecked(settings.monochrome);
}
