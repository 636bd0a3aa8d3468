#include "convert/linearlight.h"

#include <cmath>

namespace tovik {

double linearLight(int byte) {
    const double c = byte / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

const std::array<float, 256>& linearLightTable() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int v = 0; v < 256; ++v) {
            t[size_t(v)] = float(linearLight(v));
        }
        return t;
    }();
    return table;
}

}  // namespace tovik
