#include "control/core/SampleColour.h"

#include <cmath>

namespace dralith {

Colour SampleColour(double fraction, int base)
{
    if (base == 0)
        base = 255;
    if (!(fraction > 0.0))
        fraction = 0.0; // also NaN
    if (fraction > 1.0)
        fraction = 1.0;
    int red = 0;
    int green = 0;
    if (fraction <= 0.5) {
        red = base;
        green = static_cast<int>(std::floor(base * fraction / 0.5));
    } else {
        red = base - static_cast<int>(std::floor(base * (fraction - 0.5) / 0.5));
        green = base;
    }
    return rgb(red, green, 0);
}

} // namespace dralith
