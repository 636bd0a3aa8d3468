#include "ui/controls.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

QFont boldFont(const QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    return font;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    if (geometry.isValid()) {
        button->setGeometry(geometry);
    }
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(boldFont(label));
    label->move(at);
    label->adjustSize();
    return label;
}

// ---- SpinEdit ----

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    // The box's own range stays wide; the limits are enforced here so that a lower
    // maximum never rewrites the value behind the user's back.
    QSpinBox::setRange(-1000000, 1000000);
    lineEdit()->setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void SpinEdit::setLimits(int minValue, int maxValue) {
    min_ = minValue;
    max_ = maxValue;
}

void SpinEdit::setMaxValue(int maxValue) {
    max_ = maxValue;
}

int SpinEdit::clamp(int value) const {
    return max_ > min_ ? std::clamp(value, min_, max_) : value;
}

void SpinEdit::setClampedValue(int value) {
    setValue(clamp(value));
}

void SpinEdit::stepBy(int steps) {
    const int next = clamp(value() + steps * singleStep());
    if (next == value()) {
        return;
    }
    if (stepGuard_ && !stepGuard_(next)) {
        emit stepRefused();
        return;
    }
    setValue(next);
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (clamp(value() + singleStep()) != value()) {
        enabled |= StepUpEnabled;
    }
    if (clamp(value() - singleStep()) != value()) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    // Only Up and Down step; page keys would take ten steps at once.
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void SpinEdit::keyReleaseEvent(QKeyEvent* event) {
    QSpinBox::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        emit stepsEnded();
    }
}

void SpinEdit::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

// ---- Shape ----

Shape::Shape(QWidget* parent) : QWidget(parent) {}

void Shape::setBrushColor(QRgb colour) {
    brush_ = colour | 0xFF000000u;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(brush_));
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Shape::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit contextPopup();
}

// ---- ImageView ----

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::setBitmap(QImage bitmap) {
    bitmap_ = std::move(bitmap);
    update();
}

void ImageView::setControlWidth(int width) {
    resize(std::max(width, 0), height());
}

void ImageView::setControlHeight(int height) {
    resize(width(), std::max(height, 0));
}

void ImageView::setBitmapWidth(int width) {
    QImage resized(std::max(width, 0), bitmap_.height(), QImage::Format_RGB32);
    resized.fill(Qt::black);
    bitmap_ = resized;
}

void ImageView::setBitmapHeight(int height) {
    QImage resized(bitmap_.width(), std::max(height, 0), QImage::Format_RGB32);
    resized.fill(Qt::black);
    bitmap_ = resized;
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Only the exposed part is drawn: a large view inside the scroll box costs what the
    // window shows, not what the picture holds.
    const QRect area = event->rect();
    painter.fillRect(area, palette().window());
    painter.drawImage(area.topLeft(), bitmap_, area.intersected(bitmap_.rect()));
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), at.x(), at.y());
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseUp(event->button(), at.x(), at.y());
}

void ImageView::trackMouse() {
    setMouseTracking(true);
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

void ImageView::leaveEvent(QEvent*) {
    emit mouseLeft();
}

// ---- DrawGrid ----

DrawGrid::DrawGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    colours_.fill(0xFF000000u);
}

QRect DrawGrid::cellRect(int column) const {
    // A one-pixel frame, then cells of 24 pixels, each followed by a one-pixel grid line.
    return QRect(2 + column * (kCellSize + 1), 2, kCellSize, kCellSize);
}

void DrawGrid::setCellColour(int column, QRgb colour) {
    QRgb& cell = colours_[static_cast<size_t>(column)];
    // Unchanged colours schedule no repaint, so painting through drawCell cannot loop.
    if (cell != (colour | 0xFF000000u)) {
        cell = colour | 0xFF000000u;
        update(cellRect(column));
    }
}

void DrawGrid::selectColumn(int column) {
    if (column < 0 || column >= kCells) {
        return;
    }
    selected_ = column;
    update();
    emit selectCell(column);
}

void DrawGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    emit drawCell();  // lets the window refresh the colours before they are shown
    for (int c = 0; c < kCells; ++c) {
        painter.fillRect(cellRect(c), QColor::fromRgb(colours_[static_cast<size_t>(c)]));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(cellRect(selected_).adjusted(0, 0, -1, -1));
    }
}

void DrawGrid::mousePressEvent(QMouseEvent* event) {
    for (int c = 0; c < kCells; ++c) {
        if (cellRect(c).adjusted(-1, -1, 1, 1).contains(event->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            selectColumn(c);
            return;
        }
    }
}

void DrawGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            selectColumn(selected_ - 1);
            break;
        case Qt::Key_Right:
            selectColumn(selected_ + 1);
            break;
        case Qt::Key_Home:
            selectColumn(0);
            break;
        case Qt::Key_End:
            selectColumn(kCells - 1);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

// ---- PaletteComboBox ----

PaletteComboBox::PaletteComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
}

void PaletteComboBox::hidePopup() {
    const bool wasShown = view() != nullptr && view()->isVisible();
    QComboBox::hidePopup();
    if (wasShown) {
        // A click on an entry closes the list before the list takes the new selection, so
        // the closing is reported once the event that closed it has been handled.
        QTimer::singleShot(0, this, &PaletteComboBox::closeUp);
    }
}

void PaletteComboBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentIndex();
    QComboBox::keyPressEvent(event);
    if (currentIndex() != before) {
        emit closeUp();
    }
}

void PaletteComboBox::wheelEvent(QWheelEvent* event) {
    const int before = currentIndex();
    QComboBox::wheelEvent(event);
    if (currentIndex() != before) {
        emit closeUp();
    }
}
