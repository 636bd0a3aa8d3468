#pragma once

#include <QMainWindow>
#include <functional>

#include "ui/mainmenu.h"
#include "ui/toolstrip.h"

class DrawGrid;
class DrawingTools;
class PaletteComboBox;
class PictureView;
class QCheckBox;
class QFrame;
class QLabel;
class QPainter;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class Shape;
class SpinEdit;

namespace tovik {
class PictureDocument;
}

// The main window: the tool bar, the magnified view of the picture (PictureView), the
// menu and the status bar. It shows the document and turns the user's presses, steps and choices
// into the document's operations; the menu's commands are connected by the window's creator.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(tovik::PictureDocument& document);
    ~MainWindow() override;

    int selectedColour() const { return selectedColour_; }
    // View pixels per picture pixel, as the last full view redraw found them.
    int zoomX() const;
    int zoomY() const;

    // Asked before the window closes over unsaved work; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

    // Draws the whole view from the working bitmap with its grid.
    void redrawView();
    // A press on the view at view position (x, y): the left button paints the chosen
    // colour, any other button colour 0.
    void paintAt(Qt::MouseButton button, int x, int y);
    // Draws entry `index` of the palette list: its picture of the palette, then its number.
    void drawPaletteEntry(QPainter& painter, int index, const QRect& rect, bool selected) const;
    // Chooses colour cell `column` as the one the left button paints.
    void chooseColour(int column);
    // The chunk settings item of the menu can be used from now on.
    void enableChunkSettings();
    // Checks or unchecks "Просмотр" as the user would.
    void setPreviewShown(bool shown);
    // A short note in the status bar, such as why a command did nothing.
    void showNote(const QString& text);
    // Before and after: while on, the view shows the imported picture as it was fitted
    // instead of the result. The space bar held over the view or "Исходник" held.
    void setShowingSource(bool showing);
    bool isShowingSource() const;

    // Controls; each keeps its designer name as its object name.
    QFrame* toolBar;
    SpinEdit* widthEdit;        // W
    SpinEdit* heightEdit;       // H
    QCheckBox* previewBox;      // "Просмотр"
    QCheckBox* magnifyBox;      // "x 2"
    Shape* colourSwatch;        // the chosen colour
    QLabel* colourNumberLabel;  // its number
    DrawGrid* colourGrid;       // the palette's four colours
    PaletteComboBox* paletteList;
    QToolButton* pickPaletteButton;  // "Подобрать палитру" beside the list
    QPushButton* sourceButton;     // "Исходник": held, the view shows the imported picture
    QToolButton* frameToneButton;  // "Кадр и тон…"
    PictureView* view;             // the magnified picture
    QStatusBar* statusLine;
    QLabel* positionLabel;  // the picture position and colour index under the mouse
    QLabel* sizeLabel;      // W x H
    QLabel* paletteLabel;   // the palette
    QLabel* scoreLabel;     // how close the picture is to the imported one
    MainMenu menu;
    DrawingTools* tools;  // the drawing tools on the view
    ToolStrip toolStrip;  // their strip, their items in "Правка" and their status

signals:
    // "Просмотр" was checked or unchecked.
    void previewToggled(bool shown);
    // A file was dropped on the window.
    void fileDropped(const QString& path);
    // A palette was chosen in the list.
    void paletteChosen(int palette);
    // "Подобрать палитру" beside the list was pressed.
    void pickPaletteRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createToolBar();
    void connectControls();
    // Follow the document.
    void showSize(int width, int height);
    void showPalette(int palette);
    void showScale(int scale);
    void showPosition(QPoint cell);
    void showScore();
    // A press on picture cell `cell` paints it.
    void paintCell(Qt::MouseButton button, QPoint cell);
    void paintColourCells();
    void updateTitle();

    tovik::PictureDocument& document_;
    int selectedColour_ = 0;
    std::function<bool()> closeGuard_;
    QTimer* scoreTimer_;  // the score again once painting pauses
    QTimer* sizeRun_;     // ends a run of W or H steps that merge into one undo step
};
