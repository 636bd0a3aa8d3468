#include "ui/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "convert/score.h"
#include "document/document.h"
#include "picture/palette.h"
#include "picture/picturesize.h"
#include "picture/render.h"
#include "ui/application.h"
#include "ui/controls.h"

using namespace tovik;

namespace {

// How long the score waits after a change of the whole picture, and after a painted
// pixel: painting goes on in bursts.
constexpr int kScoreAfterPictureMs = 30;
constexpr int kScoreAfterPaintMs = 250;

}  // namespace

namespace {

constexpr QRgb kCream = 0xFFFFFBF0;
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kNavy = 0xFF000080;

// The palette list's pictures (its image list), 37 x 14, black with three 11 x 12 bars
// in colours 1, 2 and 3 of each palette: fixed data of the window, kept apart from the
// palette table.
constexpr int kImageWidth = 37;
constexpr int kImageHeight = 14;
constexpr QRgb kPaletteImageBars[16][3] = {
    {0x0000FF, 0x00FF00, 0xFF0000}, {0xFFFF00, 0xFF00FF, 0xFF0000}, {0x00FFFF, 0x0000FF, 0xFF00FF},
    {0x00FF00, 0x00FFFF, 0xFFFF00}, {0xFF00FF, 0x00FFFF, 0xFFFFFF}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {0xC00000, 0x900000, 0xFF0000}, {0xC0FF00, 0x90FF00, 0xFFFF00}, {0xC000FF, 0x9000FF, 0xFF00FF},
    {0x90FF00, 0x9000FF, 0x900000}, {0xC0FF00, 0xC000FF, 0xC00000}, {0x00FFFF, 0xFFFF00, 0xFF0000},
    {0xFF0000, 0x00FF00, 0x00FFFF}, {0x00FFFF, 0xFFFF00, 0xFFFFFF}, {0xFFFF00, 0x00FF00, 0xFFFFFF},
    {0x00FFFF, 0x00FF00, 0xFFFFFF},
};

QPixmap paletteImage(int index) {
    QImage image(kImageWidth, kImageHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int bar = 0; bar < 3; ++bar) {
        painter.fillRect(1 + 12 * bar, 1, 11, 12, QColor::fromRgb(kPaletteImageBars[index][bar]));
    }
    return QPixmap::fromImage(image);
}

// Draws the palette list's entries through the window.
class PaletteItemDelegate : public QStyledItemDelegate {
public:
    PaletteItemDelegate(const MainWindow* window, QObject* parent)
        : QStyledItemDelegate(parent), window_(window) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        window_->drawPaletteEntry(*painter, index.row(), option.rect,
                                  option.state.testFlag(QStyle::State_Selected));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 17};
    }

private:
    const MainWindow* window_;
};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

QFrame* makeBevel(QWidget* parent, const char* name, QRect geometry) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QLatin1String(name));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(geometry);
    return bevel;
}

SpinEdit* makeSpinEdit(QWidget* parent, const char* name, QRect geometry) {
    auto* edit = new SpinEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(kCream));
    colours.setColor(QPalette::Text, QColor::fromRgb(kNavy));
    edit->setPalette(colours);
    QFont font = edit->font();
    font.setBold(true);
    edit->setFont(font);
    return edit;
}

}  // namespace

