#include "document/document.h"

#include <QCoreApplication>
#include <QUndoStack>
#include <algorithm>

#include "convert/paletteranking.h"
#include "load/importpicture.h"
#include "machinefiles/rawstrip.h"
#include "picture/drawing.h"
#include "picture/error.h"
#include "picture/palette.h"
#include "picture/projectfile.h"
#include "picture/render.h"

namespace tovik {

// One undo step: the states before and after it, or, for a painted pixel, just that
// pixel, which keeps the most frequent step small and quick.
struct PictureDocument::Record {
    QString text;
    int mergeKey = 0;
    bool mergeOpen = true;
    std::shared_ptr<const PictureState> before;  // null for a painted pixel
    std::shared_ptr<const PictureState> after;
    int x = 0, y = 0, entry = 0;
    int oldIndex = 0, newIndex = 0;
    QRgb oldColour = 0, newColour = 0;
    std::vector<CellChange> cells;  // for a drawing step: the cells it changed, in order
    qsizetype bytes = 0;            // what the step costs the history
};

namespace {

qsizetype imageBytes(const QImage& image) {
    return image.sizeInBytes();
}

// Images held by one state and not shared with the other count once each; the buffer
// and the rest of a state are copied for every state kept.
qsizetype snapshotBytes(const PictureState& before, const PictureState& after) {
    qsizetype bytes = 2 * qsizetype(sizeof(PictureState));
    const QImage PictureState::*images[] = {&PictureState::working, &PictureState::fitted,
                                            &PictureState::source};
    for (const auto image : images) {
        bytes += imageBytes(after.*image);
        if ((before.*image).cacheKey() != (after.*image).cacheKey()) {
            bytes += imageBytes(before.*image);
        }
    }
    // A new import's kept photograph is held by the step too.
    if (after.photograph && after.photograph != before.photograph) {
        bytes += imageBytes(after.photograph->kept);
    }
    return bytes;
}

// A search whose refinement never comes, as the diffusion it shows.
void settleSearch(PictureState& state) {
    state.refinementAwaited = false;
    const auto* search =
        state.conversion ? std::get_if<SearchSettings>(&*state.conversion) : nullptr;
    if (search != nullptr) {
        state.conversion = MethodSettings(search->start);
    }
}

bool sameImage(const QImage& a, const QImage& b) {
    return a.cacheKey() == b.cacheKey() || a == b;
}

// Whether a step changed the picture. The height maximum and the magnification are
// kept with it but alone make no step.
bool pictureDiffers(const PictureState& a, const PictureState& b) {
    return a.width != b.width || a.height != b.height || a.palette != b.palette ||
           !(a.buffer == b.buffer) || a.loadedSize != b.loadedSize ||
           a.chunkReferences != b.chunkReferences || !sameImage(a.working, b.working) ||
           !sameImage(a.fitted, b.fitted) || !sameImage(a.source, b.source) ||
           a.photograph != b.photograph || a.framing != b.framing;
}

}  // namespace

class PictureDocument::Command : public QUndoCommand {
public:
    Command(PictureDocument* document, std::shared_ptr<Record> record)
        : QUndoCommand(record->text), document_(document), record_(std::move(record)) {}

