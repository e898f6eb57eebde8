#pragma once

// Drawing helpers of the printed slips: millimetres to printer pixels and text in
// "ＭＳ ゴシック" at a point size, both at the printer's resolution.

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

// v mm in pixels at dpi, rounded to the nearest, halves to even.
int MmToPx(double dpi, double mm);

// The slip font at a point size: its cell is round(points × dpi / 72) pixels high.
QFont SlipFont(double dpi, int points, bool underline = false);

// Text with its top-left corner at (x, y) pixels on a transparent background; bold text is
// struck twice.
void DrawSlipText(QPainter& painter, double dpi, int points, const QString& text, int y, int x,
                  bool bold = false, bool underline = false);
int SlipTextWidth(const QString& text, double dpi, int points, bool bold = false);
// The same in a cell cellWidth pixels wide that starts at x: a text wider than the cell is
// condensed to fit, and cut at its edge where even that fails (pdf::FitTextToCell). With
// alignRight the text ends at the cell's right edge.
void DrawSlipTextInCell(QPainter& painter, double dpi, int points, const QString& text, int y,
                        int x, int cellWidth, bool alignRight = false, bool bold = false,
                        bool underline = false);

// Titles and table grids.
inline const QColor SlipNavy{0, 0, 128};
// Ends the title of a file copy.
inline const QString SlipCopyMark = QStringLiteral("(控)");