MainWindow::MainWindow(PictureDocument& document) : document_(document), gridFirstLine_(kBlack) {
    setObjectName(QStringLiteral("Form1"));
    resize(883, 722);
    move(531, 98);
    setAcceptDrops(true);

    menu = buildMainMenu(menuBar(), document_.undoStack());
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createToolBar();
    layout->addWidget(Panel1);
    createView();
    layout->addWidget(ScrollBox1, 1);
    setCentralWidget(central);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);
    const auto statusLabel = [this](const char* name, int minimumWidth) {
        auto* label = new QLabel(StatusBar1);
        label->setObjectName(QLatin1String(name));
        label->setMinimumWidth(minimumWidth);
        StatusBar1->addPermanentWidget(label);
        return label;
    };
    positionLabel = statusLabel("PositionLabel", 160);
    sizeLabel = statusLabel("SizeLabel", 80);
    paletteLabel = statusLabel("PaletteLabel", 80);
    scoreLabel = statusLabel("ScoreLabel", 110);
    scoreTimer_ = new QTimer(this);
    scoreTimer_->setSingleShot(true);
    connect(scoreTimer_, &QTimer::timeout, this, &MainWindow::showScore);

    ComboBox1->setItemDelegate(new PaletteItemDelegate(this, ComboBox1));
    ComboBox1->setIconSize(QSize(kImageWidth, kImageHeight));
    for (int i = 0; i < kPaletteCount; ++i) {
        ComboBox1->addItem(QIcon(paletteImage(i)), QString::number(i));
    }
    ComboBox1->setCurrentIndex(document_.palette());
    showSize(document_.width(), document_.height());
    showPalette(document_.palette());

    // Start-up: the view at the document's magnification, its first grid, colour 0.
    showPicture();
    Label1->setText(QStringLiteral("0"));
    Shape1->setBrushColor(paletteColour(document_.palette(), 0));
    paintColourCells();
    updateTitle();
    connectControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    connect(ComboBox1, &PaletteComboBox::closeUp, this,
            [this] { emit paletteChosen(ComboBox1->currentIndex()); });
    connect(sourceButton, &QPushButton::pressed, this, [this] { setShowingSource(true); });
    connect(sourceButton, &QPushButton::released, this, [this] { setShowingSource(false); });
    qApp->installEventFilter(this);
    connect(DrawGrid1, &DrawGrid::drawCell, this, &MainWindow::paintColourCells);
    connect(DrawGrid1, &DrawGrid::selectCell, this, &MainWindow::chooseColour);
    connect(Image1, &ImageView::mouseDown, this, [this](Qt::MouseButton button, int x, int y) {
        runGuarded([&] { paintAt(button, x, y); });
    });
    Image1->trackMouse();
    connect(Image1, &ImageView::mouseMoved, this, &MainWindow::showPosition);
    connect(Image1, &ImageView::mouseLeft, positionLabel, &QLabel::clear);
    // The arrows stop where the buffer ends; say why.
    for (SpinEdit* edit : {CSpinEdit1, CSpinEdit2}) {
        connect(edit, &SpinEdit::stepRefused, this,
                [this] { showNote(QStringLiteral("W · H не больше 65536")); });
    }
    connect(CheckBox1, &QCheckBox::toggled, this, &MainWindow::previewToggled);
    connect(CheckBox2, &QCheckBox::toggled, this,
            [this](bool magnified) { document_.setViewScale(magnified ? 8 : 4); });
    connect(CSpinEdit1, &QSpinBox::valueChanged, this,
            [this](int width) { runGuarded([&] { document_.setWidth(width); }); });
    connect(CSpinEdit2, &QSpinBox::valueChanged, this,
            [this](int height) { runGuarded([&] { document_.setHeight(height); }); });

    connect(&document_, &PictureDocument::pictureChanged, this, &MainWindow::showPicture);
    // The score waits until the picture is on the screen: it is not what the user waits
    // for while a slider moves.
    connect(&document_, &PictureDocument::pictureChanged, scoreTimer_,
            [this] { scoreTimer_->start(kScoreAfterPictureMs); });
    connect(&document_, &PictureDocument::pixelChanged, this, &MainWindow::showPixel);
    connect(&document_, &PictureDocument::pixelChanged, scoreTimer_,
            [this] { scoreTimer_->start(kScoreAfterPaintMs); });
    connect(&document_, &PictureDocument::sizeChanged, this, &MainWindow::showSize);
    connect(&document_, &PictureDocument::heightMaxChanged, this,
            [this](int heightMax) { CSpinEdit2->setMaxValue(heightMax); });
    connect(&document_, &PictureDocument::paletteChanged, this, &MainWindow::showPalette);
    connect(&document_, &PictureDocument::viewScaleChanged, this, &MainWindow::showScale);
    connect(&document_, &PictureDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(&document_, &PictureDocument::fileNameChanged, this, &MainWindow::updateTitle);
}

