#include "ui/chunksettingswindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "picture/error.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/toolwindow.h"

namespace tovik {

int parseInteger(const QString& text) {
    const auto invalid = [&text] {
        return Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    };
    qsizetype at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    if (at == text.size()) {
        throw invalid();
    }
    // Accumulated as a negative number so that the lowest int fits too.
    qint64 value = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c < u'0' || c > u'9') {
            throw invalid();
        }
        value = value * 10 - (c - u'0');
        if (value < std::numeric_limits<int>::min()) {
            throw invalid();
        }
    }
    if (!negative && value < -std::numeric_limits<int>::max()) {
        throw invalid();
    }
    return static_cast<int>(negative ? value : -value);
}

}  // namespace tovik

const int ChunkSettingsWindow::kRowEdits[16][3] = {
    {1, 2, 3},    {4, 6, 5},    {7, 8, 9},    {10, 11, 12}, {13, 14, 15}, {16, 17, 18},
    {19, 20, 21}, {22, 23, 24}, {25, 26, 27}, {28, 29, 30}, {31, 32, 33}, {34, 35, 36},
    {37, 38, 39}, {40, 41, 42}, {43, 44, 45}, {46, 47, 48},
};

namespace {

constexpr int kRows = 16;
constexpr QRgb kCream = 0xFFFFFBF0;

// Shape1..Shape16: a plain colour near what each pattern shows under palette 0.
constexpr QRgb kPatternColours[kRows] = {
    0x000000, 0x464646, 0xFF0000, 0x7F0000, 0x00FF00, 0x007F00, 0x0000FF, 0x00007F,
    0xFFFF00, 0x7F7F00, 0x00FFFF, 0x007F7F, 0xFF00FF, 0x7F007F, 0x7F7F7F, 0xFFFFFF,
};

// Letter colours of the red, green and blue edits.
constexpr QRgb kComponentColours[3] = {0xFFFF0000, 0xFF008000, 0xFF0000FF};
constexpr int kComponentLefts[3] = {68, 144, 220};

// The colour byte a parsed value stands for: 300 acts as 44, -1 as 255.
uint8_t lowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

bool isDigitOrBackspace(QChar key) {
    return (key >= u'0' && key <= u'9') || key == u'\b';
}

// The characters a key press would type into an edit, as the edit itself decides (Ctrl
// combinations are commands such as paste, and keys without text type nothing); Return,
// Enter and Backspace count as the carriage return and backspace characters.
QString typedText(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QStringLiteral("\r");
        case Qt::Key_Backspace:
            return QStringLiteral("\b");
        default:
            break;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return {};
    }
    const QString text = event->text();
    for (QChar c : text) {
        if (!c.isPrint()) {
            return {};
        }
    }
    return text;
}

QLineEdit* makeEdit(QWidget* parent, int number, QRect geometry, QRgb letters, QObject* filter) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("Edit%1").arg(number));
    edit->setGeometry(geometry);
    edit->setMaxLength(3);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(kCream));
    colours.setColor(QPalette::Text, QColor::fromRgb(letters));
    edit->setPalette(colours);
    // Composed input would bypass the key filter; digits need no composing.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(filter);
    return edit;
}

