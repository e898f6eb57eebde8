#pragma once

namespace pdf {

// How one line of text goes into its cell: at full width when it fits, else condensed
// horizontally just enough, but never below the minimum; a text that does not fit even then
// is drawn at the minimum and cut at the cell's edge. The PDF slips and the printed page
// both follow it.
struct TTextFit {
    int Percent = 100;  // horizontal scale
    bool Clip = false;

    bool operator==(const TTextFit&) const = default;
};

inline constexpr int kMinimumCondensePercent = 50;

// Widths in any one unit; a cell of no width holds any text as it is. Half a unit of
// overrun counts as fitting, so a cell sized to its text by rounding keeps it unscaled.
TTextFit FitTextToCell(double textWidth, double cellWidth);

}  // namespace pdf
