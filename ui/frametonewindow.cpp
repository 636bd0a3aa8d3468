#include "ui/frametonewindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/application.h"
#include "ui/toolwindow.h"

using namespace tovik;

namespace {

constexpr double kMaxZoom = 32;
constexpr double kCornerReach = 8;  // view pixels around a corner that grab it

// Captions of the tone settings, in the order of ToneParameter.
const char* const kToneCaptions[] = {"Яркость", "Контраст", "Гамма", "Насыщенность", "Резкость"};

// The track bar's whole steps for a tone value: gamma on a scale of hundredths of its
// logarithm, the others as they are.
int barValue(int parameter, double value) {
    return parameter == kGamma ? int(std::lround(std::log10(value) * 100)) : int(value);
}

double valueOfBar(int parameter, int bar) {
    return parameter == kGamma ? std::round(std::pow(10.0, bar / 100.0) * 100) / 100 : bar;
}

}  // namespace

// ---- FrameView ----

FrameView::FrameView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrameView"));
    setMinimumSize(240, 180);
    setMouseTracking(false);
}

void FrameView::setPhotograph(const QImage& kept, QSize photographSize) {
    view_ = kept;
    photo_ = photographSize;
    zoom_ = 1.0;
    centre_ = QPointF(photo_.width() / 2.0, photo_.height() / 2.0);
    update();
}

double FrameView::baseScale() const {
    if (photo_.isEmpty()) {
        return 1.0;
    }
    return std::min(double(width()) / photo_.width(), double(height()) / photo_.height());
}

QPointF FrameView::toView(QPointF photo) const {
    const double scale = baseScale() * zoom_;
    return (photo - centre_) * scale + QPointF(width() / 2.0, height() / 2.0);
}

QPointF FrameView::toPhoto(QPointF view) const {
    const double scale = baseScale() * zoom_;
    return (view - QPointF(width() / 2.0, height() / 2.0)) / scale + centre_;
}

void FrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (view_.isNull()) {
        return;
    }
    painter.drawImage(QRectF(toView({0, 0}), toView(QPointF(photo_.width(), photo_.height()))),
                      view_);
    const QRect frame = frame_.isEmpty() ? QRect(QPoint(), photo_) : frame_;
    const QRectF shown(toView(frame.topLeft()), toView(frame.bottomRight() + QPoint(1, 1)));
    // Outside the frame darkened, the frame in two colours to show on any picture.
    QPainterPath outside;
    outside.addRect(rect());
    outside.addRect(shown);
    painter.fillPath(outside, QColor(0, 0, 0, 110));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(shown.adjusted(-1, -1, 0, 0));
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawRect(shown.adjusted(-1, -1, 0, 0));
}

QRect FrameView::clamped(QRect frame) const {
    frame.setWidth(std::clamp(frame.width(), 1, photo_.width()));
    frame.setHeight(std::clamp(frame.height(), 1, photo_.height()));
    frame.moveLeft(std::clamp(frame.left(), 0, photo_.width() - frame.width()));
    frame.moveTop(std::clamp(frame.top(), 0, photo_.height() - frame.height()));
    return frame;
}

// The frame from the anchored corner to the pointer, within the photograph, in the
// proportions when they are set.
QRect FrameView::resizedFrom(QPointF pointer) const {
    const QPointF p(std::clamp(pointer.x(), 0.0, double(photo_.width())),
                    std::clamp(pointer.y(), 0.0, double(photo_.height())));
    const bool right = p.x() >= anchor_.x(), down = p.y() >= anchor_.y();
    const double roomX = right ? photo_.width() - anchor_.x() : anchor_.x();
    const double roomY = down ? photo_.height() - anchor_.y() : anchor_.y();
    double w = std::min(std::abs(p.x() - anchor_.x()), roomX);
    double h = std::min(std::abs(p.y() - anchor_.y()), roomY);
    if (!proportions_.isEmpty()) {
        const double ratio = double(proportions_.height()) / proportions_.width();
        w = std::min({std::max(w, h / ratio), roomX, roomY / ratio});
        h = w * ratio;
    }
    const int iw = std::max(1, int(std::lround(w))), ih = std::max(1, int(std::lround(h)));
    const int x = right ? int(anchor_.x()) : int(anchor_.x()) - iw;
    const int y = down ? int(anchor_.y()) : int(anchor_.y()) - ih;
    return clamped(QRect(x, y, iw, ih));
}