Shape* makeShape(QWidget* parent, int number, QPoint at) {
    auto* shape = new Shape(parent);
    shape->setObjectName(QStringLiteral("Shape%1").arg(number));
    shape->setGeometry(QRect(at, QSize(32, 32)));
    return shape;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 616, 75, 25);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ChunkSettingsWindow::ChunkSettingsWindow(const QWidget* owner)
    : QWidget(nullptr, kToolWindowFlags) {
    setObjectName(QStringLiteral("Chank_config"));
    setWindowTitle(QStringLiteral("Настройка"));
    setFixedSize(345, 692);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setBold(true);
    setFont(font);

    QFont editFont(QStringLiteral("MS Sans Serif"));
    editFont.setPixelSize(13);
    editFont.setBold(true);
    for (int r = 1; r <= kRows; ++r) {
        const int top = 12 + 36 * (r - 1);
        ShapeOf[r] = makeShape(this, r, {12, top});
        ShapeOf[r]->setBrushColor(kPatternColours[r - 1]);
        for (int c = 0; c < 3; ++c) {
            const int number = kRowEdits[r - 1][c];
            Edit[number] = makeEdit(this, number, {kComponentLefts[c], top + 4, 41, 24},
                                    kComponentColours[c], this);
            Edit[number]->setFont(editFont);
        }
        ShapeOf[16 + r] = makeShape(this, 16 + r, {288, top});
    }
    for (int r = 1; r <= kRows; ++r) {
        const tovik::ChunkColour colour = tovik::kChunkStartReferences[static_cast<size_t>(r - 1)];
        Edit[kRowEdits[r - 1][0]]->setText(QString::number(colour.red));
        Edit[kRowEdits[r - 1][1]]->setText(QString::number(colour.green));
        Edit[kRowEdits[r - 1][2]]->setText(QString::number(colour.blue));
    }

    CheckBox1 = new QCheckBox(QStringLiteral("Квадратичная"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->move(12, 592);
    CheckBox1->adjustSize();
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(QStringLiteral("Тонирование"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->move(168, 592);
    CheckBox2->adjustSize();
    Edit[49] = new QLineEdit(QString::number(tovik::kDefaultChunkToningThreshold), this);
    Edit[49]->setObjectName(QStringLiteral("Edit49"));
    Edit[49]->setGeometry(280, 588, 37, 21);
    Edit[49]->setMaxLength(3);
    Edit[49]->setAttribute(Qt::WA_InputMethodEnabled, false);
    Edit[49]->installEventFilter(this);

    Button3 = makeButton(this, "Button3", QStringLiteral("Сброс"), 16);
    Button2 = makeButton(this, "Button2", QStringLiteral("Просмотр"), 168);
    Button1 = makeButton(this, "Button1", QStringLiteral("Ок"), 256);
    liveBox = makeLiveBox(this, false, {98, 620});
    const PresetButtons presets = makePresetButtons(this, {16, 652, 152, 25}, {176, 652, 155, 25});
    savePresetButton = presets.save;
    loadPresetButton = presets.load;
    for (int number = 1; number <= 49; ++number) {
        connect(Edit[number], &QLineEdit::textChanged, this, &ChunkSettingsWindow::settingsChanged);
    }
    for (QCheckBox* box : {CheckBox1, CheckBox2}) {
        connect(box, &QCheckBox::toggled, this, &ChunkSettingsWindow::settingsChanged);
    }
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
    connect(Button2, &QPushButton::clicked, this, &ChunkSettingsWindow::previewRequested);
    connect(Button3, &QPushButton::clicked, this, guarded(this, &ChunkSettingsWindow::reset));

    centreOn(this, owner);
    updateSquares();
}

bool ChunkSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const QString text = typedText(static_cast<QKeyEvent*>(event));
    bool discard = false;
    for (QChar key : text) {
        // A handler that fails discards its key too: a failed Enter types nothing.
        bool kept = false;
        runGuarded([&] {
            if (watched == Edit[49]) {
                filterThresholdKey(key);
            } else {
                filterColourKey(key);
            }
            kept = !key.isNull();
        });
        discard = discard || !kept;
    }
    return discard;
}

void ChunkSettingsWindow::filterColourKey(QChar& key) {
    if (key == u'\r') {
        updateSquares();
    }
    filterThresholdKey(key);
}

void ChunkSettingsWindow::filterThresholdKey(QChar& key) {
    if (!isDigitOrBackspace(key)) {
        key = QChar();
    }
}

tovik::ChunkSettings ChunkSettingsWindow::readSettings(tovik::ChunkReferences& table) const {
    for (int r = 1; r <= kRows; ++r) {
        tovik::ChunkColour& entry = table[static_cast<size_t>(r - 1)];
        // One byte at a time: a bad edit leaves every value before it stored.
        entry.red = lowByte(tovik::parseInteger(Edit[kRowEdits[r - 1][0]]->text()));
        entry.green = lowByte(tovik::parseInteger(Edit[kRowEdits[r - 1][1]]->text()));
        entry.blue = lowByte(tovik::parseInteger(Edit[kRowEdits[r - 1][2]]->text()));
    }
    tovik::ChunkSettings settings;
    settings.reference = table;
    settings.squared = CheckBox1->isChecked();
    settings.toning = CheckBox2->isChecked();
    if (settings.toning) {
        settings.toningThreshold = tovik::parseInteger(Edit[49]->text());
    }
    return settings;
}

void ChunkSettingsWindow::updateSquares() {
    for (int r = 1; r <= kRows; ++r) {
        const int red = tovik::parseInteger(Edit[kRowEdits[r - 1][0]]->text());
        const int green = tovik::parseInteger(Edit[kRowEdits[r - 1][1]]->text());
        const int blue = tovik::parseInteger(Edit[kRowEdits[r - 1][2]]->text());
        ShapeOf[16 + r]->setBrushColor(qRgb(lowByte(red), lowByte(green), lowByte(blue)));
    }
}

void ChunkSettingsWindow::resetColours() {
    for (int r = 1; r <= kRows; ++r) {
        const tovik::ChunkColour colour = tovik::kChunkResetReferences[static_cast<size_t>(r - 1)];
        Edit[kRowEdits[r - 1][0]]->setText(QString::number(colour.red));
        Edit[kRowEdits[r - 1][1]]->setText(QString::number(colour.green));
        Edit[kRowEdits[r - 1][2]]->setText(QString::number(colour.blue));
    }
}

void ChunkSettingsWindow::reset() {
    resetColours();
    updateSquares();
}

void ChunkSettingsWindow::setSettings(const tovik::ChunkSettings& settings) {
    for (int r = 1; r <= kRows; ++r) {
        const tovik::ChunkColour colour = settings.reference[static_cast<size_t>(r - 1)];
        Edit[kRowEdits[r - 1][0]]->setText(QString::number(colour.red));
        Edit[kRowEdits[r - 1][1]]->setText(QString::number(colour.green));
        Edit[kRowEdits[r - 1][2]]->setText(QString::number(colour.blue));
    }
    CheckBox1->setChecked(settings.squared);
    CheckBox2->setChecked(settings.toning);
    Edit[49]->setText(QString::number(settings.toningThreshold));
    updateSquares();
}
