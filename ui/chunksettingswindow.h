#pragma once

#include <QChar>

#include "convert/chunks.h"
#include "ui/toolwindow.h"

class QLineEdit;
class Shape;

namespace tovik {

// The string-to-integer conversion of the settings edits: an optional sign and decimal
// digits, nothing else (no spaces, no hexadecimal). Throws "'%1' is not a valid integer
// value" with the text, empty for an empty edit.
int parseInteger(const QString& text);

}  // namespace tovik

// The chunk settings window: the reference colours of the 16 chunk patterns, the
// distance measure and the toning. It asks for a conversion with "Просмотр"; its settings
// are read when one runs.
class ChunkSettingsWindow : public ToolWindow {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit ChunkSettingsWindow(const QWidget* owner);

    // Everything a chunk conversion reads, taken before it changes anything: the 48 colour
    // edits, row by row, into `table` (the low 8 bits of each), the measure, the toning
    // box and, when toning, the toning threshold. Throws "'%s' is not a valid integer
    // value" at the first edit that holds no integer, with the values before it stored.
    tovik::ChunkSettings readSettings(tovik::ChunkReferences& table) const;

    // Key filters of the 48 colour edits and of the threshold edit: a key set to the null
    // character is discarded. Only typed characters reach them; pasted text is not filtered. Enter
    // in a colour edit applies the colours to the squares.
    void filterColourKey(QChar& key);
    void filterThresholdKey(QChar& key);
    // The reference squares show the edits' colours; stops at the first bad edit.
    void updateSquares();
    // Puts a preset's references, measure, toning and threshold into the controls.
    void setSettings(const tovik::ChunkSettings& settings);
    // The edits' colours as they are after "Сброс".
    void resetColours();
    // "Сброс": the colours reset and shown.
    void reset();

    tovik::MethodSettings methodSettings() const override;
    bool applyMethod(const tovik::MethodSettings& settings) override;

    Shape* patternSquares[16] = {};      // each pattern's plain colour, rows 1..16 at 0..15
    Shape* referenceSquares[16] = {};    // the colour of each row's edits
    QLineEdit* colourEdits[16][3] = {};  // red, green and blue of each row
    QLineEdit* toningThresholdEdit = nullptr;
    QCheckBox* squaredBox = nullptr;     // "Квадратичная"
    QCheckBox* toningBox = nullptr;      // "Тонирование"
    QPushButton* resetButton = nullptr;  // "Сброс"

    // The numbers in the object names of the red, green and blue edits of rows 1..16 (at
    // 0..15): the names do not run in row order.
    static const int kRowEdits[16][3];

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