void FrameView::mousePressEvent(QMouseEvent* event) {
    if (view_.isNull() || event->button() != Qt::LeftButton) {
        return;
    }
    const QRect frame = frame_.isEmpty() ? QRect(QPoint(), photo_) : frame_;
    const QPointF corners[] = {frame.topLeft(), QPointF(frame.x() + frame.width(), frame.y()),
                               QPointF(frame.x(), frame.y() + frame.height()),
                               QPointF(frame.x() + frame.width(), frame.y() + frame.height())};
    for (int i = 0; i < 4; ++i) {
        const QPointF d = toView(corners[i]) - event->position();
        if (std::abs(d.x()) <= kCornerReach && std::abs(d.y()) <= kCornerReach) {
            drag_ = Drag::Corner;
            anchor_ = corners[3 - i];
            return;
        }
    }
    grab_ = toPhoto(event->position());
    if (frame.contains(grab_.toPoint())) {
        drag_ = Drag::Move;
        grabFrame_ = frame;
    }
}

void FrameView::mouseMoveEvent(QMouseEvent* event) {
    QRect moved;
    if (drag_ == Drag::Move) {
        const QPointF shift = toPhoto(event->position()) - grab_;
        moved = clamped(
            grabFrame_.translated(int(std::lround(shift.x())), int(std::lround(shift.y()))));
    } else if (drag_ == Drag::Corner) {
        moved = resizedFrom(toPhoto(event->position()));
    } else {
        return;
    }
    if (moved != frame_) {
        setFrame(moved);
        emit frameDragged(moved);
    }
}

void FrameView::mouseReleaseEvent(QMouseEvent*) {
    if (drag_ != Drag::None) {
        drag_ = Drag::None;
        emit dragFinished();
    }
}

void FrameView::wheelEvent(QWheelEvent* event) {
    if (view_.isNull()) {
        return;
    }
    const QPointF pointer = event->position();
    const QPointF under = toPhoto(pointer);
    zoom_ = std::clamp(zoom_ * std::pow(1.25, event->angleDelta().y() / 120.0), 1.0, kMaxZoom);
    // The photograph point under the pointer stays there.
    centre_ = under - (pointer - QPointF(width() / 2.0, height() / 2.0)) / (baseScale() * zoom_);
    update();
}

void FrameView::resizeEvent(QResizeEvent*) {
    update();
}

// ---- FrameToneWindow ----

FrameToneWindow::FrameToneWindow(const QWidget* owner) {
    setObjectName(QStringLiteral("FrameToneWindow"));
    setWindowTitle(QStringLiteral("Кадр и тон"));
    frameView = new FrameView(this);

    fitButton = new QPushButton(QStringLiteral("Вписать"), this);
    fitButton->setObjectName(QStringLiteral("FitButton"));
    fillButton = new QPushButton(QStringLiteral("Заполнить"), this);
    fillButton->setObjectName(QStringLiteral("FillButton"));
    proportionBox = new QCheckBox(QStringLiteral("Пропорции W : H"), this);
    proportionBox->setObjectName(QStringLiteral("ProportionBox"));
    proportionBox->setChecked(true);
    auto* frameRow = new QHBoxLayout;
    frameRow->addWidget(fitButton);
    frameRow->addWidget(fillButton);
    frameRow->addWidget(proportionBox);
    frameRow->addStretch(1);

    auto* form = new QFormLayout;
    for (int p = 0; p < kToneParameterCount; ++p) {
        const ToneRange& range = kToneRanges[size_t(p)];
        auto* bar = new QSlider(Qt::Horizontal, this);
        bar->setObjectName(QStringLiteral("ToneBar%1").arg(p));
        bar->setRange(barValue(p, range.min), barValue(p, range.max));
        bar->setValue(barValue(p, range.neutral));
        bar->installEventFilter(this);
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QStringLiteral("ToneBox%1").arg(p));
        box->setDecimals(p == kGamma ? 2 : 0);
        box->setSingleStep(p == kGamma ? 0.05 : 1);
        box->setRange(range.min, range.max);
        box->setValue(range.neutral);
        toneBars[size_t(p)] = bar;
        toneBoxes[size_t(p)] = box;
        connect(bar, &QSlider::valueChanged, this, [this, p, box](int value) {
            if (!settingTone_ && barValue(p, box->value()) != value) {
                box->setValue(valueOfBar(p, value));
            }
        });
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, p, bar](double value) {
            const QSignalBlocker block(bar);
            bar->setValue(barValue(p, value));
            if (!settingTone_) {
                emit settingsChanged();
            }
        });
        connect(bar, &QSlider::sliderReleased, this, &FrameToneWindow::adjustmentFinished);
        auto* row = new QHBoxLayout;
        row->addWidget(bar, 1);
        row->addWidget(box);
        form->addRow(QString::fromUtf8(kToneCaptions[p]), row);
    }

    autoButton = new QPushButton(QStringLiteral("Авто"), this);
    autoButton->setObjectName(QStringLiteral("AutoButton"));
    resetButton = new QPushButton(QStringLiteral("Сбросить"), this);
    resetButton->setObjectName(QStringLiteral("ResetButton"));
    auto* toneRow = new QHBoxLayout;
    toneRow->addWidget(autoButton);
    toneRow->addWidget(resetButton);
    toneRow->addStretch(1);

    makeLiveBox(true, {});
    makePreviewButton("PreviewButton", {});
    makeOkButton("OkButton", QStringLiteral("Ок"), {});
    makePresetButtons({}, {});
    auto* presetRow = new QHBoxLayout;
    presetRow->addWidget(savePresetButton);
    presetRow->addWidget(loadPresetButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(liveBox);
    buttons->addStretch(1);
    buttons->addWidget(previewButton);
    buttons->addWidget(okButton);
    for (QPushButton* button :
         {fitButton, fillButton, autoButton, resetButton, previewButton, okButton}) {
        button->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameView, 1);
    layout->addLayout(frameRow);
    layout->addLayout(form);
    layout->addLayout(toneRow);
    layout->addLayout(presetRow);
    layout->addLayout(buttons);

    connect(fitButton, &QPushButton::clicked, this, [this] {
        setFrameKind(Frame::Kind::Fit);
        emit settingsChanged();
        emit adjustmentFinished();
    });
    connect(fillButton, &QPushButton::clicked, this, [this] {
        setFrameKind(Frame::Kind::Fill);
        emit settingsChanged();
        emit adjustmentFinished();
    });
    connect(proportionBox, &QCheckBox::toggled, this, [this] { showFrame(); });
    connect(frameView, &FrameView::frameDragged, this, [this](const QRect& frame) {
        kind_ = Frame::Kind::Rect;
        rect_ = frame;
        emit settingsChanged();
    });
    connect(frameView, &FrameView::dragFinished, this, &FrameToneWindow::adjustmentFinished);
    connect(autoButton, &QPushButton::clicked, this, [this] {
        runGuarded([this] {
            Framing untoned = framing();
            untoned.tone = {};
            setTone(autoTone(framePicture(picture_, untoned).fitted, tone()));
            emit settingsChanged();
            emit adjustmentFinished();
        });
    });
    connect(resetButton, &QPushButton::clicked, this, [this] {
        setTone({});
        setFrameKind(Frame::Kind::Fit);
        emit settingsChanged();
        emit adjustmentFinished();
    });
    adjustSize();
    centreOn(this, owner);
}

