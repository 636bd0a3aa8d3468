#pragma once

#include <QImage>
#include <QString>
#include <array>

namespace tovik {

// How light, contrast and colour come in, applied to the framed picture at its target
// size. Neutral values change nothing.
struct ToneSettings {
    int brightness = 0;    // -100..100: adds brightness * 2.55 to every channel
    int contrast = 0;      // -100..100: scales about the middle by (100 + contrast) / 100
    double gamma = 1.0;    // 0.1..10: x -> x^(1/gamma), above 1 lightens the middle tones
    int saturation = 100;  // 0..200 per cent: 0 grey, 100 as it is
    int sharpen = 0;       // 0..100: an unsharp mask of that strength in per cent
    bool operator==(const ToneSettings&) const = default;
    bool isNeutral() const { return *this == ToneSettings{}; }
};

// One tone setting's name (as the batch program's option and the preset's field says
// it), range and neutral value, for the front ends and the messages.
struct ToneRange {
    const char* name;
    double min;
    double max;
    double neutral;
};
enum ToneParameter { kBrightness, kContrast, kGamma, kSaturation, kSharpen, kToneParameterCount };
extern const std::array<ToneRange, kToneParameterCount> kToneRanges;

double toneValue(const ToneSettings& tone, ToneParameter parameter);
void setToneValue(ToneSettings& tone, ToneParameter parameter, double value);

// Throws Error naming the first value outside its range and the range.
void checkTone(const ToneSettings& tone);

// The picture (RGB32) with the tone applied: brightness, contrast and gamma through one
// table per channel value, then saturation about each pixel's luma, then the unsharp mask
// against a 3 x 3 blur (1 2 1 / 2 4 2 / 1 2 1, edges repeated). Neutral settings give the
// picture back untouched.
QImage applyTone(const QImage& picture, const ToneSettings& tone);

// Brightness and contrast that stretch the picture's luma from its darkest half per cent
// to its lightest to the whole 0..255, within their ranges; the other settings are
// copied from `tone`. A picture of one level keeps `tone`'s brightness and contrast.
ToneSettings autoTone(const QImage& picture, const ToneSettings& tone);

}  // namespace tovik
