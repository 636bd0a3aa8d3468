#include "ui/Main.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "convert/cga.h"
#include "convert/fit.h"
#include "convert/floydsteinberg.h"
#include "load/picturefile.h"
#include "convert/thresholds.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/picturesize.h"
#include "picture/projectfile.h"
#include "picture/render.h"
#include "machinefiles/bmp24.h"
#include "machinefiles/rawstrip.h"
#include "machinefiles/screenpack.h"
#include "machinefiles/uknc.h"
#include "ui/Application.h"
#include "ui/Chankconf.h"
#include "ui/Controls.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"

using namespace tovik;

TForm1* Form1 = nullptr;

const FileDialog TForm1::SaveDialog1{"SaveDialog1", "Бинарный файл|*.bin", "*.bin", {}};
const FileDialog TForm1::SaveDialog2{"SaveDialog2", "*.bip|*.bip", "*.bip", {}};
const FileDialog TForm1::OpenDialog1{"OpenDialog1", "*.bip|*.bip", "*.bip", "\"\""};
const FileDialog TForm1::OpenDialog2{"OpenDialog2", "*.bmp, *.jpg|*.bmp;*.jpg;*.jpeg", "*.jpg", {}};
const FileDialog TForm1::SaveDialog3{"SaveDialog3", "*.bmp|*.bmp", "*.bmp", {}};
const FileDialog TForm1::OpenDialog3{"OpenDialog3", "All|*.*", "*.*", {}};
const FileDialog TForm1::SaveDialog4{"SaveDialog4", "MAC|*.MAC", "*.MAC", {}};

namespace {

constexpr QRgb kCream = 0xFFFFFBF0;
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kNavy = 0xFF000080;

// ImageList1: the palette list's pictures, 37 x 14, black with three 11 x 12 bars in
// colours 1, 2 and 3 of each palette. Window data, kept apart from the palette table.
constexpr int kImageWidth = 37;
constexpr int kImageHeight = 14;
constexpr QRgb kImageList1Bars[16][3] = {
    {0x0000FF, 0x00FF00, 0xFF0000}, {0xFFFF00, 0xFF00FF, 0xFF0000}, {0x00FFFF, 0x0000FF, 0xFF00FF},
    {0x00FF00, 0x00FFFF, 0xFFFF00}, {0xFF00FF, 0x00FFFF, 0xFFFFFF}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {0xC00000, 0x900000, 0xFF0000}, {0xC0FF00, 0x90FF00, 0xFFFF00}, {0xC000FF, 0x9000FF, 0xFF00FF},
    {0x90FF00, 0x9000FF, 0x900000}, {0xC0FF00, 0xC000FF, 0xC00000}, {0x00FFFF, 0xFFFF00, 0xFF0000},
    {0xFF0000, 0x00FF00, 0x00FFFF}, {0x00FFFF, 0xFFFF00, 0xFFFFFF}, {0xFFFF00, 0x00FF00, 0xFFFFFF},
    {0x00FFFF, 0x00FF00, 0xFFFFFF},
};

QPixmap imageList1(int index) {
    QImage image(kImageWidth, kImageHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int bar = 0; bar < 3; ++bar) {
        painter.fillRect(1 + 12 * bar, 1, 11, 12, QColor::fromRgb(kImageList1Bars[index][bar]));
    }
    return QPixmap::fromImage(image);
}

// Draws the palette list's entries through ComboBox1DrawItem.
class PaletteItemDelegate : public QStyledItemDelegate {
public:
    PaletteItemDelegate(TForm1* form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        form_->ComboBox1DrawItem(*painter, index.row(), option.rect,
                                 option.state.testFlag(QStyle::State_Selected));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 17};
    }

private:
    TForm1* form_;
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

TForm1::TForm1() : dialogs_(std::make_unique<QtDialogs>(this)), gridFirstLine_(kBlack) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(Application::kTitle));
    resize(883, 722);
    move(531, 98);

    createMenu();
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

    // The constructor fills the palette list; its handlers are connected afterwards so
    // that selecting entry 0 is not taken for a palette change.
    ComboBox1->setItemDelegate(new PaletteItemDelegate(this, ComboBox1));
    ComboBox1->setIconSize(QSize(kImageWidth, kImageHeight));
    for (int i = 0; i < kPaletteCount; ++i) {
        ComboBox1->addItem(QIcon(imageList1(i)), QString::number(i));
    }
    ComboBox1->setCurrentIndex(0);

    FormCreate();

    connect(ComboBox1, &PaletteComboBox::closeUp, this, guarded(this, &TForm1::ComboBox1CloseUp));
    connect(DrawGrid1, &DrawGrid::drawCell, this, guarded(this, &TForm1::DrawGrid1DrawCell));
    connect(DrawGrid1, &DrawGrid::selectCell, this,
            [this](int column) { runGuarded([&] { DrawGrid1SelectCell(column); }); });
    connect(Image1, &ImageView::mouseDown, this, [this](Qt::MouseButton button, int x, int y) {
        runGuarded([&] { Image1MouseDown(button, x, y); });
    });
    connect(CheckBox1, &QCheckBox::toggled, this, guarded(this, &TForm1::CheckBox1Click));
    connect(CheckBox2, &QCheckBox::toggled, this, guarded(this, &TForm1::CheckBox2Click));
    connect(CSpinEdit1, &QSpinBox::valueChanged, this, guarded(this, &TForm1::CSpinEdit1Change));
    connect(CSpinEdit2, &QSpinBox::valueChanged, this, guarded(this, &TForm1::CSpinEdit2Change));
}

