#include "ui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "convert/score.h"
#include "document/document.h"
#include "picture/palette.h"
#include "picture/picturesize.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/drawingtools.h"
#include "ui/palettelist.h"
#include "ui/pictureview.h"
#include "ui/tooloverlay.h"

using namespace tovik;

namespace {

// How long the score waits after a change of the whole picture, and after a painted
// pixel: painting goes on in bursts.
constexpr int kScoreAfterPictureMs = 30;
constexpr int kScoreAfterPaintMs = 250;

// The steps of W and of H each merge into one undo step while they come in a run (a held
// arrow, a burst of clicks), as a live drag's conversions do; a pause this long or letting
// the key go ends the run. The keys are apart from the tool windows' (1 to 4).
constexpr int kWidthMergeKey = 5;
constexpr int kHeightMergeKey = 6;
constexpr int kSizeRunPauseMs = 600;

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

// "Кадр и тон…" in the tool bar: crop corners around a ramp from dark to light, so the
// button fits beside the others at the window's designed width.
QPixmap frameToneIcon() {
    constexpr int kSize = 22;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    for (int step = 0; step < 4; ++step) {
        const int grey = 40 + step * 65;
        p.fillRect(5 + step * 3, 5, 3, 12, QColor(grey, grey, grey));
    }
    p.setPen(QPen(QColor(30, 30, 30), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygon({QPoint(2, 7), QPoint(2, 2), QPoint(7, 2)}));
    p.drawPolyline(QPolygon({QPoint(15, 20), QPoint(20, 20), QPoint(20, 15)}));
    return pixmap;
}

}  // namespace

MainWindow::MainWindow(PictureDocument& document) : document_(document) {
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
    layout->addWidget(toolBar);
    view = new PictureView(document_, this);
    layout->addWidget(view, 1);
    setCentralWidget(central);
    statusLine = new QStatusBar(this);
    statusLine->setObjectName(QStringLiteral("StatusBar1"));
    statusLine->setFixedHeight(19);
    setStatusBar(statusLine);
    const auto statusLabel = [this](const char* name, int minimumWidth) {
        auto* label = new QLabel(statusLine);
        label->setObjectName(QLatin1String(name));
        label->setMinimumWidth(minimumWidth);
        statusLine->addPermanentWidget(label);
        return label;
    };
    positionLabel = statusLabel("PositionLabel", 160);
    sizeLabel = statusLabel("SizeLabel", 80);
    paletteLabel = statusLabel("PaletteLabel", 80);
    scoreLabel = statusLabel("ScoreLabel", 110);
    tools = new DrawingTools(document_, this);
    toolStrip = buildToolStrip(this, menu.editMenu, statusLine, *tools);
    new ToolOverlay(*tools, document_, view->image());
    scoreLabel->setToolTip(
        QStringLiteral("Оценка — насколько картинка отличается от исходника: чем меньше, тем "
                       "ближе (0 — не отличается)"));
    sizeRun_ = new QTimer(this);
    scoreTimer_ = new QTimer(this);
    scoreTimer_->setSingleShot(true);
    connect(scoreTimer_, &QTimer::timeout, this, &MainWindow::showScore);

    fillPaletteList(paletteList);
    paletteList->setCurrentIndex(document_.palette());
    // Every number shows whole in the closed list ("15", not "1"): the list grows to its
    // widest entry and the buttons after it move along.
    const int shift = paletteList->sizeHint().width() - paletteList->width();
    if (shift > 0) {
        paletteList->resize(paletteList->width() + shift, paletteList->height());
        for (QWidget* after :
             {static_cast<QWidget*>(pickPaletteButton), static_cast<QWidget*>(sourceButton),
              static_cast<QWidget*>(frameToneButton)}) {
            after->move(after->pos() + QPoint(shift, 0));
        }
    }
    showSize(document_.width(), document_.height());
    showPalette(document_.palette());

    // Start-up: colour 0.
    colourNumberLabel->setText(QStringLiteral("0"));
    colourSwatch->setBrushColor(paletteColour(document_.palette(), 0));
    paintColourCells();
    updateTitle();
    connectControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    connect(paletteList, &PaletteComboBox::closeUp, this,
            [this] { emit paletteChosen(paletteList->currentIndex()); });
    connect(sourceButton, &QPushButton::pressed, this, [this] { setShowingSource(true); });
    connect(sourceButton, &QPushButton::released, this, [this] { setShowingSource(false); });
    connect(pickPaletteButton, &QToolButton::clicked, this, &MainWindow::pickPaletteRequested);
    connect(colourGrid, &DrawGrid::drawCell, this, &MainWindow::paintColourCells);
    connect(colourGrid, &DrawGrid::selectCell, this, &MainWindow::chooseColour);
    // The mouse goes to the drawing tools; Shift and Alt are read as the event comes.
    connect(view, &PictureView::cellPressed, tools, [this](Qt::MouseButton button, QPoint cell) {
        runGuarded([&] { tools->press(cell, button, QGuiApplication::keyboardModifiers()); });
    });
    connect(view, &PictureView::cellDragged, tools, [this](Qt::MouseButtons, QPoint cell) {
        runGuarded([&] { tools->drag(cell, QGuiApplication::keyboardModifiers()); });
    });
    connect(view, &PictureView::cellReleased, tools, [this](Qt::MouseButton, QPoint cell) {
        runGuarded([&] { tools->release(cell, QGuiApplication::keyboardModifiers()); });
    });
    connect(tools, &DrawingTools::colourPicked, colourGrid, &DrawGrid::selectColumn);
    connect(view, &PictureView::mouseOverCell, this, &MainWindow::showPosition);
    connect(view, &PictureView::mouseLeft, positionLabel, &QLabel::clear);
    // The arrows stop where the buffer ends; say why.
    for (SpinEdit* edit : {widthEdit, heightEdit}) {
        connect(edit, &SpinEdit::stepRefused, this,
                [this] { showNote(QStringLiteral("W · H не больше 65536")); });
    }
    connect(previewBox, &QCheckBox::toggled, this, &MainWindow::previewToggled);
    connect(magnifyBox, &QCheckBox::toggled, this,
            [this](bool magnified) { document_.setViewScale(magnified ? 8 : 4); });
    connect(widthEdit, &QSpinBox::valueChanged, this, [this](int width) {
        runGuarded([&] {
            PictureDocument::Step step(document_, QStringLiteral("ширина"), kWidthMergeKey);
            document_.setWidth(width);
        });
        sizeRun_->start();
    });
    connect(heightEdit, &QSpinBox::valueChanged, this, [this](int height) {
        runGuarded([&] {
            PictureDocument::Step step(document_, QStringLiteral("высота"), kHeightMergeKey);
            document_.setHeight(height);
        });
        sizeRun_->start();
    });
    sizeRun_->setSingleShot(true);
    sizeRun_->setInterval(kSizeRunPauseMs);
    connect(sizeRun_, &QTimer::timeout, this, [this] { document_.closeMerge(); });
    for (SpinEdit* edit : {widthEdit, heightEdit}) {
        connect(edit, &SpinEdit::stepsEnded, this, [this] {
            sizeRun_->stop();
            document_.closeMerge();
        });
    }

    // The score waits until the picture is on the screen: it is not what the user waits
    // for while a slider moves.
    connect(&document_, &PictureDocument::pictureChanged, scoreTimer_,
            [this] { scoreTimer_->start(kScoreAfterPictureMs); });
    connect(&document_, &PictureDocument::pixelChanged, scoreTimer_,
            [this] { scoreTimer_->start(kScoreAfterPaintMs); });
    connect(&document_, &PictureDocument::sizeChanged, this, &MainWindow::showSize);
    connect(&document_, &PictureDocument::heightMaxChanged, this,
            [this](int heightMax) { heightEdit->setMaxValue(heightMax); });
    connect(&document_, &PictureDocument::paletteChanged, this, &MainWindow::showPalette);
    connect(&document_, &PictureDocument::viewScaleChanged, this, &MainWindow::showScale);
    connect(&document_, &PictureDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(&document_, &PictureDocument::fileNameChanged, this, &MainWindow::updateTitle);
}

void MainWindow::createToolBar() {
    toolBar = new QFrame(this);
    toolBar->setObjectName(QStringLiteral("Panel1"));
    toolBar->setFixedHeight(41);
    toolBar->setFrameStyle(QFrame::Panel | QFrame::Raised);

    makeBevel(toolBar, "Bevel1", QRect(4, 4, 166, 33));
    makeBevel(toolBar, "Bevel2", QRect(174, 4, 138, 33));
    makeBevel(toolBar, "Bevel3", QRect(316, 2, 232, 37));

    makeLabel(toolBar, "Label2", QStringLiteral("W"), QPoint(8, 10));
    widthEdit = makeSpinEdit(toolBar, "CSpinEdit1", QRect(28, 8, 57, 22));
    widthEdit->setLimits(kMinWidth, kMaxWidth);
    widthEdit->setSingleStep(kWidthStep);
    widthEdit->setValue(kStartWidth);
    widthEdit->setStepGuard([this](int w) { return sizeFitsBuffer(w, document_.height()); });

    makeLabel(toolBar, "Label4", QStringLiteral("H"), QPoint(90, 10));
    heightEdit = makeSpinEdit(toolBar, "CSpinEdit2", QRect(107, 8, 57, 22));
    heightEdit->setLimits(kMinHeight, kStartHeightMax);
    heightEdit->setSingleStep(1);
    heightEdit->setValue(kStartHeight);
    heightEdit->setStepGuard([this](int h) { return sizeFitsBuffer(document_.width(), h); });

    previewBox = new QCheckBox(QStringLiteral("Просмотр"), toolBar);
    previewBox->setObjectName(QStringLiteral("CheckBox1"));
    previewBox->move(180, 8);
    previewBox->adjustSize();
    magnifyBox = new QCheckBox(QStringLiteral("x 2"), toolBar);
    magnifyBox->setObjectName(QStringLiteral("CheckBox2"));
    magnifyBox->move(266, 8);
    magnifyBox->adjustSize();
    magnifyBox->setChecked(true);

    colourSwatch = new Shape(toolBar);
    colourSwatch->setObjectName(QStringLiteral("Shape1"));
    colourSwatch->setGeometry(320, 5, 30, 30);
    colourNumberLabel = makeLabel(toolBar, "Label1", QStringLiteral("0"), QPoint(331, 11));
    QPalette labelColours = colourNumberLabel->palette();
    labelColours.setColor(QPalette::WindowText, QColor::fromRgb(kSilver));
    colourNumberLabel->setPalette(labelColours);
    colourNumberLabel->setAttribute(Qt::WA_TranslucentBackground);

    colourGrid = new DrawGrid(toolBar);
    colourGrid->setObjectName(QStringLiteral("DrawGrid1"));
    colourGrid->setGeometry(356, 6, 105, 29);

    paletteList = new PaletteComboBox(toolBar);
    paletteList->setObjectName(QStringLiteral("ComboBox1"));
    paletteList->setGeometry(467, 8, 77, 22);
    QPalette comboColours = paletteList->palette();
    comboColours.setColor(QPalette::Base, QColor::fromRgb(kCream));
    comboColours.setColor(QPalette::Button, QColor::fromRgb(kCream));
    paletteList->setPalette(comboColours);

    pickPaletteButton = new QToolButton(toolBar);
    pickPaletteButton->setObjectName(QStringLiteral("PickPaletteButton"));
    pickPaletteButton->setText(QStringLiteral("Подобрать палитру"));
    pickPaletteButton->move(552, 8);
    pickPaletteButton->adjustSize();
    sourceButton = new QPushButton(QStringLiteral("Исходник"), toolBar);
    sourceButton->setObjectName(QStringLiteral("SourceButton"));
    sourceButton->move(pickPaletteButton->geometry().right() + 8, 7);
    sourceButton->adjustSize();
    sourceButton->setAutoDefault(false);
    frameToneButton = new QToolButton(toolBar);
    frameToneButton->setObjectName(QStringLiteral("FrameToneButton"));
    frameToneButton->setText(QStringLiteral("Кадр и тон…"));
    frameToneButton->setIcon(frameToneIcon());
    frameToneButton->setIconSize(QSize(22, 22));
    frameToneButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    frameToneButton->move(sourceButton->geometry().right() + 8, 8);
    frameToneButton->adjustSize();

    widthEdit->setToolTip(QStringLiteral("W — ширина картинки в точках, шаг 8"));
    heightEdit->setToolTip(QStringLiteral("H — высота картинки в строках"));
    previewBox->setToolTip(QStringLiteral("Просмотр: отдельное окно с картинкой целиком"));
    magnifyBox->setToolTip(QStringLiteral("Крупнее: 8 точек экрана на точку картинки вместо 4"));
    colourSwatch->setToolTip(QStringLiteral("Цвет, которым рисует левая кнопка"));
    colourGrid->setToolTip(QStringLiteral(
        "Четыре цвета палитры: щелчок выбирает цвет левой кнопки; правая рисует цветом 0"));
    paletteList->setToolTip(
        QStringLiteral("Палитра 0–15. Нетронутую картинку метода «Палитра» пересчитывает "
                       "заново, любую другую перекрашивает, не меняя номеров цветов"));
    pickPaletteButton->setToolTip(
        QStringLiteral("Перевести картинку в каждую из 16 палитр и показать их от самой "
                       "близкой к исходнику"));
    frameToneButton->setToolTip(
        QStringLiteral("Кадр и тон…: какая часть фотографии станет картинкой, её яркость, "
                       "контраст и цвет"));
    sourceButton->setToolTip(
        QStringLiteral("Пока нажата, показывает исходную картинку (пробел над картинкой — то же)"));
}

// ---- Following the document ----

void MainWindow::redrawView() {
    view->redraw();
}

void MainWindow::setShowingSource(bool showing) {
    view->setShowingSource(showing);
}

bool MainWindow::isShowingSource() const {
    return view->isShowingSource();
}

int MainWindow::zoomX() const {
    return view->zoomX();
}

int MainWindow::zoomY() const {
    return view->zoomY();
}

void MainWindow::showSize(int width, int height) {
    const QSignalBlocker blockWidth(widthEdit);
    const QSignalBlocker blockHeight(heightEdit);
    widthEdit->setValue(width);
    heightEdit->setValue(height);
    sizeLabel->setText(QStringLiteral("%1 × %2").arg(width).arg(height));
}

void MainWindow::showPalette(int palette) {
    const QSignalBlocker block(paletteList);
    paletteList->setCurrentIndex(palette);
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

// The picture pixel under the mouse and its colour index, as a press there would paint it.
void MainWindow::showPosition(QPoint cell) {
    const int column = cell.x(), row = cell.y();
    if (column < 0 || row < 0 || column >= document_.width() || row >= document_.height()) {
        positionLabel->clear();
        return;
    }
    const int index = document_.buffer().at(column + row * document_.width());
    positionLabel->setText(QStringLiteral("x %1, y %2: цвет %3").arg(column).arg(row).arg(index));
}

void MainWindow::showScale(int scale) {
    const QSignalBlocker block(magnifyBox);
    magnifyBox->setChecked(scale == 8);
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
    ::drawPaletteEntry(painter, paletteList->palette(), index, rect, selected);
}

void MainWindow::paintColourCells() {
    for (int c = 0; c < DrawGrid::kCells; ++c) {
        colourGrid->setCellColour(c, paletteColour(document_.palette(), c));
    }
}

// The swatch keeps the colour it was given until a cell is chosen again, also when the
// palette changes meanwhile.
void MainWindow::chooseColour(int column) {
    colourNumberLabel->setText(QString::number(column));
    colourSwatch->setBrushColor(paletteColour(document_.palette(), column));
    selectedColour_ = column;
    tools->setColour(column);
}

void MainWindow::paintAt(Qt::MouseButton button, int x, int y) {
    if (const auto cell = view->pressedCell({x, y})) {
        paintCell(button, *cell);
    }
}

void MainWindow::paintCell(Qt::MouseButton button, QPoint cell) {
    document_.paintPixel(cell.x(), cell.y(), button == Qt::LeftButton ? selectedColour_ : 0);
}

void MainWindow::showNote(const QString& text) {
    statusLine->showMessage(text, 5000);
}

void MainWindow::enableChunkSettings() {
    menu.chunkSettingsAction->setEnabled(true);
}

void MainWindow::setPreviewShown(bool shown) {
    previewBox->setChecked(shown);
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

// A drop is always answered with a copy, whatever the source proposes: a file manager
// that was told "moved" would delete the user's picture.
void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (!file.isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
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
