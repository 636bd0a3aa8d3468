#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "convert/chunks.h"
#include "convert/method.h"
#include "load/frame.h"
#include "picture/picturesize.h"
#include "picture/pixelbuffer.h"

class QUndoStack;

namespace tovik {

struct CellBlock;
struct ImportedPicture;
struct PaletteScore;
class PictureCells;
struct ProjectFile;

// Everything that makes up the picture being edited, as one value: what an undo step
// brings back.
struct PictureState {
    PixelBuffer buffer;  // colour indices, pixel (x, y) at x + y*width
    int width = kStartWidth;
    int height = kStartHeight;
    int heightMax = kStartHeightMax;  // what the height may be raised to by hand
    int palette = 0;
    int viewScale = 8;  // view pixels per picture pixel: 8 or 4
    // The working bitmap: one pixel per picture pixel in the palette's colours, as last
    // painted. A size change crops or pads it and leaves the buffer alone, so it is not
    // always what the buffer would draw.
    QImage working;
    QImage fitted;     // the picture of the last import, fitted; empty before the first
    QImage source;     // the fitted picture as the conversions left it
    QSize loadedSize;  // the size of that picture as its file held it
    ChunkReferences chunkReferences{};  // the references the last chunk conversion used
    // The last import with its kept copy of the photograph, shared by every state that
    // comes from it, and the frame and tone that made `fitted` from it.
    std::shared_ptr<const ImportedPicture> photograph;
    Framing framing;
    // The conversion that made the picture, with its settings, and a digest of what it
    // made (buffer, size and palette), which tells whether the picture is still that
    // result untouched. Empty for a project, a raw strip and the start.
    std::optional<MethodSettings> conversion;
    size_t conversionDigest = 0;
    // The conversion is a search whose refinement is still to come (refineConversion).
    bool refinementAwaited = false;
};

// The picture document: it owns the picture and every change to it. Each operation is an
// undo step of its own unless it runs inside a Step, which gathers everything done while
// it lives into one. Observers follow the signals, which come once, when a step ends.
class PictureDocument : public QObject {
    Q_OBJECT
public:
    // What the undo history may hold; the oldest steps go first.
    static constexpr qsizetype kHistoryBytes = qsizetype(64) << 20;

    explicit PictureDocument(QObject* parent = nullptr);
    ~PictureDocument() override;

    const PictureState& state() const { return state_; }
    const PixelBuffer& buffer() const { return state_.buffer; }
    int width() const { return state_.width; }
    int height() const { return state_.height; }
    int heightMax() const { return state_.heightMax; }
    int palette() const { return state_.palette; }
    int viewScale() const { return state_.viewScale; }
    const QImage& workingBitmap() const { return state_.working; }
    const QImage& fittedPicture() const { return state_.fitted; }
    const QImage& sourcePicture() const { return state_.source; }
    const ChunkReferences& chunkReferences() const { return state_.chunkReferences; }

    QUndoStack* undoStack() const { return stack_.get(); }
    // Changes since the document was last opened or saved (or since the start).
    bool isModified() const;
    QString fileName() const { return fileName_; }
    // The file is what the picture was opened from or saved to now.
    void markSaved(const QString& fileName);
    // Bytes the undo history holds, as it counts them.
    qsizetype historyBytes() const { return historyBytes_; }

    // Gathers the operations done while it lives into one undo step named `text`,
    // pushed when it ends if the picture changed (also when it ends by an exception, so
    // whatever a failing command changed can be undone). Steps do not nest: an inner one
    // joins the outer. Steps with the same non-zero merge key that follow each other
    // become one while mergeable is set on the later one.
    class Step {
    public:
        Step(PictureDocument& document, const QString& text, int mergeKey = 0);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        PictureDocument& document_;
        bool outer_;
    };

    // One pixel of the working bitmap and its buffer entry: colour `index` of the
    // palette (0, black, erases). The pixel must lie inside the working bitmap.
    void paintPixel(int x, int y, int index);
    // Chooses a palette and repaints the picture in it, also when it is the same one.
    void setPalette(int palette);
    // W or H as the tool bar sets it: clamped to its limits, the working bitmap cropped
    // or padded with black, the buffer read with the new stride only at the next redraw.
    void setWidth(int width);
    void setHeight(int height);
    // W, then H, as the program sets them: clamped, and H kept within the buffer.
    void setPictureSize(int width, int height);
    void setHeightMax(int heightMax);
    // Magnification changes are no steps of their own; inside a step they are part of it.
    void setViewScale(int scale);
    // Repaints the working bitmap from the buffer in the current palette.
    void redraw();

