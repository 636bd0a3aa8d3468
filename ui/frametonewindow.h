#pragma once

#include <QImage>
#include <QWidget>
#include <array>

#include "convert/method.h"
#include "load/frame.h"
#include "load/importpicture.h"
#include "ui/toolwindow.h"

class QCheckBox;
class QDoubleSpinBox;
class QPushButton;
class QSlider;

// The photograph shown whole with the frame over it: drag inside the frame to move it,
// a corner to resize it, the wheel to zoom around the pointer. The frame never leaves
// the photograph; with proportions set, a resized frame keeps them.
class FrameView : public QWidget {
    Q_OBJECT
public:
    explicit FrameView(QWidget* parent);

    void setPhotograph(const QImage& kept, QSize photographSize);
    // The frame in the photograph's pixels; an empty one is drawn as the whole photograph.
    void setFrame(const QRect& frame) {
        frame_ = frame;
        update();
    }
    QRect frame() const { return frame_; }
    // W : H for corner drags; an empty size lets them go free.
    void setProportions(QSize proportions) { proportions_ = proportions; }
    QSize sizeHint() const override { return {420, 320}; }
    QSize photographSize() const { return photo_; }

    // The view pixel of a photograph point, and back, at the current zoom.
    QPointF toView(QPointF photo) const;
    QPointF toPhoto(QPointF view) const;

signals:
    void frameDragged(const QRect& frame);
    void dragFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Drag { None, Move, Corner };
    double baseScale() const;
    QRect clamped(QRect frame) const;
    QRect resizedFrom(QPointF pointer) const;

    QImage view_;  // the kept copy brought down to at most the screen's needs
    QSize photo_;
    QRect frame_;
    QSize proportions_;
    double zoom_ = 1.0;
    QPointF centre_;  // the photograph point at the view's centre
    Drag drag_ = Drag::None;
    QPointF grab_;     // move: the pointer's photograph point at the press
    QRect grabFrame_;  // the frame at the press
    QPointF anchor_;   // corner: the opposite corner, which stays
};

// "Кадр и тон": the part of the photograph that becomes the picture, and how light,
// contrast and colour come in. Every change asks for a new fit and conversion; with
// "Сразу" checked (the start) at once. Its presets hold the last conversion's method with
// the tone.
class FrameToneWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit FrameToneWindow(const QWidget* owner);

    // The photograph of the last import, and the framing the document holds now. The
    // target size is the picture's W x H; a frame of one's own keeps its proportions.
    void setPicture(const tovik::ImportedPicture& picture, const tovik::Framing& framing);
    void setTargetSize(QSize size);
    // The framing the controls give: Fit with no size, Fill and a frame of one's own at
    // the target size.
    tovik::Framing framing() const;
    tovik::ToneSettings tone() const;
    void setTone(const tovik::ToneSettings& tone);

    // The method of the conversion the window re-runs, for its presets.
    tovik::MethodSettings methodSettings() const override { return method_; }
    bool applyMethod(const tovik::MethodSettings& settings) override;
    void setMethod(const tovik::MethodSettings& settings) { method_ = settings; }

    FrameView* frameView;
    QPushButton* fitButton;    // Вписать
    QPushButton* fillButton;   // Заполнить
    QCheckBox* proportionBox;  // Пропорции W : H
    std::array<QSlider*, tovik::kToneParameterCount> toneBars{};
    std::array<QDoubleSpinBox*, tovik::kToneParameterCount> toneBoxes{};
    QPushButton* autoButton;   // Авто
    QPushButton* resetButton;  // Сбросить

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A hidden window lets go of the photograph; opening it again brings the current one.
    void hideEvent(QHideEvent* event) override;

private:
    void setFrameKind(tovik::Frame::Kind kind);
    void showFrame();

    tovik::ImportedPicture picture_;
    tovik::Frame::Kind kind_ = tovik::Frame::Kind::Fit;
    QRect rect_;  // the frame of one's own
    QSize target_{64, 64};
    bool settingTone_ = false;
    tovik::MethodSettings method_;
};