void MainWindow::createToolBar() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Bevel1 = makeBevel(Panel1, "Bevel1", QRect(4, 4, 166, 33));
    Bevel2 = makeBevel(Panel1, "Bevel2", QRect(174, 4, 138, 33));
    Bevel3 = makeBevel(Panel1, "Bevel3", QRect(316, 2, 232, 37));

    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("W"), QPoint(8, 10));
    CSpinEdit1 = makeSpinEdit(Panel1, "CSpinEdit1", QRect(28, 8, 57, 22));
    CSpinEdit1->setLimits(kMinWidth, kMaxWidth);
    CSpinEdit1->setSingleStep(kWidthStep);
    CSpinEdit1->setValue(kStartWidth);
    CSpinEdit1->setStepGuard([this](int w) { return sizeFitsBuffer(w, document_.height()); });

    Label4 = makeLabel(Panel1, "Label4", QStringLiteral("H"), QPoint(90, 10));
    CSpinEdit2 = makeSpinEdit(Panel1, "CSpinEdit2", QRect(107, 8, 57, 22));
    CSpinEdit2->setLimits(kMinHeight, kStartHeightMax);
    CSpinEdit2->setSingleStep(1);
    CSpinEdit2->setValue(kStartHeight);
    CSpinEdit2->setStepGuard([this](int h) { return sizeFitsBuffer(document_.width(), h); });

    CheckBox1 = new QCheckBox(QStringLiteral("Просмотр"), Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->move(180, 8);
    CheckBox1->adjustSize();
    CheckBox2 = new QCheckBox(QStringLiteral("x 2"), Panel1);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->move(266, 8);
    CheckBox2->adjustSize();
    CheckBox2->setChecked(true);

    Shape1 = new Shape(Panel1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(320, 5, 30, 30);
    Label1 = makeLabel(Panel1, "Label1", QStringLiteral("0"), QPoint(331, 11));
    QPalette labelColours = Label1->palette();
    labelColours.setColor(QPalette::WindowText, QColor::fromRgb(kSilver));
    Label1->setPalette(labelColours);
    Label1->setAttribute(Qt::WA_TranslucentBackground);

    DrawGrid1 = new DrawGrid(Panel1);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->setGeometry(356, 6, 105, 29);

    ComboBox1 = new PaletteComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(467, 8, 77, 22);
    QPalette comboColours = ComboBox1->palette();
    comboColours.setColor(QPalette::Base, QColor::fromRgb(kCream));
    comboColours.setColor(QPalette::Button, QColor::fromRgb(kCream));
    ComboBox1->setPalette(comboColours);

    pickPaletteButton = new QToolButton(Panel1);
    pickPaletteButton->setObjectName(QStringLiteral("PickPaletteButton"));
    pickPaletteButton->setText(QStringLiteral("Подобрать палитру"));
    pickPaletteButton->move(552, 8);
    pickPaletteButton->adjustSize();
    sourceButton = new QPushButton(QStringLiteral("Исходник"), Panel1);
    sourceButton->setObjectName(QStringLiteral("SourceButton"));
    sourceButton->move(pickPaletteButton->geometry().right() + 8, 7);
    sourceButton->adjustSize();
    sourceButton->setAutoDefault(false);
    frameToneButton = new QToolButton(Panel1);
    frameToneButton->setObjectName(QStringLiteral("FrameToneButton"));
    frameToneButton->setText(QStringLiteral("Кадр и тон…"));
    frameToneButton->move(sourceButton->geometry().right() + 8, 8);
    frameToneButton->adjustSize();
}

void MainWindow::createView() {
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    QPalette silver = ScrollBox1->palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(kSilver));
    ScrollBox1->setPalette(silver);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    scrollContent_ = new QWidget;
    scrollContent_->setPalette(silver);
    scrollContent_->setAutoFillBackground(true);
    Image1 = new ImageView(scrollContent_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(4, 4);
    Image1->resize(kStartWidth * 8, kStartHeight * 8);
    Image1->setBitmap(QImage(Image1->size(), QImage::Format_RGB32));
    Image1->bitmap().fill(Qt::white);
    ScrollBox1->setWidget(scrollContent_);
    fitScrollContent();
}

void MainWindow::fitScrollContent() {
    scrollContent_->resize(Image1->width() + 8, Image1->height() + 8);
}

// ---- Following the document ----

void MainWindow::showPicture() {
    const int s = document_.viewScale();
    Image1->resize(document_.width() * s, document_.height() * s);
    Image1->bitmap() = QImage(Image1->size(), QImage::Format_RGB32);
    fitScrollContent();
    redrawView();
}

void MainWindow::setShowingSource(bool showing) {
    if (showingSource_ != showing) {
        showingSource_ = showing;
        redrawView();
    }
}

// The space bar held while the mouse is over the view shows the imported picture.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat() && isActiveWindow() &&
            (Image1->underMouse() || showingSource_)) {
            setShowingSource(event->type() == QEvent::KeyPress);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::redrawView() {
    const QImage& working = document_.workingBitmap();
    zoomX_ = working.width() > 0 ? Image1->width() / working.width() : 0;
    zoomY_ = working.height() > 0 ? Image1->height() / working.height() : 0;
    if (showingSource_) {
        // The fitted picture in the working bitmap's place, the rest black.
        QImage source(working.size(), QImage::Format_RGB32);
        source.fill(Qt::black);
        QPainter(&source).drawImage(0, 0, document_.fittedPicture());
        drawView(source, Image1->bitmap(), zoomX_, zoomY_, gridFirstLine_);
    } else {
        drawView(working, Image1->bitmap(), zoomX_, zoomY_, gridFirstLine_);
    }
    // The first grid draws line 0 with the pen nothing has used yet; every later one
    // with the dark grey the lines before left behind.
    viewFirstLineStale_ = gridFirstLine_ != kGridDark;
    gridFirstLine_ = kGridDark;
    Image1->update();
}

// Only the pixel's cell and the grid lines over it are drawn again: the same pixels a
// whole redraw would give, at a small part of its cost.
void MainWindow::showPixel(int x, int y) {
    const QImage& working = document_.workingBitmap();
    if (showingSource_) {
        return;
    }
    if (viewFirstLineStale_ || Image1->bitmap().size() != working.size() * zoomX_ ||
        zoomX_ != zoomY_) {
        redrawView();
        return;
    }
    Image1->update(drawViewCell(working, Image1->bitmap(), zoomX_, zoomY_, gridFirstLine_, x, y));
}

void MainWindow::showSize(int width, int height) {
    const QSignalBlocker blockWidth(CSpinEdit1);
    const QSignalBlocker blockHeight(CSpinEdit2);
    CSpinEdit1->setValue(width);
    CSpinEdit2->setValue(height);
    sizeLabel->setText(QStringLiteral("%1 × %2").arg(width).arg(height));
}

void MainWindow::showPalette(int palette) {
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setCurrentIndex(palette);
    paintColourCells();
    paletteLabel->setText(QStringLiteral("палитра %1").arg(palette));
}

// The score of the picture against the picture it was converted from, when the picture
// still holds the whole fitted area.
void MainWindow::showScore() {
    scoreTimer_->stop();
    const QImage& fitted = document_.fittedPicture();
    if (fitted.isNull() || fitted.width() > document_.width() ||
        fitted.height() > document_.height()) {
        scoreLabel->clear();
        return;
    }
    const double score =
        conversionScore(fitted, document_.buffer(), document_.width(), document_.palette());
    scoreLabel->setText(QStringLiteral("оценка %1").arg(score, 0, 'f', 3));
}

// The picture pixel under the mouse and its colour index, with the zoom of the last
// full redraw, as a press there would paint it.
void MainWindow::showPosition(int x, int y) {
    const int column = zoomX_ > 0 ? x / zoomX_ : -1;
    const int row = zoomY_ > 0 ? y / zoomY_ : -1;
    if (column < 0 || row < 0 || column >= document_.width() || row >= document_.height()) {
        positionLabel->clear();
        return;
    }
    const int index = document_.buffer().at(column + row * document_.width());
    positionLabel->setText(QStringLiteral("x %1, y %2: цвет %3").arg(column).arg(row).arg(index));
}

void MainWindow::showScale(int scale) {
    const QSignalBlocker block(CheckBox2);
    CheckBox2->setChecked(scale == 8);
}

void MainWindow::updateTitle() {
    const QString name = QFileInfo(document_.fileName()).fileName();
    const QString mark = document_.isModified() ? QStringLiteral("*") : QString();
    const QString title = QString::fromLatin1(Application::kTitle);
    setWindowTitle(name.isEmpty() ? title + mark
                                  : QStringLiteral("%1%2 — %3").arg(name, mark, title));
}

// ---- The user's controls ----

void MainWindow::drawPaletteEntry(QPainter& painter, int index, const QRect& rect,
                                  bool selected) const {
    const QPalette& colours = ComboBox1->palette();
    painter.fillRect(rect, selected ? colours.highlight() : colours.base());
    painter.drawPixmap(rect.left() + 1, rect.top() + 1, paletteImage(index));
    painter.setPen(selected ? colours.highlightedText().color() : colours.text().color());
    painter.drawText(
        QRect(rect.left() + kImageWidth + 3, rect.top() + 1, rect.width(), rect.height()),
        Qt::AlignLeft | Qt::AlignTop, QString::number(index));
}

void MainWindow::paintColourCells() {
    for (int c = 0; c < DrawGrid::kCells; ++c) {
        DrawGrid1->setCellColour(c, paletteColour(document_.palette(), c));
    }
}

// The swatch keeps the colour it was given until a cell is chosen again, also when the
// palette changes meanwhile.
void MainWindow::chooseColour(int column) {
    Label1->setText(QString::number(column));
    Shape1->setBrushColor(paletteColour(document_.palette(), column));
    selectedColour_ = column;
}

void MainWindow::paintAt(Qt::MouseButton button, int x, int y) {
    if (zoomX_ <= 0 || zoomY_ <= 0 || x < 0 || y < 0) {
        return;
    }
    const int column = x / zoomX_, row = y / zoomY_;
    const QImage& working = document_.workingBitmap();
    zoomX_ = working.width() > 0 ? Image1->width() / working.width() : 0;
    zoomY_ = working.height() > 0 ? Image1->height() / working.height() : 0;
    if (column >= working.width() || row >= working.height()) {
        return;
    }
    document_.paintPixel(column, row, button == Qt::LeftButton ? selectedColour_ : 0);
}

void MainWindow::showNote(const QString& text) {
    StatusBar1->showMessage(text, 5000);
}

void MainWindow::setPreviewShown(bool shown) {
    CheckBox1->setChecked(shown);
}

namespace {

// The first local file a drag carries, or nothing.
QString droppedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (!file.isEmpty()) {
        event->acceptProposedAction();
        emit fileDropped(file);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}