    // Takes the pictures of an import and the size they give; the buffer is not touched,
    // and no conversion made the picture any more.
    void takePicture(const ImportedPicture& picture);
    // The last import's photograph framed and toned again: the fitted and source pictures
    // become framePicture's, and a size the framing gives becomes the picture's. Throws
    // Error as framePicture does (or when nothing was imported); nothing changes then.
    void setFraming(const Framing& framing);
    const Framing& framing() const { return state_.framing; }
    const ImportedPicture* photograph() const { return state_.photograph.get(); }
    // One conversion of the fitted picture by the method, into the buffer, then a redraw.
    // With the refinement deferred, a search shows the diffusion it starts from at once.
    void convert(const MethodSettings& settings);
    // Searches leave their refinement to refineConversion (the windows refine in the
    // background); otherwise convert() runs them whole.
    void setRefinementDeferred(bool deferred) { refinementDeferred_ = deferred; }
    // The search on screen whose refinement is awaited: the untouched result of the last
    // undo step, not undone. Empty otherwise.
    std::optional<SearchSettings> awaitedRefinement() const;
    // A refinement worked out elsewhere from `start`: while the picture is still that
    // awaited search result, the buffer becomes `refined` within the same undo step (one
    // undo goes back to before the conversion). Returns false, changing nothing, otherwise.
    bool refineConversion(const PixelBuffer& start, const PixelBuffer& refined);
    // The method and settings of the last conversion, if any.
    const std::optional<MethodSettings>& lastConversion() const { return lastConversion_; }
    // An entry of a palette ranking made with `settings`: its palette and indices, then a
    // redraw. A search's entry that is still the diffusion it starts from is refined as
    // convert() refines a search (later, when the refinement is deferred).
    void takeConversion(const PaletteScore& entry, const MethodSettings& settings);
    // The conversion that made the picture as it stands, while nothing has changed its
    // result since (no pixel painted, no other size or palette); empty otherwise.
    std::optional<MethodSettings> shownConversion() const;
    // The source picture as it was fitted, undoing what earlier conversions changed in it.
    void restartSource();
    // The references a chunk conversion read, also when the reading stopped part-way.
    void setChunkReferences(const ChunkReferences& references);
    // A project's size, palette and pixels, then a redraw. The picture as drawn becomes
    // the source, so that no command goes back to a picture imported before.
    void openProject(const ProjectFile& project);
    // A raw strip's rows at the current size; the picture as drawn becomes the source.
    void readRawStrip(const QByteArray& bytes);

    // ---- Drawing: each operation one undo step named for it ----
    // The merge key of a stroke's segments: they join until closeMerge().
    static constexpr int kStrokeMergeKey = 0x5354;
    // A change of cells as one undo step named `text`: `edit` changes the cells and
    // returns the rectangle it may have changed; the working bitmap is painted again
    // where an index changed, and the step keeps only those cells. Steps with the same
    // non-zero merge key join while the merge is open.
    void editCells(const QString& text, const std::function<QRect(PictureCells&)>& edit,
                   int mergeKey = 0);
    // The pencil: the cells from `from` to `to` without gaps; one step until closeMerge().
    void strokeSegment(QPoint from, QPoint to, int index);
    void drawLine(QPoint a, QPoint b, int index);
    void drawRectangle(const QRect& box, bool filled, int index);
    void drawEllipse(const QRect& box, bool filled, int index);
    void fill(QPoint at, int index);
    // Within `area`: index `from` becomes `to`, or the two swap.
    void replaceColour(const QRect& area, int from, int to, bool swap);
    void flip(const QRect& area, Qt::Orientation orientation);
    // The cells of `area` within the picture.
    CellBlock copyArea(const QRect& area) const;
    // The area takes colour 0: a delete, or a cut once it is copied.
    void eraseArea(const QRect& area, bool cut);
    // The cells of `area` go `offset` further; colour 0 is left behind.
    void moveArea(const QRect& area, QPoint offset);
    // The block placed with its top left corner at `at`, clipped at the edges.
    void pasteBlock(const CellBlock& block, QPoint at);

    // Ends the merging of steps: the next step with the same merge key starts a new one.
    void closeMerge();

    // Replaces the whole state, as undo and redo do; no step.
    void restore(const PictureState& state);

signals:
    // The picture as a whole changed (buffer, size, palette, working bitmap or scale).
    void pictureChanged();
    // Only pixel (x, y) of the working bitmap changed.
    void pixelChanged(int x, int y);
    void sizeChanged(int width, int height);
    void heightMaxChanged(int heightMax);
    void paletteChanged(int palette);
    void viewScaleChanged(int scale);
    void modifiedChanged(bool modified);
    void fileNameChanged(const QString& fileName);
    // Undo or redo brought back a picture made by another conversion (or by none): the
    // tool windows show its settings (state().conversion).
    void conversionChanged();

private:
    struct Record;
    class Command;
    void giveUpRefinement(Record* next);
    // A step's state after it, kept in the history's count of bytes.
    void setStepAfter(Record& record, std::shared_ptr<const PictureState> after);
    // A cell a drawing step changed, before and after.
    struct CellChange {
        int x, y, entry;
        uint8_t oldIndex, newIndex;
        QRgb oldColour, newColour;
    };
    friend class Command;

    enum Change : unsigned {
        kPicture = 1,
        kSize = 2,
        kHeightMax = 4,
        kPalette = 8,
        kScale = 16,
        kConversion = 32,
    };

    void beginStep(const QString& text, int mergeKey);
    void endStep();
    void changed(unsigned what) { pending_ |= what; }
    void emitPending();
    void push(std::shared_ptr<Record> record);
    void apply(const Record& record, bool redo);
    void applyCells(const std::vector<CellChange>& cells, bool redo);
    void showCells(const std::vector<CellChange>& cells);
    void trimHistory();
    void updateModified();
    size_t digest() const;
    // The picture as drawn becomes the fitted and source picture; no conversion made it.
    void takeDrawnAsSource();

    PictureState state_;
    std::unique_ptr<QUndoStack> stack_;
    // The records of the steps on the stack, in its order; commands share them.
    std::deque<std::shared_ptr<Record>> records_;
    qsizetype historyBytes_ = 0;
    int savedIndex_ = 0;  // the stack index of the saved state; -1 when it is gone
    bool modified_ = false;
    QString fileName_;
    std::optional<MethodSettings> lastConversion_;
    bool refinementDeferred_ = false;

    // The step being gathered.
    int depth_ = 0;
    QString stepText_;
    int stepMergeKey_ = 0;
    std::shared_ptr<const PictureState> stepBefore_;
    unsigned pending_ = 0;
    bool rebuilding_ = false;
};

}  // namespace tovik
