#pragma once

#include <QMainWindow>
#include <functional>

#include "ui/mainmenu.h"

class DrawGrid;
class ImageView;
class PaletteComboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPainter;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTimer;
class QToolButton;
class Shape;
class SpinEdit;

namespace tovik {
class PictureDocument;
}

// The main window: the tool bar, the magnified view of the picture, the menu and the
// status bar. It shows the document and turns the user's presses, steps and choices into
// the document's operations; the menu's commands are connected by the window's creator.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(tovik::PictureDocument& document);
    ~MainWindow() override;

    int selectedColour() const { return selectedColour_; }
    // View pixels per picture pixel, as the last full view redraw found them.
    int zoomX() const { return zoomX_; }
    int zoomY() const { return zoomY_; }

    // Asked before the window closes over unsaved work; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

    // Draws the whole view from the working bitmap with its grid.
    void redrawView();
    // A press on the view at (x, y): the left button paints the chosen colour, any other
    // button colour 0.
    void paintAt(Qt::MouseButton button, int x, int y);
    // Draws entry `index` of the palette list: its picture of the palette, then its number.
    void drawPaletteEntry(QPainter& painter, int index, const QRect& rect, bool selected) const;
    // Chooses colour cell `column` as the one the left button paints.
    void chooseColour(int column);
    // Checks or unchecks "Просмотр" as the user would.
    void setPreviewShown(bool shown);
    // A short note in the status bar, such as why a command did nothing.
    void showNote(const QString& text);
    // Before and after: while on, the view shows the imported picture as it was fitted
    // instead of the result. The space bar held over the view or "Исходник" held.
    void setShowingSource(bool showing);
    bool isShowingSource() const { return showingSource_; }

    // Controls, under their designer names.
    QFrame* Panel1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QLabel* Label2;
    SpinEdit* CSpinEdit1;  // W
    QLabel* Label4;
    SpinEdit* CSpinEdit2;  // H
    QCheckBox* CheckBox1;  // Просмотр
    QCheckBox* CheckBox2;  // x 2
    Shape* Shape1;         // the chosen colour
    QLabel* Label1;        // its number
    DrawGrid* DrawGrid1;   // the palette's four colours
    PaletteComboBox* ComboBox1;
    QToolButton* pickPaletteButton;  // "Подобрать палитру" beside the list
    QPushButton* sourceButton;     // "Исходник": held, the view shows the imported picture
    QToolButton* frameToneButton;  // "Кадр и тон…"
    QScrollArea* ScrollBox1;
    ImageView* Image1;  // the view
    QStatusBar* StatusBar1;
    QLabel* positionLabel;  // the picture position and colour index under the mouse
    QLabel* sizeLabel;      // W x H
    QLabel* paletteLabel;   // the palette
    QLabel* scoreLabel;     // how close the picture is to the imported one
    MainMenu menu;

signals:
    // "Просмотр" was checked or unchecked.
    void previewToggled(bool shown);
    // A file was dropped on the window.
    void fileDropped(const QString& path);
    // A palette was chosen in the list.
    void paletteChosen(int palette);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolBar();
    void createView();
    void connectControls();
    // Follow the document.
    void showPicture();
    void showPixel(int x, int y);
    void showSize(int width, int height);
    void showPalette(int palette);
    void showScale(int scale);
    void showPosition(int x, int y);
    void showScore();
    void paintColourCells();
    void updateTitle();
    void fitScrollContent();

    tovik::PictureDocument& document_;
    QWidget* scrollContent_ = nullptr;
    int selectedColour_ = 0;
    int zoomX_ = 0;
    int zoomY_ = 0;
    QRgb gridFirstLine_;               // the pen the last grid left behind: black before the first
    bool viewFirstLineStale_ = false;  // the view's line 0 is not what a redraw draws now
    std::function<bool()> closeGuard_;
    QTimer* scoreTimer_;  // the score again once painting pauses
    bool showingSource_ = false;
};
