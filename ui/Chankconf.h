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
// distance measure and the toning, read at the start of every chunk conversion.
class TChank_config : public QWidget {
    Q_OBJECT
public:
    TChank_config();

    // Everything a chunk conversion reads, taken before it changes anything: the 48 colour
    // edits through ReadReferenceColours (into the main window's ChunkReferenceColours),
    // the measure, the toning box and, when toning, the threshold of Edit49. Throws
    // "'%s' is not a valid integer value" at the first edit that holds no integer.
    tovik::ChunkSettings readSettings();

    void FormCreate();
    // Key filters of the 48 colour edits and of Edit49: a key set to the null character
    // is discarded. Only typed characters reach them; pasted text is not filtered.
    void Edit1KeyPress(QChar& key);
    void Edit49KeyPress(QChar& key);
    void ReadReferenceColours();
    void UpdateColourShapes();
    void ResetReferenceColours();
    void Button1Click();  // Ок
    void Button2Click();  // Просмотр
    void Button3Click();  // Сброс

    Shape* ShapeOf[33] = {};         // Shape1..Shape32 at 1..32
    QLineEdit* Edit[50] = {};        // Edit1..Edit49 at 1..49
    QCheckBox* CheckBox1 = nullptr;  // Квадратичная
    QCheckBox* CheckBox2 = nullptr;  // Тонирование
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // Designer numbers of the red, green and blue edits of rows 1..16 (at 0..15).
    static const int kRowEdits[16][3];

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TChank_config* Chank_config;