    // The change is already made when the command is pushed.
    void redo() override {
        if (pushed_) {
            document_->apply(*record_, true);
        }
        pushed_ = true;
    }
    void undo() override { document_->apply(*record_, false); }
    int id() const override { return record_->mergeKey != 0 ? record_->mergeKey : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        const Record& next = *static_cast<const Command*>(other)->record_;
        if (!document_->rebuilding_ && record_->mergeOpen && !record_->cells.empty() &&
            !next.cells.empty()) {
            record_->cells.insert(record_->cells.end(), next.cells.begin(), next.cells.end());
            record_->bytes += next.bytes;
            document_->historyBytes_ += next.bytes;
            return true;
        }
        if (document_->rebuilding_ || !record_->mergeOpen || !record_->before || !next.before) {
            return false;
        }
        document_->setStepAfter(*record_, next.after);
        return true;
    }

private:
    PictureDocument* document_;
    std::shared_ptr<Record> record_;
    bool pushed_ = false;
};

PictureDocument::PictureDocument(QObject* parent)
    : QObject(parent), stack_(std::make_unique<QUndoStack>()) {
    state_.working = QImage(state_.width, state_.height, QImage::Format_RGB32);
    state_.working.fill(kBlack);
    connect(stack_.get(), &QUndoStack::indexChanged, this, [this] {
        if (!rebuilding_) {
            updateModified();
        }
    });
}

PictureDocument::~PictureDocument() = default;

bool PictureDocument::isModified() const {
    return savedIndex_ != stack_->index();
}

void PictureDocument::markSaved(const QString& fileName) {
    giveUpRefinement(nullptr);
    if (depth_ == 0) {
        emitPending();
    }
    savedIndex_ = stack_->index();
    if (fileName_ != fileName) {
        fileName_ = fileName;
        emit fileNameChanged(fileName_);
    }
    updateModified();
}

void PictureDocument::updateModified() {
    if (modified_ != isModified()) {
        modified_ = isModified();
        emit modifiedChanged(modified_);
    }
}

// ---- Steps ----

PictureDocument::Step::Step(PictureDocument& document, const QString& text, int mergeKey)
    : document_(document), outer_(document.depth_ == 0) {
    if (outer_) {
        document_.beginStep(text, mergeKey);
    }
    ++document_.depth_;
}

PictureDocument::Step::~Step() {
    --document_.depth_;
    if (outer_) {
        document_.endStep();
    }
}

void PictureDocument::beginStep(const QString& text, int mergeKey) {
    stepText_ = text;
    stepMergeKey_ = mergeKey;
    stepBefore_ = std::make_shared<const PictureState>(state_);
}

void PictureDocument::endStep() {
    const std::shared_ptr<const PictureState> before = std::move(stepBefore_);
    if (before && pictureDiffers(*before, state_)) {
        auto record = std::make_shared<Record>();
        record->text = stepText_;
        record->mergeKey = stepMergeKey_;
        record->before = before;
        record->after = std::make_shared<const PictureState>(state_);
        record->bytes = snapshotBytes(*record->before, *record->after);
        push(std::move(record));
    }
    emitPending();
}

// A step (`next`) or a save came before the awaited refinement, which now never comes: the
// search's step and whatever carries its result on keep the diffusion they show as a
// diffusion, so neither the controls nor undo show a search over an unrefined picture.
void PictureDocument::giveUpRefinement(Record* next) {
    const auto top = static_cast<size_t>(stack_->index());
    if (top == 0 || top > records_.size()) {
        return;
    }
    Record& last = *records_[top - 1];
    if (!last.before || !last.after || !last.after->refinementAwaited) {
        return;
    }
    const std::shared_ptr<const PictureState> awaited = last.after;
    PictureState settled = *awaited;
    settleSearch(settled);
    setStepAfter(last, std::make_shared<const PictureState>(std::move(settled)));
    if (next == nullptr) {
        settleSearch(state_);  // a save: the picture is still that result
        changed(kConversion);
        return;
    }
    if (next->before && next->before->refinementAwaited) {
        next->before = last.after;
    }
    // The state the step leaves carries the search on unless the step converted afresh.
    const bool carried = state_.conversion == awaited->conversion &&
                         state_.conversionDigest == awaited->conversionDigest;
    if (state_.refinementAwaited && (carried || state_.conversionDigest != digest())) {
        settleSearch(state_);
        changed(kConversion);
        if (next->after) {
            next->after = std::make_shared<const PictureState>(state_);
        }
    }
    if (next->before && next->after) {
        next->bytes = snapshotBytes(*next->before, *next->after);
    }
}

void PictureDocument::setStepAfter(Record& record, std::shared_ptr<const PictureState> after) {
    historyBytes_ -= record.bytes;
    record.after = std::move(after);
    record.bytes = snapshotBytes(*record.before, *record.after);
    historyBytes_ += record.bytes;
}

void PictureDocument::emitPending() {
    const unsigned what = std::exchange(pending_, 0u);
    if (what & kHeightMax) {
        emit heightMaxChanged(state_.heightMax);
    }
    if (what & kSize) {
        emit sizeChanged(state_.width, state_.height);
    }
    if (what & kPalette) {
        emit paletteChanged(state_.palette);
    }
    if (what & kScale) {
        emit viewScaleChanged(state_.viewScale);
    }
    if (what & kPicture) {
        emit pictureChanged();
    }
    if (what & kConversion) {
        emit conversionChanged();
    }
}

void PictureDocument::push(std::shared_ptr<Record> record) {
    giveUpRefinement(record.get());
    // Steps past the stack's index are the undone ones that a new step throws away.
    const auto kept = static_cast<size_t>(stack_->index());
    while (records_.size() > kept) {
        historyBytes_ -= records_.back()->bytes;
        records_.pop_back();
    }
    if (savedIndex_ > stack_->index()) {
        savedIndex_ = -1;
    }
    stack_->push(new Command(this, record));
    if (static_cast<size_t>(stack_->count()) > records_.size()) {
        historyBytes_ += record->bytes;
        records_.push_back(std::move(record));
    }
    trimHistory();
    updateModified();
}

void PictureDocument::closeMerge() {
    if (!records_.empty()) {
        records_.back()->mergeOpen = false;
    }
}

// QUndoStack can only drop its oldest commands by a count fixed while it is empty, and
// steps differ in size, so the stack is built again from the steps that are kept.
void PictureDocument::trimHistory() {
    if (historyBytes_ <= kHistoryBytes) {
        return;
    }
    size_t dropped = 0;
    while (historyBytes_ > kHistoryBytes && records_.size() - dropped > 1) {
        historyBytes_ -= records_[dropped]->bytes;
        ++dropped;
    }
    records_.erase(records_.begin(), records_.begin() + static_cast<std::ptrdiff_t>(dropped));
    savedIndex_ =
        savedIndex_ >= static_cast<int>(dropped) ? savedIndex_ - static_cast<int>(dropped) : -1;
    rebuilding_ = true;
    stack_->clear();
    for (const auto& record : records_) {
        stack_->push(new Command(this, record));
    }
    rebuilding_ = false;
}

void PictureDocument::apply(const Record& record, bool redo) {
    if (record.before) {
        restore(redo ? *record.after : *record.before);
        return;
    }
    if (!record.cells.empty()) {
        applyCells(record.cells, redo);
        return;
    }
    state_.buffer.set(record.entry, redo ? record.newIndex : record.oldIndex);
    state_.working.setPixel(record.x, record.y, redo ? record.newColour : record.oldColour);
    emit pixelChanged(record.x, record.y);
}

void PictureDocument::restore(const PictureState& state) {
    const bool otherConversion = state_.conversion != state.conversion;
    state_ = state;
    changed(kPicture | kSize | kHeightMax | kPalette | kScale |
            (otherConversion ? unsigned(kConversion) : 0u));
    if (depth_ == 0) {
        emitPending();
    }
}

// ---- Operations ----

void PictureDocument::paintPixel(int x, int y, int index) {
    if (!state_.working.valid(x, y)) {
        return;
    }
    auto record = std::make_shared<Record>();
    record->text = QStringLiteral("рисование");
    record->x = x;
    record->y = y;
    record->entry = x + y * state_.width;
    record->oldIndex = state_.buffer.at(record->entry);
    record->newIndex = index & 3;
    record->oldColour = state_.working.pixel(x, y);
    record->newColour = paletteColour(state_.palette, index);
    record->bytes = qsizetype(sizeof(Record));
    state_.working.setPixel(x, y, record->newColour);
    state_.buffer.set(record->entry, record->newIndex);
    if (depth_ > 0) {
        changed(kPicture);
        return;
    }
    if (record->oldIndex != state_.buffer.at(record->entry) ||
        record->oldColour != record->newColour) {
        push(std::move(record));
    }
    emit pixelChanged(x, y);
}

// ---- Drawing ----

namespace {

// Up to this many changed cells the view and the preview follow cell by cell; more, and
// redrawing the whole picture once is quicker.
constexpr size_t kCellsShownOneByOne = 1024;

}  // namespace

// The old buffer is kept for the comparison rather than recorded write by write, so the
// pure drawing functions need not know about undo. A cell written with the index it had
// stays as it was in the working bitmap too.
void PictureDocument::editCells(const QString& text,
                                const std::function<QRect(PictureCells&)>& edit, int mergeKey) {
    const auto before = std::make_unique<PixelBuffer>(state_.buffer);
    PictureCells cells(state_.buffer, state_.width, state_.height);
    const QRect area = edit(cells) & cells.bounds() & state_.working.rect();
    std::vector<CellChange> changes;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(state_.working.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int entry = x + y * state_.width;
            const uint8_t oldIndex = before->at(entry), newIndex = state_.buffer.at(entry);
            if (oldIndex != newIndex) {
                const QRgb colour = paletteColour(state_.palette, newIndex);
                changes.push_back({x, y, entry, oldIndex, newIndex, row[x], colour});
                row[x] = colour;
            }
        }
    }
    if (changes.empty()) {
        return;
    }
    if (depth_ > 0) {
        changed(kPicture);
        return;
    }
    auto record = std::make_shared<Record>();
    record->text = text;
    record->mergeKey = mergeKey;
    record->bytes = qsizetype(sizeof(Record) + changes.size() * sizeof(CellChange));
    record->cells = std::move(changes);
    const std::vector<CellChange>& shown = record->cells;
    push(record);
    showCells(shown);
}

