#include "TextFit.h"

#include <cmath>

namespace pdf {

TTextFit FitTextToCell(double textWidth, double cellWidth) {
    if (cellWidth <= 0 || textWidth <= cellWidth + 0.5) {
        return {};
    }
    // Rounded down, so that the condensed text never ends past the edge.
    const int percent = static_cast<int>(std::floor(100 * cellWidth / textWidth));
    if (percent < kMinimumCondensePercent) {
        return {kMinimumCondensePercent, true};
    }
    return {percent, false};
}

}  // namespace pdf
