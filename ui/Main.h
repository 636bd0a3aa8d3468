#pragma once

#include <QImage>
#include <QMainWindow>
#include <memory>

#include "convert/chunks.h"
#include "picture/pixelbuffer.h"
#include "ui/Dialogs.h"

class DrawGrid;
class ImageView;
class PaletteComboBox;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPainter;
class QScrollArea;
class QStatusBar;
class Shape;
class SpinEdit;

// The main window: the tool bar, the magnified view, the menu, and the picture they
// show. It owns the working picture and the pictures of the last import; the picture
// size lives only in the two spin edits and the palette only in the palette list.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // The file dialogs of the window definition.
    static const FileDialog SaveDialog1;  // packed exports
    static const FileDialog SaveDialog2;  // save project
    static const FileDialog OpenDialog1;  // open project
    static const FileDialog OpenDialog2;  // picture import
    static const FileDialog SaveDialog3;  // 24-bit BMP
    static const FileDialog OpenDialog3;  // raw strip import
    static const FileDialog SaveDialog4;  // UKNC source

    // The picture as the controls hold it.
    int pictureWidth() const;   // W, CSpinEdit1
    int pictureHeight() const;  // H, CSpinEdit2
    int palette() const;        // P, the item index of ComboBox1

    // Puts a size into the spin edits as the program does: W first, then H, each clamped,
    // H also to what the buffer holds at that W. Each change runs its handler.
    void setPictureSize(int width, int height);

    Dialogs& dialogs() { return *dialogs_; }
    void setDialogs(std::unique_ptr<Dialogs> dialogs);

    // Redraws.
    void RedrawPicture();
    void RedrawView();
    void RefreshPreview();

    // Imports and their conversions.
    void LoadSourcePicture();
    void ConvertThresholds();
    void ConvertFloydSteinberg();
    void ConvertChunks();

    // Exports.
    void WriteScreenDump();

    // Handlers of the window definition.
    void FormCreate();
    void ComboBox1DrawItem(QPainter& painter, int index, const QRect& rect, bool selected);
    void ComboBox1CloseUp();
    void DrawGrid1DrawCell();
    void DrawGrid1SelectCell(int column);
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void CheckBox1Click();
    void CheckBox2Click();
    void CSpinEdit1Change();
    void CSpinEdit2Change();
    void N2Click();          // Открыть проект
    void N3Click();          // Сохранить проект
    void BIN1Click();        // BIN с палитрой
    void BIN2Click();        // BIN с заголовком
    void N10Click();         // Дамп (бинарный)
    void N24bitbmp1Click();  // Битмэп (24 bit bmp)
    void CGA321Click();      // CGA_BWCM
    void N14Click();         // Флойд-Стейнберг
    void NewFloyd1Click();   // "Чанки"
    void N17Click();         // Пороги
    void IMG1Click();        // Tovik_IMG
    void N26Click();         // УКНЦ
    void N9Click();          // Выход
    void N13Click();         // Хелп
    void N24Click();         // (импорт)Чанки

    // Controls, under their designer names.
    QFrame* Panel1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QLabel* Label2;
    SpinEdit* CSpinEdit1;
    QLabel* Label4;
    SpinEdit* CSpinEdit2;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    Shape* Shape1;
    QLabel* Label1;
    DrawGrid* DrawGrid1;
    PaletteComboBox* ComboBox1;
    QScrollArea* ScrollBox1;
    ImageView* Image1;  // the view
    QStatusBar* StatusBar1;

    // Menu, under the designer names of its items.
    QMenu* N1;   // Файл
    QMenu* N5;   // Экспорт
    QMenu* N7;   // Импорт
    QMenu* N23;  // Настройки (пример)
    QAction* N2;
    QAction* N3;
    QAction* BIN1;
    QAction* BIN2;
    QAction* N10;
    QAction* N12;
    QAction* N24bitbmp1;
    QAction* CGA321;
    QAction* N14;
    QAction* NewFloyd1;
    QAction* N17;
    QAction* IMG1;
    QAction* N26;
    QAction* N9;
    QAction* N24;
    QAction* N13;

    // The working picture: colour indices, pixel (x, y) at x + y*W.
    tovik::PixelBuffer PixelBuffer;
    int SelectedColor = 0;  // the index the left button paints
    int ViewScale = 8;      // view pixels per picture pixel: 8 with "x 2", else 4
    int ZoomX = 0;          // view pixels per picture pixel, as the last RedrawView found
    int ZoomY = 0;

    QImage Image2;         // the working bitmap: one pixel per picture pixel, never shown
    QImage LoadedPicture;  // the last picture read from a file, as decoded
    QImage SourcePicture;  // LoadedPicture fitted to the picture size; empty before a load
    tovik::ChunkReferences ChunkReferenceColours{};

private:
    void createMenu();
    void createToolBar();
    void createView();
    // The six resizing steps of one direction, with the current W or H and ViewScale.
    void resizeImagesWidth();
    void resizeImagesHeight();
    void fitScrollContent();

    std::unique_ptr<Dialogs> dialogs_;
    QWidget* scrollContent_ = nullptr;
    QRgb gridFirstLine_;  // the pen the last grid left behind: black before the first
};

extern TForm1* Form1;