void PictureDocument::applyCells(const std::vector<CellChange>& cells, bool redo) {
    const auto put = [this, redo](const CellChange& cell) {
        state_.buffer.set(cell.entry, redo ? cell.newIndex : cell.oldIndex);
        if (state_.working.valid(cell.x, cell.y)) {
            state_.working.setPixel(cell.x, cell.y, redo ? cell.newColour : cell.oldColour);
        }
    };
    // A stroke may cross a cell twice: undo goes back through them in reverse.
    if (redo) {
        std::for_each(cells.begin(), cells.end(), put);
    } else {
        std::for_each(cells.rbegin(), cells.rend(), put);
    }
    showCells(cells);
}

void PictureDocument::showCells(const std::vector<CellChange>& cells) {
    if (cells.size() > kCellsShownOneByOne) {
        changed(kPicture);
        if (depth_ == 0) {
            emitPending();
        }
        return;
    }
    for (const CellChange& cell : cells) {
        emit pixelChanged(cell.x, cell.y);
    }
}

void PictureDocument::setPalette(int palette) {
    Step step(*this, QStringLiteral("палитра"));
    state_.palette = isValidPalette(palette) ? palette : 0;
    changed(kPalette);
    redraw();
}

void PictureDocument::setWidth(int width) {
    Step step(*this, QStringLiteral("ширина"));
    state_.width = std::clamp(width, kMinWidth, kMaxWidth);
    state_.working = resizedKeeping(state_.working, state_.width, state_.height, kBlack);
    changed(kSize | kPicture);
}