TForm1::~TForm1() = default;

void TForm1::createMenu() {
    QMenuBar* bar = menuBar();
    auto menu = [](QWidget* parent, const char* name, const QString& title) {
        auto* m = new QMenu(title, parent);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu* parent, const char* name, const QString& text, auto handler) {
        QAction* action = parent->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (handler != nullptr) {
            connect(action, &QAction::triggered, this, guarded(this, handler));
        }
        return action;
    };
    auto separator = [](QMenu* parent, const char* name) {
        parent->addSeparator()->setObjectName(QLatin1String(name));
    };
    using Handler = void (TForm1::*)();
    constexpr Handler none = nullptr;

    N1 = menu(this, "N1", QStringLiteral("Файл"));
    N2 = item(N1, "N2", QStringLiteral("Открыть проект"), &TForm1::N2Click);
    N3 = item(N1, "N3", QStringLiteral("Сохранить проект"), &TForm1::N3Click);
    separator(N1, "N4");
    N5 = menu(N1, "N5", QStringLiteral("Экспорт"));
    N1->addMenu(N5);
    BIN1 = item(N5, "BIN1", QStringLiteral("BIN с палитрой"), &TForm1::BIN1Click);
    separator(N5, "N20");
    BIN2 = item(N5, "BIN2", QStringLiteral("BIN с заголовком"), &TForm1::BIN2Click);
    separator(N5, "N21");
    N10 = item(N5, "N10", QStringLiteral("Дамп (бинарный)"), &TForm1::N10Click);
    N10->setCheckable(true);  // flips its own check mark on each use; nothing reads it
    separator(N5, "N11");
    N12 = item(N5, "N12", QStringLiteral("Текстовый"), none);
    N12->setEnabled(false);
    separator(N5, "N15");
    N24bitbmp1 =
        item(N5, "N24bitbmp1", QStringLiteral("Битмэп (24 bit bmp)"), &TForm1::N24bitbmp1Click);
    separator(N1, "N6");
    N7 = menu(N1, "N7", QStringLiteral("Импорт"));
    N1->addMenu(N7);
    CGA321 = item(N7, "CGA321", QStringLiteral("CGA_BWCM"), &TForm1::CGA321Click);
    separator(N7, "N19");
    N14 = item(N7, "N14", QStringLiteral("Флойд-Стейнберг"), &TForm1::N14Click);
    separator(N7, "N22");
    NewFloyd1 = item(N7, "NewFloyd1", QStringLiteral("\"Чанки\""), &TForm1::NewFloyd1Click);
    separator(N7, "N16");
    N17 = item(N7, "N17", QStringLiteral("Пороги"), &TForm1::N17Click);
    separator(N7, "N18");
    IMG1 = item(N7, "IMG1", QStringLiteral("Tovik_IMG"), &TForm1::IMG1Click);
    separator(N1, "N25");
    N26 = item(N1, "N26", QStringLiteral("УКНЦ"), &TForm1::N26Click);
    separator(N1, "N8");
    N9 = item(N1, "N9", QStringLiteral("Выход"), &TForm1::N9Click);
    bar->addMenu(N1);

    N23 = menu(this, "N23", QStringLiteral("Настройки (пример)"));
    N24 = item(N23, "N24", QStringLiteral("(импорт)Чанки"), &TForm1::N24Click);
    N24->setEnabled(false);
    bar->addMenu(N23);

    N13 = bar->addAction(QStringLiteral("Хелп"));
    N13->setObjectName(QStringLiteral("N13"));
    connect(N13, &QAction::triggered, this, guarded(this, &TForm1::N13Click));
}

