#pragma once

#include <QComboBox>
#include <QImage>
#include <QSpinBox>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

// The colours the windows share.
constexpr QRgb kCream = 0xFFFFFBF0;   // edit and list backgrounds
constexpr QRgb kSilver = 0xFFC0C0C0;  // around the view, the colour number
constexpr QRgb kNavy = 0xFF000080;    // edit letters, the "Просмотр" caption

// The window's font made bold.
QFont boldFont(const QWidget* widget);
// A push button that is never the default one, at `geometry` (a null one leaves the
// button to a layout).
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry);
// A bold label sized to its text, at `at`.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QPoint at);

// Small controls the windows use that Qt has no exact match for.

// A spin edit whose text cannot be typed: only its arrows and the Up and Down keys step
// it. Its limits are its own, so lowering the maximum leaves the current value alone, as
// the height edit needs when a picture load sets its maximum.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setLimits(int minValue, int maxValue);
    void setMaxValue(int maxValue);  // keeps the value and raises no change
    int minValue() const { return min_; }
    int maxValue() const { return max_; }

    // A value put in by the program, clamped into the limits.
    void setClampedValue(int value);

    // Decides whether an arrow step to the given value is taken; a refused step leaves
    // the value as it was.
    void setStepGuard(std::function<bool(int)> guard) { stepGuard_ = std::move(guard); }

    void stepBy(int steps) override;

signals:
    // An arrow step was refused by the guard.
    void stepRefused();
    // The arrow key that stepped was let go: a run of steps is over. (Clicks on the arrows
    // come in bursts; their run ends with a pause.)
    void stepsEnded();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int clamp(int value) const;

    int min_ = 0;
    int max_ = 0;
    std::function<bool(int)> stepGuard_;
};

// A rectangle filled with one colour inside a one-pixel black pen. A right click emits
// contextPopup().
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);

    QRgb brushColor() const { return brush_; }
    void setBrushColor(QRgb colour);

signals:
    void contextPopup();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QRgb brush_ = 0xFFFFFFFF;
};

// An image control: a widget of its own size showing a bitmap of its own size at 1:1
// from its top-left corner. A mouse press emits mouseDown with the button and position,
// its release mouseUp.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    QImage& bitmap() { return bitmap_; }
    const QImage& bitmap() const { return bitmap_; }
    void setBitmap(QImage bitmap);

    // Control size and bitmap size, each kept when the other changes.
    void setControlWidth(int width);
    void setControlHeight(int height);
    void setBitmapWidth(int width);
    void setBitmapHeight(int height);

    // Reports where the mouse is over the image, not only while a button is held.
    void trackMouse();

signals:
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseUp(Qt::MouseButton button, int x, int y);
    void mouseMoved(int x, int y);
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage bitmap_;
};

// The colour grid: one row of four 24-pixel cells with grid lines. The window paints the
// cells through drawCell; selecting a cell by mouse or by the Left and Right keys emits
// selectCell.
class DrawGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCells = 4;
    static constexpr int kCellSize = 24;

    explicit DrawGrid(QWidget* parent = nullptr);

    void setCellColour(int column, QRgb colour);
    QRgb cellColour(int column) const { return colours_[static_cast<size_t>(column)]; }
    int selectedColumn() const { return selected_; }
    QRect cellRect(int column) const;

    // Moves the selection as a click on the cell would.
    void selectColumn(int column);

signals:
    void drawCell();
    void selectCell(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::array<QRgb, kCells> colours_{};
    int selected_ = 0;
};

// The palette list: a drop-down list only, whose closing emits closeUp whether or not the
// selection changed. A keyboard change of the closed list counts as a closing too, so the
// picture always shows the palette the list shows.
class PaletteComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PaletteComboBox(QWidget* parent = nullptr);

    void hidePopup() override;

signals:
    void closeUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};
