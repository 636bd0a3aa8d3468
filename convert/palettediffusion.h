#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

namespace tovik {

class PixelBuffer;

// The error diffusion kernels, with their standard weights.
enum class DiffusionKernel {
    FloydSteinberg,
    JarvisJudiceNinke,
    Stucki,
    Burkes,
    Sierra,
    SierraTwoRow,
    SierraLite,
    Atkinson,
};

// The kernels' names on the command line and in presets, in the order of the enum.
extern const std::array<QString, 8> kDiffusionKernelNames;

// The scans' names, "serpentine" (DiffusionSettings::serpentine) and "raster".
const QStringList& diffusionScanNames();

struct DiffusionSettings {
    DiffusionKernel kernel = DiffusionKernel::FloydSteinberg;
    // Odd rows run right to left, and the scan starts warm (convertDiffusion); false is the
    // plain scan, every row left to right, which draws diagonal streaks in flat areas.
    bool serpentine = true;
    int strength = 100;  // 0..100: the share of the error passed on, in per cent
    bool operator==(const DiffusionSettings&) const = default;
};

// Diffusion to the palette: each pixel of the fitted picture takes the nearest of the
// palette's four colours and passes the rest of its error to its neighbours. The error is
// kept in linear light, where the eye averages neighbouring pixels; "nearest" is by
// squared distance there too, which keeps the error small, plus a term for each colour
// that moves the boundaries between colours to where the eye puts them (what shows where
// less than the full error is passed on). The strength s passes (s/100)^0.85 of the error:
// strength 0 is each pixel's nearest colour alone. The serpentine scan starts from the
// error of 8 copies of the first row run above it, so dark flat areas have no empty first
// rows. A colour the four cannot mix
// first moves to the mixture that looks closest to it (convert/palettegamut.h). Starts
// from `fitted` every run, so the same settings always give the same indices; a null
// picture changes nothing. Otherwise clears the buffer, then writes entry
// y*pictureWidth + x of every fitted pixel with x < pictureWidth.
void convertDiffusion(const QImage& fitted, const DiffusionSettings& settings, int palette,
                      int pictureWidth, PixelBuffer& buffer);

}  // namespace tovik