void TForm1::createToolBar() {
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
    CSpinEdit1->setStepGuard([this](int w) { return sizeFitsBuffer(w, pictureHeight()); });

    Label4 = makeLabel(Panel1, "Label4", QStringLiteral("H"), QPoint(90, 10));
    CSpinEdit2 = makeSpinEdit(Panel1, "CSpinEdit2", QRect(107, 8, 57, 22));
    CSpinEdit2->setLimits(kMinHeight, kStartHeightMax);
    CSpinEdit2->setSingleStep(1);
    CSpinEdit2->setValue(kStartHeight);
    CSpinEdit2->setStepGuard([this](int h) { return sizeFitsBuffer(pictureWidth(), h); });

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
}

void TForm1::createView() {
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
    Image2 = QImage(kStartWidth, kStartHeight, QImage::Format_RGB32);
}

void TForm1::fitScrollContent() {
    scrollContent_->resize(Image1->width() + 8, Image1->height() + 8);
}

int TForm1::pictureWidth() const {
    return CSpinEdit1->value();
}

int TForm1::pictureHeight() const {
    return CSpinEdit2->value();
}

int TForm1::palette() const {
    return ComboBox1->currentIndex();
}

void TForm1::setPictureSize(int width, int height) {
    CSpinEdit1->setClampedValue(width);
    CSpinEdit2->setClampedValue(std::min(height, heightLimitForWidth(pictureWidth())));
}

void TForm1::setDialogs(std::unique_ptr<Dialogs> dialogs) {
    dialogs_ = std::move(dialogs);
}

// ---- Redraws ----

void TForm1::RedrawPicture() {
    const int w = pictureWidth(), h = pictureHeight(), s = ViewScale;
    Image2 = renderPicture(PixelBuffer, w, h, palette());
    Image1->resize(w * s, h * s);
    if (Form2 != nullptr) {
        Form2->setImageSize(w * s / 2, h * s / 2);
    }
    Image1->bitmap() = QImage(Image1->size(), QImage::Format_RGB32);
    fitScrollContent();
    RedrawView();
    RefreshPreview();
}

void TForm1::RedrawView() {
    ZoomX = Image2.width() > 0 ? Image1->width() / Image2.width() : 0;
    ZoomY = Image2.height() > 0 ? Image1->height() / Image2.height() : 0;
    drawView(Image2, Image1->bitmap(), ZoomX, ZoomY, gridFirstLine_);
    gridFirstLine_ = kGridDark;  // the pen every later grid starts with
    Image1->update();
}

void TForm1::RefreshPreview() {
    if (Form2 != nullptr) {
        stretchInto(Image2, Form2->Image3->bitmap());
        Form2->Image3->update();
    }
}

void TForm1::resizeImagesWidth() {
    const int w = pictureWidth(), s = ViewScale;
    Image2 = resizedKeeping(Image2, w, Image2.height(), kBlack);
    Image1->setControlWidth(w * s);
    if (Form2 != nullptr) {
        Form2->setImageSize(w * s / 2, Form2->Image3->height());
    }
    Image1->setBitmapWidth(w * s);
    fitScrollContent();
}

void TForm1::resizeImagesHeight() {
    const int h = pictureHeight(), s = ViewScale;
    Image2 = resizedKeeping(Image2, Image2.width(), h, kBlack);
    Image1->setControlHeight(h * s);
    if (Form2 != nullptr) {
        Form2->setImageSize(Form2->Image3->width(), h * s / 2);
    }
    Image1->setBitmapHeight(h * s);
    fitScrollContent();
}

// ---- Start-up, tool bar and view ----

