#pragma once

// One page of a main slip as a vector picture in printer pixels, for the printer and the
// preview. Pagination and every text come from SlipLayout, as for the PDF pages.

#include <QPicture>
#include <QRectF>
#include <QSize>

#include "TSlipKind.h"
#include "TSlipSource.h"

class QPainter;
class TThCampanyInfo;

// Pixels per inch across and down.
struct TSlipResolution {
    double X = 600;
    double Y = 600;
};

struct TSlipPagePicture {
    QPicture Picture;
    QSize Size;  // the A4 sheet in pixels, portrait or landscape
};

// Page n of m; isCopy appends "(控)" to the title; isA4 only moves the company stamp.
TSlipPagePicture RenderSlipPage(const TSlipSource& source, TSlipPageKind pageKind, bool isA4,
                                bool isCopy, int n, int m, TSlipResolution dpi);

// Plays the page stretched over target. A picture plays back scaled by the device's
// resolution over its own, which the stretch takes out again.
void DrawSlipPage(QPainter& painter, const TSlipPagePicture& page, QSize target);

// Where the company stamp lands on the A4 drawing, in mm, at the slip's own position
// (A4 x and y, B5 x and y of the profile). B5 pages are shrunk by B5PrintScale when
// printed, so their stored B5 millimetres are enlarged by it here.
struct TStampPosition {
    double TThCampanyInfo::*XA4;
    double TThCampanyInfo::*YA4;
    double TThCampanyInfo::*XB5;
    double TThCampanyInfo::*YB5;
};
QRectF CompanyStampRect(const TThCampanyInfo& profile, bool isA4, const TStampPosition& at);
// The main slips' position.
QRectF CompanyStampRect(const TThCampanyInfo& profile, bool isA4);

inline constexpr double B5PrintScale = 0.87;
