#pragma once

// The sheets of one printed run: the slip's pages, then with the copy option the same
// pages again as copies. The printer and the preview step through the same list.

#include <functional>
#include <vector>

#include "RenderSlipPage.h"
#include "TSlipKind.h"

class QPainter;

struct TSlipSheet {
    int Number = 1;  // the page number printed: a copy carries the one of its original
    TSlipPageKind PageKind = TSlipPageKind::pkSingle;
    bool Copy = false;
    bool NewPageBefore = false;  // a new sheet starts before this one
};

// m pages, twice when withCopies.
std::vector<TSlipSheet> SlipSheets(int m, bool withCopies);

// B5 only shrinks the A4 drawing.
inline double PrintScale(bool isA4) {
    return isA4 ? 1.0 : B5PrintScale;
}

// Every sheet of the slip onto the painter's device; newPage starts the next sheet.
// The pages are drawn at the device's resolution, shrunk for B5, from the top-left corner.
void PrintSlipSheets(QPainter& painter, const TSlipSource& source, bool isA4, TSlipResolution dpi,
                     const std::function<void()>& newPage);