void TForm1::FormCreate() {
    ViewScale = 8;
    Image2.fill(Qt::black);
    RedrawView();
    Label1->setText(QStringLiteral("0"));
    Shape1->setBrushColor(paletteColour(palette(), 0));
    SelectedColor = 0;
    DrawGrid1DrawCell();
}

void TForm1::ComboBox1DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) {
    const QPalette& colours = ComboBox1->palette();
    painter.fillRect(rect, selected ? colours.highlight() : colours.base());
    painter.drawPixmap(rect.left() + 1, rect.top() + 1, imageList1(index));
    painter.setPen(selected ? colours.highlightedText().color() : colours.text().color());
    painter.drawText(
        QRect(rect.left() + kImageWidth + 3, rect.top() + 1, rect.width(), rect.height()),
        Qt::AlignLeft | Qt::AlignTop, QString::number(index));
}

void TForm1::ComboBox1CloseUp() {
    DrawGrid1DrawCell();
    RedrawPicture();
}

void TForm1::DrawGrid1DrawCell() {
    for (int c = 0; c < DrawGrid::kCells; ++c) {
        DrawGrid1->setCellColour(c, paletteColour(palette(), c));
    }
}

void TForm1::DrawGrid1SelectCell(int column) {
    Label1->setText(QString::number(column));
    Shape1->setBrushColor(paletteColour(palette(), column));
    SelectedColor = column;
}

void TForm1::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    if (ZoomX <= 0 || ZoomY <= 0 || x < 0 || y < 0) {
        return;
    }
    const int column = x / ZoomX, row = y / ZoomY;
    ZoomX = Image2.width() > 0 ? Image1->width() / Image2.width() : 0;
    ZoomY = Image2.height() > 0 ? Image1->height() / Image2.height() : 0;
    if (column >= Image2.width() || row >= Image2.height()) {
        return;
    }
    const int index = button == Qt::LeftButton ? SelectedColor : 0;
    Image2.setPixel(column, row, paletteColour(palette(), index));
    PixelBuffer.set(column + row * pictureWidth(), index);
    RedrawView();
    RefreshPreview();
}

void TForm1::CheckBox1Click() {
    RefreshPreview();
    if (CheckBox1->isChecked()) {
        Form2->show();
        Form2->fitToImage();
    } else {
        Form2->close();
    }
}

void TForm1::CheckBox2Click() {
    ViewScale = CheckBox2->isChecked() ? 8 : 4;
    resizeImagesWidth();
    resizeImagesHeight();
    RedrawView();
    RefreshPreview();
}

void TForm1::CSpinEdit1Change() {
    resizeImagesWidth();
    RedrawView();
    RefreshPreview();
}

void TForm1::CSpinEdit2Change() {
    resizeImagesHeight();
    RedrawView();
    RefreshPreview();
}

// ---- Menu commands of the workspace ----

void TForm1::N9Click() {
    QCoreApplication::quit();
}

void TForm1::N13Click() {
    Form3->showCentredOn(this);
}

void TForm1::N24Click() {
    Chank_config->show();
}

// ---- Project file ----

void TForm1::N3Click() {
    dialogs_->useCurrentFolder();
    const auto file = dialogs_->saveFile(SaveDialog2);
    if (!file) {
        return;
    }
    writeFile(*file, encodeProject(PixelBuffer, pictureWidth(), pictureHeight(), palette()));
}

void TForm1::N2Click() {
    dialogs_->useCurrentFolder();
    const auto file = dialogs_->openFile(OpenDialog1);
    if (!file) {
        return;
    }
    // Nothing changes until the file is read and its header accepted.
    const ProjectFile project = readProject(*file);
    setPictureSize(project.width, project.height);
    ComboBox1->setCurrentIndex(project.palette);
    loadProjectPixels(project.pixels, pictureWidth(), pictureHeight(), PixelBuffer);
    DrawGrid1DrawCell();
    RedrawPicture();
}

// ---- Exports ----

namespace {

void exportPacked(Dialogs& dialogs, const QByteArray& file) {
    // The whole file is built before the dialog opens; a cancel writes nothing.
    const auto name = dialogs.saveFile(TForm1::SaveDialog1);
    if (!name) {
        return;
    }
    writeFile(*name, file);
    dialogs.message(QStringLiteral("Экспорт"), QStringLiteral("          Успешно!"));
}

}  // namespace

