#include "convert/method.h"

#include "convert/cga.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

// Names in the order of the variant's alternatives.
const QStringList kNames = {
    QStringLiteral("thresholds"), QStringLiteral("floyd-steinberg"), QStringLiteral("chunks"),
    QStringLiteral("cga"),        QStringLiteral("diffusion"),       QStringLiteral("ordered"),
    QStringLiteral("search"),
};

template <size_t... I>
std::optional<MethodSettings> defaultAt(size_t index, std::index_sequence<I...>) {
    std::optional<MethodSettings> result;
    ((index == I ? (result = MethodSettings(std::in_place_index<I>), 0) : 0), ...);
    return result;
}

}  // namespace

QString methodName(const MethodSettings& settings) {
    return kNames[qsizetype(settings.index())];
}

QStringList methodNames() {
    return kNames;
}

std::optional<MethodSettings> defaultSettingsFor(const QString& name) {
    const qsizetype index = kNames.indexOf(name);
    if (index < 0) {
        return std::nullopt;
    }
    return defaultAt(size_t(index),
                     std::make_index_sequence<std::variant_size_v<MethodSettings>>());
}

bool usesPalette(const MethodSettings& settings) {
    return std::holds_alternative<DiffusionSettings>(settings) ||
           std::holds_alternative<OrderedSettings>(settings) ||
           std::holds_alternative<SearchSettings>(settings);
}

void convertPicture(const MethodSettings& settings, const QImage& fitted, QImage& source,
                    int palette, int pictureWidth, PixelBuffer& buffer) {
    struct Visitor {
        const QImage& fitted;
        QImage& source;
        int palette;
        int width;
        PixelBuffer& buffer;
        void operator()(const ThresholdSettings& s) {
            convertThresholds(fitted, source, s, width, buffer);
        }
        void operator()(const FloydSteinbergSettings& s) {
            convertFloydSteinberg(source, s, width, buffer);
        }
        void operator()(const ChunkSettings& s) { convertChunks(source, s, width, buffer); }
        void operator()(const CgaSettings&) { convertCga(fitted, source, width, buffer); }
        void operator()(const DiffusionSettings& s) {
            convertDiffusion(fitted, s, palette, width, buffer);
        }
        void operator()(const OrderedSettings& s) {
            convertOrdered(fitted, s, palette, width, buffer);
        }
        void operator()(const SearchSettings& s) {
            convertSearch(fitted, s, palette, width, buffer);
        }
    };
    std::visit(Visitor{fitted, source, palette, pictureWidth, buffer}, settings);
}

}  // namespace tovik