void PictureDocument::setHeight(int height) {
    Step step(*this, QStringLiteral("высота"));
    state_.height = std::clamp(height, kMinHeight, std::max(state_.heightMax, kMinHeight));
    state_.working = resizedKeeping(state_.working, state_.width, state_.height, kBlack);
    changed(kSize | kPicture);
}

void PictureDocument::setPictureSize(int width, int height) {
    Step step(*this, QStringLiteral("размер"));
    const PictureSize size = clampPictureSize(width, height, state_.heightMax);
    state_.width = size.width;
    state_.height = size.height;
    state_.working = resizedKeeping(state_.working, state_.width, state_.height, kBlack);
    changed(kSize | kPicture);
}

void PictureDocument::setHeightMax(int heightMax) {
    Step step(*this, QString());
    state_.heightMax = heightMax;
    changed(kHeightMax);
}

void PictureDocument::setViewScale(int scale) {
    Step step(*this, QString());
    state_.viewScale = scale;
    changed(kScale | kPicture);
}

void PictureDocument::redraw() {
    Step step(*this, QStringLiteral("перерисовка"));
    state_.working = renderPicture(state_.buffer, state_.width, state_.height, state_.palette);
    changed(kPicture);
}

void PictureDocument::takePicture(const ImportedPicture& picture) {
    Step step(*this, QStringLiteral("импорт"));
    state_.fitted = picture.fitted;
    state_.source = picture.fitted;
    state_.loadedSize = picture.loadedSize;
    state_.photograph = std::make_shared<const ImportedPicture>(picture);
    state_.framing = {};
    // No conversion of the new source made the picture on screen.
    state_.conversion.reset();
    state_.conversionDigest = 0;
    setHeightMax(picture.heightMax);
    setPictureSize(picture.size.width, picture.size.height);
}

void PictureDocument::setFraming(const Framing& framing) {
    if (!state_.photograph) {
        throw Error(QCoreApplication::translate("PictureDocument",
                                                "Сначала загрузите картинку: кадрировать нечего"));
    }
    const FramedPicture framed = framePicture(*state_.photograph, framing);
    Step step(*this, QStringLiteral("кадр и тон"));
    state_.framing = framing;
    state_.fitted = framed.fitted;
    state_.source = framed.fitted;
    changed(kPicture);
    if (framing.size) {
        setHeightMax(std::max(heightMax(), framed.heightMax));
        setPictureSize(framed.size.width, framed.size.height);
    }
}