void TForm1::BIN1Click() {
    exportPacked(*dialogs_, makeBinWithPalette(PixelBuffer, pictureWidth(), pictureHeight()));
}

void TForm1::BIN2Click() {
    exportPacked(*dialogs_, makeBinWithHeader(PixelBuffer, pictureWidth(), pictureHeight()));
}

void TForm1::N10Click() {
    WriteScreenDump();
}

void TForm1::WriteScreenDump() {
    exportPacked(*dialogs_, makeScreenDump(PixelBuffer, pictureWidth(), pictureHeight()));
}

void TForm1::N24bitbmp1Click() {
    const auto file = dialogs_->saveFile(SaveDialog3);
    if (!file) {
        return;
    }
    writeFile(*file, encodeBmp24(Image2));
}

void TForm1::N26Click() {
    dialogs_->useCurrentFolder();
    const QByteArray source = makeUkncSource(PixelBuffer, pictureWidth(), pictureHeight());
    const auto file = dialogs_->saveFile(SaveDialog4);
    if (!file) {
        return;
    }
    writeFile(*file, source);
}

// ---- Raw strip import ----

void TForm1::IMG1Click() {
    // The strip's size is set before the dialog, so a cancel still shows the buffer
    // regrouped into rows of 8.
    setPictureSize(8, kStartHeightMax);
    if (const auto file = dialogs_->openFile(OpenDialog3)) {
        const int h = pictureHeight();
        readRawStrip(readFile(*file, h), h, PixelBuffer);
    }
    RedrawPicture();
}

// ---- Picture imports ----

void TForm1::LoadSourcePicture() {
    CSpinEdit2->setMaxValue(kLoadHeightMax);
    const auto file = dialogs_->openFile(OpenDialog2);
    if (!file) {
        return;
    }
    // A file that cannot be read leaves both pictures and the size as they were.
    QImage loaded = loadPicture(*file);
    const FitResult fit = fitPicture(loaded.width(), loaded.height());
    if (fit.narrowTall) {
        CSpinEdit2->setMaxValue(fit.height);
    }
    LoadedPicture = std::move(loaded);
    SourcePicture = stretchNearest(LoadedPicture, fit.width, fit.height);
    setPictureSize(fit.width, fit.height);
    resizeImagesWidth();
    resizeImagesHeight();
}

void TForm1::ConvertThresholds() {
    convertThresholds(LoadedPicture, SourcePicture, Form4->settings(), pictureWidth(), PixelBuffer);
}

void TForm1::N17Click() {
    LoadSourcePicture();
    ConvertThresholds();
    RedrawPicture();
    Form4->show();
    Form2->show();
    Form4->move(10, Form4->y());
    CheckBox1->setChecked(true);
    CheckBox2->setChecked(false);
    ViewScale = 4;
    Form2->move(Form4->frameGeometry().width() + 20, Form4->y());
    RefreshPreview();
}

void TForm1::ConvertFloydSteinberg() {
    convertFloydSteinberg(SourcePicture, Form5->settings(), pictureWidth(), PixelBuffer);
}

void TForm1::N14Click() {
    LoadSourcePicture();
    CheckBox2->setChecked(false);
    ViewScale = 4;
    Form5->show();
    // Not converted yet: the view shows the buffer at the new size until "Просмотр".
    RedrawPicture();
}

void TForm1::CGA321Click() {
    // Selected directly: the palette list's own handler does not run.
    ComboBox1->setCurrentIndex(kCgaPalette);
    LoadSourcePicture();
    convertCga(LoadedPicture, SourcePicture, pictureWidth(), PixelBuffer);
    RedrawPicture();
}

void TForm1::ConvertChunks() {
    ViewScale = 4;
    // Every setting is read, and checked, before the picture changes.
    const ChunkSettings settings = Chank_config->readSettings();
    convertChunks(SourcePicture, settings, pictureWidth(), PixelBuffer);
    RedrawPicture();
}

void TForm1::NewFloyd1Click() {
    CheckBox1->setChecked(true);
    CheckBox2->setChecked(false);
    LoadSourcePicture();
    ConvertChunks();
    N24->setEnabled(true);
    Chank_config->show();
}
