#pragma once

#include <QChar>
#include <QWidget>

#include "convert/chunks.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
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
class ChunkSettingsWindow : public QWidget {
    Q_OBJECT
public:
    // Opens centred on the owner.
    explicit ChunkSettingsWindow(const QWidget* owner);

    // Everything a chunk conversion reads, taken before it changes anything: the 48 colour
    // edits, row by row, into `table` (the low 8 bits of each), the measure, the toning
    // box and, when toning, the threshold of Edit49. Throws "'%s' is not a valid integer
    // value" at the first edit that holds no integer, with the values before it stored.
    tovik::ChunkSettings readSettings(tovik::ChunkReferences& table) const;

    // Key filters of the 48 colour edits and of Edit49: a key set to the null character
    // is discarded. Only typed characters reach them; pasted text is not filtered. Enter
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

    Shape* ShapeOf[33] = {};         // Shape1..Shape32 at 1..32
    QLineEdit* Edit[50] = {};        // Edit1..Edit49 at 1..49
    QCheckBox* CheckBox1 = nullptr;  // Квадратичная
    QCheckBox* CheckBox2 = nullptr;  // Тонирование
    QPushButton* Button1 = nullptr;  // Ок
    QPushButton* Button2 = nullptr;  // Просмотр
    QPushButton* Button3 = nullptr;  // Сброс
    QCheckBox* liveBox = nullptr;    // Сразу
    QPushButton* savePresetButton = nullptr;
    QPushButton* loadPresetButton = nullptr;

    // The numbers in the names of the red, green and blue edits of rows 1..16 (at 0..15):
    // Edit1..Edit48 do not run in row order.
    static const int kRowEdits[16][3];

signals:
    // "Просмотр": convert the picture again with these settings.
    void previewRequested();
    // An edit or a box changed; with "Сразу" checked the owner converts at once.
    void settingsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
