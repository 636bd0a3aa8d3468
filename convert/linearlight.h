#pragma once

#include <array>

namespace tovik {

// A channel byte with the sRGB curve undone: light in proportion to the energy, where
// mixing two colours on the screen averages them.
double linearLight(int byte);

// The same for every byte value, as floats, for the conversions' inner loops.
const std::array<float, 256>& linearLightTable();

}  // namespace tovik
