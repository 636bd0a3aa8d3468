#include "ui/drawingtools.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "document/document.h"
#include "ui/tools/painttools.h"
#include "ui/tools/selectiontool.h"

using namespace tovik;

const DrawingTools::Info& DrawingTools::info(Kind kind) {
    static const std::array<Info, kKinds> infos{{
        {"PencilTool", QStringLiteral("Карандаш"), QStringLiteral("B"),
         QStringLiteral("левая кнопка — выбранный цвет, другие — цвет 0; ведите, чтобы рисовать")},
        {"LineTool", QStringLiteral("Линия"), QStringLiteral("L"),
         QStringLiteral("нажмите и ведите; Shift — по горизонтали, вертикали или под 45°")},
        {"RectangleTool", QStringLiteral("Прямоугольник"), QStringLiteral("R"),
         QStringLiteral("ведите от угла к углу; Shift — квадрат")},
        {"FilledRectangleTool", QStringLiteral("Заполненный прямоугольник"),
         QStringLiteral("Shift+R"), QStringLiteral("ведите от угла к углу; Shift — квадрат")},
        {"EllipseTool", QStringLiteral("Эллипс"), QStringLiteral("O"),
         QStringLiteral("ведите от угла к углу описанного прямоугольника; Shift — круг")},
        {"FilledEllipseTool", QStringLiteral("Заполненный эллипс"), QStringLiteral("Shift+O"),
         QStringLiteral("ведите от угла к углу описанного прямоугольника; Shift — круг")},
        {"FillTool", QStringLiteral("Заливка"), QStringLiteral("F"),
         QStringLiteral("заливает область одного цвета, соседние по сторонам клетки")},
        {"PipetteTool", QStringLiteral("Пипетка"), QStringLiteral("I"),
         QStringLiteral("цвет под указателем становится выбранным; Alt — с любым инструментом")},
        {"SelectionTool", QStringLiteral("Выделение"), QStringLiteral("M"),
         QStringLiteral("ведите, чтобы выделить; внутри — перенести; Enter закрепляет, Esc "
                        "отменяет вставку")},
    }};
    return infos[size_t(kind)];
}

DrawingTools::DrawingTools(PictureDocument& document, QObject* parent)
    : QObject(parent), document_(document), context_(document) {
    context_.previewChanged = [this](const QRect& cells) { emit previewChanged(cells); };
    context_.pickColour = [this](int colour) {
        context_.colour = colour;
        emit colourPicked(colour);
    };
    tools_[size_t(Kind::Pencil)] = std::make_unique<PencilTool>(context_);
    tools_[size_t(Kind::Line)] =
        std::make_unique<ShapeTool>(context_, ShapeTool::Shape::Line, false);
    tools_[size_t(Kind::Rectangle)] =
        std::make_unique<ShapeTool>(context_, ShapeTool::Shape::Rectangle, false);
    tools_[size_t(Kind::FilledRectangle)] =
        std::make_unique<ShapeTool>(context_, ShapeTool::Shape::Rectangle, true);
    tools_[size_t(Kind::Ellipse)] =
        std::make_unique<ShapeTool>(context_, ShapeTool::Shape::Ellipse, false);
    tools_[size_t(Kind::FilledEllipse)] =
        std::make_unique<ShapeTool>(context_, ShapeTool::Shape::Ellipse, true);
    tools_[size_t(Kind::Fill)] = std::make_unique<FillTool>(context_);
    tools_[size_t(Kind::Pipette)] = std::make_unique<PipetteTool>(context_);
    tools_[size_t(Kind::Selection)] = std::make_unique<SelectionTool>(context_);
}

DrawingTools::~DrawingTools() = default;

SelectionTool& DrawingTools::selectionTool() {
    return static_cast<SelectionTool&>(tool(Kind::Selection));
}

void DrawingTools::choose(Kind kind) {
    if (kind == current_) {
        return;
    }
    tool(current_).leave();
    pressed_ = nullptr;
    current_ = kind;
    emit toolChosen(kind);
}

void DrawingTools::press(QPoint cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    pressed_ = modifiers.testFlag(Qt::AltModifier) ? &tool(Kind::Pipette) : &tool(current_);
    pressed_->press({cell, button, modifiers});
}

void DrawingTools::drag(QPoint cell, Qt::KeyboardModifiers modifiers) {
    if (pressed_) {
        pressed_->drag({cell, Qt::NoButton, modifiers});
    }
}

void DrawingTools::release(QPoint cell, Qt::KeyboardModifiers modifiers) {
    if (Tool* tool = std::exchange(pressed_, nullptr)) {
        tool->release({cell, Qt::NoButton, modifiers});
    }
}

void DrawingTools::select(const QRect& cells) {
    fixFloating();
    context_.selection = cells & context_.pictureRect();
    context_.clearPreview();
}

QRect DrawingTools::selectionOrPicture() const {
    const QRect selected = context_.selection & context_.pictureRect();
    return selected.isEmpty() ? context_.pictureRect() : selected;
}

void DrawingTools::copy() {
    CellBlock block;
    if (context_.floating) {
        block = context_.floating->block;
    } else if (!(context_.selection & context_.pictureRect()).isEmpty()) {
        block = document_.copyArea(context_.selection);
    }
    if (block.isEmpty()) {
        return;
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kCellsMimeType), blockBytes(block));
    data->setImageData(blockImage(block, document_.palette()));
    QGuiApplication::clipboard()->setMimeData(data);
}

void DrawingTools::cut() {
    copy();
    if (context_.floating) {
        dropFloating();
    } else if (!(context_.selection & context_.pictureRect()).isEmpty()) {
        document_.eraseArea(context_.selection, true);
    }
}

void DrawingTools::erase() {
    if (context_.floating) {
        dropFloating();
    } else if (!(context_.selection & context_.pictureRect()).isEmpty()) {
        document_.eraseArea(context_.selection, false);
    }
}

bool DrawingTools::paste(const QMimeData* data) {
    if (!data || !data->hasFormat(QString::fromLatin1(kCellsMimeType))) {
        return false;
    }
    const auto block = blockFromBytes(data->data(QString::fromLatin1(kCellsMimeType)));
    if (!block) {
        return false;
    }
    fixFloating();
    const QRect selected = context_.selection & context_.pictureRect();
    context_.floating = FloatingBlock{*block, selected.isEmpty() ? QPoint() : selected.topLeft()};
    choose(Kind::Selection);
    context_.showSelection();
    return true;
}

void DrawingTools::fixFloating() {
    selectionTool().fixFloating();
}

void DrawingTools::dropFloating() {
    selectionTool().dropFloating();
}

void DrawingTools::flip(Qt::Orientation orientation) {
    if (context_.floating) {
        CellBlock& block = context_.floating->block;
        PixelBuffer cells;
        PictureCells grid(cells, block.width, block.height);
        placeBlock(grid, block, {});
        flipArea(grid, grid.bounds(), orientation);
        block = copyBlock(grid, grid.bounds());
        context_.showSelection();
        return;
    }
    document_.flip(selectionOrPicture(), orientation);
}

void DrawingTools::replaceColour(const ColourReplacement& replacement) {
    fixFloating();
    const QRect area = replacement.selectionOnly ? selectionOrPicture() : context_.pictureRect();
    document_.replaceColour(area, replacement.from, replacement.to, replacement.swap);
}

void DrawingTools::askReplaceColour(Dialogs& dialogs) {
    const auto chosen =
        dialogs.replaceColour(lastReplacement_, document_.palette(), !selection().isEmpty());
    if (chosen) {
        lastReplacement_ = *chosen;
        replaceColour(*chosen);
    }
}
