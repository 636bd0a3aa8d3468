#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

#include "convert/chunks.h"
#include "convert/floydsteinberg.h"
#include "convert/ordereddither.h"
#include "convert/palettediffusion.h"
#include "convert/palettesearch.h"
#include "convert/thresholds.h"

namespace tovik {

class PixelBuffer;

// CGA_BWCM has no settings; it is meant for palette 4.
struct CgaSettings {
    bool operator==(const CgaSettings&) const = default;
};

// A conversion method with its settings: what a tool window asks for, what a preset
// holds and what the batch program's options describe.
using MethodSettings =
    std::variant<ThresholdSettings, FloydSteinbergSettings, ChunkSettings, CgaSettings,
                 DiffusionSettings, OrderedSettings, SearchSettings>;

// The method's name on the command line and in presets: "thresholds", "floyd-steinberg",
// "chunks", "cga", "diffusion", "ordered", "search", in the order of the variant.
QString methodName(const MethodSettings& settings);
QStringList methodNames();

// The method of that name with its default settings, or nothing for an unknown name.
std::optional<MethodSettings> defaultSettingsFor(const QString& name);

// Whether the indices depend on the palette: the palette methods pick the palette's own
// colours, the others write fixed indices meant for palette 0 (CGA_BWCM for palette 4).
bool usesPalette(const MethodSettings& settings);

// One conversion as the method does it: `fitted` is the picture as imported, `source` the
// working copy that some methods change in place and carry to their next run (toning,
// Floyd–Steinberg), which others rebuild from `fitted` first. Writes the buffer with
// stride pictureWidth.
void convertPicture(const MethodSettings& settings, const QImage& fitted, QImage& source,
                    int palette, int pictureWidth, PixelBuffer& buffer);

}  // namespace tovik