// A double click on a track bar takes it back to neutral.
bool FrameToneWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int p = 0; p < kToneParameterCount; ++p) {
            if (watched == toneBars[size_t(p)]) {
                toneBoxes[size_t(p)]->setValue(kToneRanges[size_t(p)].neutral);
                emit adjustmentFinished();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrameToneWindow::hideEvent(QHideEvent* event) {
    picture_ = {};
    frameView->setPhotograph({}, {});
    ToolWindow::hideEvent(event);
}

void FrameToneWindow::setPicture(const ImportedPicture& picture, const Framing& framing) {
    picture_ = picture;
    frameView->setPhotograph(picture.kept.isNull() ? picture.fitted : picture.kept,
                             picture.loadedSize);
    kind_ = framing.frame.kind;
    rect_ = framing.frame.rect;
    if (framing.size) {
        target_ = QSize(framing.size->width, framing.size->height);
    }
    setTone(framing.tone);
    showFrame();
}

void FrameToneWindow::setTargetSize(QSize size) {
    target_ = size;
    showFrame();
}

void FrameToneWindow::setFrameKind(Frame::Kind kind) {
    kind_ = kind;
    showFrame();
}

void FrameToneWindow::showFrame() {
    frameView->setProportions(proportionBox->isChecked() ? target_ : QSize());
    const QSize photo = picture_.loadedSize;
    frameView->setFrame(kind_ == Frame::Kind::Rect                       ? rect_
                        : kind_ == Frame::Kind::Fill && !photo.isEmpty() ? fillRect(photo, target_)
                                                                         : QRect(QPoint(), photo));
}

ToneSettings FrameToneWindow::tone() const {
    ToneSettings tone;
    for (int p = 0; p < kToneParameterCount; ++p) {
        setToneValue(tone, ToneParameter(p), toneBoxes[size_t(p)]->value());
    }
    return tone;
}

void FrameToneWindow::setTone(const ToneSettings& tone) {
    settingTone_ = true;
    for (int p = 0; p < kToneParameterCount; ++p) {
        toneBoxes[size_t(p)]->setValue(toneValue(tone, ToneParameter(p)));
    }
    settingTone_ = false;
}

// Any method's preset is welcome: its tone is what this window takes from it.
bool FrameToneWindow::applyMethod(const MethodSettings& settings) {
    method_ = settings;
    return true;
}

Framing FrameToneWindow::framing() const {
    Framing framing;
    framing.tone = tone();
    framing.frame.kind = kind_;
    if (kind_ != Frame::Kind::Fit) {
        framing.size = PictureSize{target_.width(), target_.height()};
    }
    if (kind_ == Frame::Kind::Rect) {
        framing.frame.rect = rect_;
    }
    return framing;
}
