#include "ui/chunksettingswindow.h"

#include <QCheckBox>
#include <QCoreApplication>
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
        return Error(
            QCoreApplication::translate("ChunkSettingsWindow", "'%1' is not a valid integer value")
                .arg(text));
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

// The pattern squares: a plain colour near what each pattern shows under palette 0.
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

}  // namespace

ChunkSettingsWindow::ChunkSettingsWindow(const QWidget* owner) {
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
        patternSquares[r - 1] = makeShape(this, r, {12, top});
        patternSquares[r - 1]->setBrushColor(kPatternColours[r - 1]);
        for (int c = 0; c < 3; ++c) {
            QLineEdit*& edit = colourEdits[r - 1][c];
            edit = makeEdit(this, kRowEdits[r - 1][c], {kComponentLefts[c], top + 4, 41, 24},
                            kComponentColours[c], this);
            edit->setFont(editFont);
        }
        referenceSquares[r - 1] = makeShape(this, 16 + r, {288, top});
    }
    for (int r = 1; r <= kRows; ++r) {
        const tovik::ChunkColour colour = tovik::kChunkStartReferences[static_cast<size_t>(r - 1)];
        colourEdits[r - 1][0]->setText(QString::number(colour.red));
        colourEdits[r - 1][1]->setText(QString::number(colour.green));
        colourEdits[r - 1][2]->setText(QString::number(colour.blue));
    }

    squaredBox = new QCheckBox(QStringLiteral("Квадратичная"), this);
    squaredBox->setObjectName(QStringLiteral("CheckBox1"));
    squaredBox->move(12, 592);
    squaredBox->adjustSize();
    squaredBox->setChecked(true);
    toningBox = new QCheckBox(QStringLiteral("Тонирование"), this);
    toningBox->setObjectName(QStringLiteral("CheckBox2"));
    toningBox->move(168, 592);
    toningBox->adjustSize();
    toningThresholdEdit = new QLineEdit(QString::number(tovik::kDefaultChunkToningThreshold), this);
    toningThresholdEdit->setObjectName(QStringLiteral("Edit49"));
    toningThresholdEdit->setGeometry(280, 588, 37, 21);
    toningThresholdEdit->setMaxLength(3);
    toningThresholdEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    toningThresholdEdit->installEventFilter(this);

    resetButton = makeButton(this, "Button3", QStringLiteral("Сброс"), {16, 616, 75, 25});
    squaredBox->setToolTip(QStringLiteral(
        "Расстояние до цвета образца: взвешенная сумма квадратов разностей (иначе — сумма "
        "модулей)"));
    toningBox->setToolTip(QStringLiteral(
        "Второй проход, который доводит оттенки и гасит тёмные точки; порог — в поле справа"));
    toningThresholdEdit->setToolTip(QStringLiteral("Порог тонирования, 0–255"));
    resetButton->setToolTip(QStringLiteral("Цвета образцов — как в начале"));
    makePreviewButton("Button2", {168, 616, 75, 25});
    makeOkButton("Button1", QStringLiteral("Ок"), {256, 616, 75, 25});
    makeLiveBox(false, {98, 620});
    makePresetButtons({16, 652, 152, 25}, {176, 652, 155, 25});
    for (const auto& row : colourEdits) {
        for (QLineEdit* edit : row) {
            connect(edit, &QLineEdit::textChanged, this, &ChunkSettingsWindow::settingsChanged);
        }
    }
    connect(toningThresholdEdit, &QLineEdit::textChanged, this,
            &ChunkSettingsWindow::settingsChanged);
    for (QCheckBox* box : {squaredBox, toningBox}) {
        connect(box, &QCheckBox::toggled, this, &ChunkSettingsWindow::settingsChanged);
    }
    connect(resetButton, &QPushButton::clicked, this, guarded(this, &ChunkSettingsWindow::reset));

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
            if (watched == toningThresholdEdit) {
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
        entry.red = lowByte(tovik::parseInteger(colourEdits[r - 1][0]->text()));
        entry.green = lowByte(tovik::parseInteger(colourEdits[r - 1][1]->text()));
        entry.blue = lowByte(tovik::parseInteger(colourEdits[r - 1][2]->text()));
    }
    tovik::ChunkSettings settings;
    settings.reference = table;
    settings.squared = squaredBox->isChecked();
    settings.toning = toningBox->isChecked();
    if (settings.toning) {
        settings.toningThreshold = tovik::parseInteger(toningThresholdEdit->text());
    }
    return settings;
}

void ChunkSettingsWindow::updateSquares() {
    for (int r = 1; r <= kRows; ++r) {
        const int red = tovik::parseInteger(colourEdits[r - 1][0]->text());
        const int green = tovik::parseInteger(colourEdits[r - 1][1]->text());
        const int blue = tovik::parseInteger(colourEdits[r - 1][2]->text());
        referenceSquares[r - 1]->setBrushColor(qRgb(lowByte(red), lowByte(green), lowByte(blue)));
    }
}

void ChunkSettingsWindow::resetColours() {
    for (int r = 1; r <= kRows; ++r) {
        const tovik::ChunkColour colour = tovik::kChunkResetReferences[static_cast<size_t>(r - 1)];
        colourEdits[r - 1][0]->setText(QString::number(colour.red));
        colourEdits[r - 1][1]->setText(QString::number(colour.green));
        colourEdits[r - 1][2]->setText(QString::number(colour.blue));
    }
}

void ChunkSettingsWindow::reset() {
    resetColours();
    updateSquares();
}

void ChunkSettingsWindow::setSettings(const tovik::ChunkSettings& settings) {
    for (int r = 1; r <= kRows; ++r) {
        const tovik::ChunkColour colour = settings.reference[static_cast<size_t>(r - 1)];
        colourEdits[r - 1][0]->setText(QString::number(colour.red));
        colourEdits[r - 1][1]->setText(QString::number(colour.green));
        colourEdits[r - 1][2]->setText(QString::number(colour.blue));
    }
    squaredBox->setChecked(settings.squared);
    toningBox->setChecked(settings.toning);
    toningThresholdEdit->setText(QString::number(settings.toningThreshold));
    updateSquares();
}

tovik::MethodSettings ChunkSettingsWindow::methodSettings() const {
    tovik::ChunkReferences table{};
    return readSettings(table);
}

bool ChunkSettingsWindow::applyMethod(const tovik::MethodSettings& method) {
    const auto* given = std::get_if<tovik::ChunkSettings>(&method);
    if (given == nullptr) {
        return false;
    }
    setSettings(*given);
    return true;
}
