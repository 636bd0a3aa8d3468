#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>

#include "ui/dialogs.h"
#include "ui/tools/tool.h"

class QMimeData;
class SelectionTool;

namespace tovik {
class PictureDocument;
}

// The drawing tools: which one is chosen, the mouse over the picture handed to it, the
// selection and what is floating, the preview the view shows over the picture, and the
// commands on the selection (clipboard, delete, flips, colour replacement).
class DrawingTools : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Pencil,
        Line,
        Rectangle,
        FilledRectangle,
        Ellipse,
        FilledEllipse,
        Fill,
        Pipette,
        Selection,
    };
    static constexpr int kKinds = 9;
    // The clipboard type of cells copied in the program.
    static constexpr const char* kCellsMimeType = "application/x-tovik-cells";

    struct Info {
        const char* objectName;
        QString name;  // "Карандаш"
        QString key;   // "B", "Shift+R"
        QString hint;  // one line for the status bar
    };
    static const Info& info(Kind kind);

    explicit DrawingTools(tovik::PictureDocument& document, QObject* parent = nullptr);
    ~DrawingTools() override;

    Kind current() const { return current_; }
    void choose(Kind kind);
    int colour() const { return context_.colour; }
    void setColour(int colour) { context_.colour = colour; }

    // The mouse over the picture, in cells. Alt held at the press makes any tool the
    // pipette until the release.
    void press(QPoint cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void drag(QPoint cell, Qt::KeyboardModifiers modifiers);
    void release(QPoint cell, Qt::KeyboardModifiers modifiers);

    const ToolPreview& preview() const { return context_.preview; }
    QRect selection() const { return context_.selection; }
    bool isFloating() const { return context_.floating.has_value(); }
    void select(const QRect& cells);

    // The selection's cells to the clipboard: under the program's own type, and as a
    // picture in the palette's colours for other programs. Nothing when none is selected.
    void copy();
    void cut();
    void erase();
    // Cells the program copied become a floating block at the selection's corner (or the
    // picture's) under the selection tool; false when the clipboard holds none.
    bool paste(const QMimeData* data);
    void fixFloating();
    void dropFloating();
    // The selection's cells, a floating block, or else the whole picture.
    void flip(Qt::Orientation orientation);
    void replaceColour(const ColourReplacement& replacement);
    // "Правка" → "Заменить цвет…": the dialog, opened with the last choice, then the
    // replacement as one undo step.
    void askReplaceColour(Dialogs& dialogs);

signals:
    void toolChosen(DrawingTools::Kind kind);
    // The pipette chose this colour.
    void colourPicked(int colour);
    // The preview or the selection changed over these cells.
    void previewChanged(const QRect& cells);

private:
    Tool& tool(Kind kind) { return *tools_[size_t(kind)]; }
    SelectionTool& selectionTool();
    QRect selectionOrPicture() const;

    tovik::PictureDocument& document_;
    ToolContext context_;
    std::array<std::unique_ptr<Tool>, kKinds> tools_;
    Kind current_ = Kind::Pencil;
    Tool* pressed_ = nullptr;  // the tool the last press went to, until the release
    ColourReplacement lastReplacement_;
};
