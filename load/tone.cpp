#include "load/tone.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "picture/error.h"
#include "picture/render.h"

namespace tovik {

const std::array<ToneRange, kToneParameterCount> kToneRanges = {{
    {"brightness", -100, 100, 0},
    {"contrast", -100, 100, 0},
    {"gamma", 0.1, 10, 1},
    {"saturation", 0, 200, 100},
    {"sharpen", 0, 100, 0},
}};

double toneValue(const ToneSettings& tone, ToneParameter parameter) {
    switch (parameter) {
        case kBrightness:
            return tone.brightness;
        case kContrast:
            return tone.contrast;
        case kGamma:
            return tone.gamma;
        case kSaturation:
            return tone.saturation;
        case kSharpen:
        case kToneParameterCount:
            break;
    }
    return tone.sharpen;
}

void setToneValue(ToneSettings& tone, ToneParameter parameter, double value) {
    switch (parameter) {
        case kBrightness:
            tone.brightness = int(std::lround(value));
            return;
        case kContrast:
            tone.contrast = int(std::lround(value));
            return;
        case kGamma:
            tone.gamma = value;
            return;
        case kSaturation:
            tone.saturation = int(std::lround(value));
            return;
        case kSharpen:
        case kToneParameterCount:
            break;
    }
    tone.sharpen = int(std::lround(value));
}

void checkTone(const ToneSettings& tone) {
    for (int p = 0; p < kToneParameterCount; ++p) {
        const ToneRange& range = kToneRanges[size_t(p)];
        const double value = toneValue(tone, ToneParameter(p));
        // The negated test also refuses a gamma that is not a number.
        if (!(value >= range.min && value <= range.max)) {
            throw Error(QStringLiteral("The %1 %2 is outside its range %3..%4")
                            .arg(QLatin1String(range.name))
                            .arg(value)
                            .arg(range.min)
                            .arg(range.max));
        }
    }
}

namespace {

uint8_t clampByte(double value) {
    return uint8_t(std::clamp(std::lround(value), 0L, 255L));
}

// Brightness, contrast and gamma for every channel value.
std::array<uint8_t, 256> levelTable(const ToneSettings& tone) {
    std::array<uint8_t, 256> table{};
    const double scale = (100.0 + tone.contrast) / 100.0;
    for (int v = 0; v < 256; ++v) {
        double x = (v + tone.brightness * 2.55 - 127.5) * scale + 127.5;
        x = std::clamp(x, 0.0, 255.0);
        if (tone.gamma != 1.0) {
            x = 255.0 * std::pow(x / 255.0, 1.0 / tone.gamma);
        }
        table[size_t(v)] = clampByte(x);
    }
    return table;
}

QRgb* rowOf(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

void applyLevels(QImage& picture, const std::array<uint8_t, 256>& table) {
    for (int y = 0; y < picture.height(); ++y) {
        QRgb* row = rowOf(picture, y);
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = row[x];
            row[x] = qRgb(table[qRed(p)], table[qGreen(p)], table[qBlue(p)]);
        }
    }
}

// Each channel moved away from (or towards) the pixel's luma, in whole thousandths.
void applySaturation(QImage& picture, int saturation) {
    for (int y = 0; y < picture.height(); ++y) {
        QRgb* row = rowOf(picture, y);
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = row[x];
            const int luma1000 = 299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p);
            const auto channel = [&](int c) {
                return clampByte((luma1000 + (1000.0 * c - luma1000) * saturation / 100.0) /
                                 1000.0);
            };
            row[x] = qRgb(channel(qRed(p)), channel(qGreen(p)), channel(qBlue(p)));
        }
    }
}

// v + (v - blur) * amount / 100 per channel; the blur reads the picture as it was.
void applySharpen(QImage& picture, int amount) {
    const int w = picture.width(), h = picture.height();
    const QImage before = picture.copy();
    const auto at = [&](int x, int y) {
        return reinterpret_cast<const QRgb*>(
            before.constScanLine(std::clamp(y, 0, h - 1)))[std::clamp(x, 0, w - 1)];
    };
    static constexpr int kWeights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    for (int y = 0; y < h; ++y) {
        QRgb* row = rowOf(picture, y);
        for (int x = 0; x < w; ++x) {
            int blur[3] = {0, 0, 0};  // sixteen times the blurred channels
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QRgb q = at(x + dx, y + dy);
                    const int weight = kWeights[dy + 1][dx + 1];
                    blur[0] += weight * qRed(q);
                    blur[1] += weight * qGreen(q);
                    blur[2] += weight * qBlue(q);
                }
            }
            const QRgb p = row[x];
            const auto channel = [&](int v, int blur16) {
                return clampByte(v + (16.0 * v - blur16) * amount / 1600.0);
            };
            row[x] = qRgb(channel(qRed(p), blur[0]), channel(qGreen(p), blur[1]),
                          channel(qBlue(p), blur[2]));
        }
    }
}

}  // namespace

QImage applyTone(const QImage& picture, const ToneSettings& tone) {
    if (tone.isNeutral() || picture.isNull()) {
        return picture;
    }
    QImage result = picture.convertToFormat(QImage::Format_RGB32);
    result.detach();
    if (tone.brightness != 0 || tone.contrast != 0 || tone.gamma != 1.0) {
        applyLevels(result, levelTable(tone));
    }
    if (tone.saturation != 100) {
        applySaturation(result, tone.saturation);
    }
    if (tone.sharpen != 0) {
        applySharpen(result, tone.sharpen);
    }
    return result;
}

ToneSettings autoTone(const QImage& picture, const ToneSettings& tone) {
    ToneSettings result = tone;
    const QImage rgb = asRgb32(picture);
    std::array<qint64, 256> histogram{};
    qint64 count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            ++histogram[size_t(qGray(row[x]))];
            ++count;
        }
    }
    // The darkest level below which at most half per cent of the pixels lie, and the
    // lightest above which at most half per cent lie.
    const qint64 tail = count / 200;
    int low = 0, high = 255;
    for (qint64 seen = 0; low < 255 && seen + histogram[size_t(low)] <= tail; ++low) {
        seen += histogram[size_t(low)];
    }
    for (qint64 seen = 0; high > 0 && seen + histogram[size_t(high)] <= tail; --high) {
        seen += histogram[size_t(high)];
    }
    if (count == 0 || high <= low) {
        return result;
    }
    // (low + b - 127.5) * f + 127.5 = 0 and (high + b - 127.5) * f + 127.5 = 255.
    const double scale = 255.0 / (high - low);
    const double shift = 127.5 - (high + low) / 2.0;
    result.contrast = int(std::clamp(std::lround(scale * 100.0 - 100.0), -100L, 100L));
    result.brightness = int(std::clamp(std::lround(shift / 2.55), -100L, 100L));
    return result;
}

}  // namespace tovik