void PictureDocument::convert(const MethodSettings& settings) {
    Step step(*this, methodName(settings));
    if (const auto* chunks = std::get_if<ChunkSettings>(&settings)) {
        state_.chunkReferences = chunks->reference;
    }
    const auto* search = std::get_if<SearchSettings>(&settings);
    state_.refinementAwaited = search != nullptr && refinementDeferred_;
    convertPicture(state_.refinementAwaited ? MethodSettings(search->start) : settings,
                   state_.fitted, state_.source, state_.palette, state_.width, state_.buffer);
    lastConversion_ = settings;
    state_.conversion = settings;
    state_.conversionDigest = digest();
    redraw();
}

std::optional<SearchSettings> PictureDocument::awaitedRefinement() const {
    const std::optional<MethodSettings> shown = shownConversion();
    const auto* search = shown ? std::get_if<SearchSettings>(&*shown) : nullptr;
    const int top = stack_->index();
    if (search == nullptr || !state_.refinementAwaited || depth_ != 0 || top == 0 ||
        top != stack_->count() || size_t(top) > records_.size()) {
        return std::nullopt;
    }
    const Record& last = *records_[size_t(top) - 1];
    if (!last.before || !last.after || !(last.after->buffer == state_.buffer) ||
        savedIndex_ == top) {
        return std::nullopt;  // another step, or a save, came after the conversion
    }
    return *search;
}

bool PictureDocument::refineConversion(const PixelBuffer& start, const PixelBuffer& refined) {
    if (!awaitedRefinement() || !(state_.buffer == start)) {
        return false;
    }
    Record& last = *records_[size_t(stack_->index()) - 1];
    state_.buffer = refined;
    state_.refinementAwaited = false;
    state_.working = renderPicture(state_.buffer, state_.width, state_.height, state_.palette);
    state_.conversionDigest = digest();
    setStepAfter(last, std::make_shared<const PictureState>(state_));
    last.mergeOpen = false;  // a later live change starts a step of its own
    changed(kPicture);
    emitPending();
    return true;
}

void PictureDocument::takeConversion(const PaletteScore& entry, const MethodSettings& settings) {
    Step step(*this, QStringLiteral("подбор палитры"));
    state_.palette = isValidPalette(entry.palette) ? entry.palette : 0;
    state_.buffer = entry.buffer;
    const auto* search = std::get_if<SearchSettings>(&settings);
    const bool unrefined = search != nullptr && entry.searchStart;
    state_.refinementAwaited = unrefined && refinementDeferred_;
    if (unrefined && !refinementDeferred_) {
        refinePaletteSearch(state_.fitted, state_.palette, state_.width, search->passes,
                            state_.buffer);
    }
    state_.conversion = settings;
    state_.conversionDigest = digest();
    changed(kPalette);
    redraw();
}

std::optional<MethodSettings> PictureDocument::shownConversion() const {
    if (state_.conversion && state_.conversionDigest == digest()) {
        return state_.conversion;
    }
    return std::nullopt;
}

size_t PictureDocument::digest() const {
    const int entries = pictureEntries(state_.width, state_.height);
    return qHashMulti(0, qHashBits(state_.buffer.data(), size_t(entries)), state_.width,
                      state_.height, state_.palette);
}

void PictureDocument::takeDrawnAsSource() {
    state_.fitted = state_.working;
    state_.source = state_.working;
    state_.loadedSize = state_.working.size();
    state_.conversion.reset();
    state_.conversionDigest = 0;
}

void PictureDocument::restartSource() {
    state_.source = state_.fitted;
}

void PictureDocument::setChunkReferences(const ChunkReferences& references) {
    state_.chunkReferences = references;
}

void PictureDocument::openProject(const ProjectFile& project) {
    Step step(*this, QStringLiteral("открытие проекта"));
    setPictureSize(project.width, project.height);
    state_.palette = project.palette;
    changed(kPalette);
    loadProjectPixels(project.pixels, state_.width, state_.height, state_.buffer);
    redraw();
    takeDrawnAsSource();
}

void PictureDocument::readRawStrip(const QByteArray& bytes) {
    Step step(*this, QStringLiteral("Tovik_IMG"));
    tovik::readRawStrip(bytes, state_.height, state_.buffer);
    redraw();
    takeDrawnAsSource();
}

}  // namespace tovik
