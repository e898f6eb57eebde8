#pragma once

// What the preview windows share: where the page image sits, the page drawn at that size,
// the zoom list, the mouse wheel and the export of the shown picture.

#include <QImage>
#include <QRect>
#include <QString>

#include "RenderSlipPage.h"

class QComboBox;
class QEvent;
class QScrollArea;
class QWidget;

// The page image in a scroll box of client size box: portrait fills the height times zoom
// and is centred across, landscape fills the width and is centred down; never left of or
// above the box.
QRect PreviewImageRect(QSize box, double zoom, bool landscape);
// The page shows on black around it; the content widget lets the black through.
void PreparePreviewBox(QScrollArea& box, QWidget& content);
// Gives the scroll box's content room for the image and places it there.
void PlacePreviewImage(QScrollArea& box, QWidget& image, const QRect& at);
// The page stretched over a white image of that size.
QImage PreviewImage(const TSlipPagePicture& page, QSize size);
// "100%" to "200%" in steps of 10; item i is zoom 1 + i / 10.
void FillZoomList(QComboBox& list);
inline double ZoomOf(int item) {
    return item / 10.0 + 1;
}
// Five pixels a notch up or down; true when the event was the wheel over the box.
bool ScrollPreviewByWheel(QScrollArea& box, QEvent* event);
// The shown image into path as BMP or JPG, written atomically; a failure is told in a box.
void SavePreviewPicture(QWidget* parent, const QImage& image, const QString& path,
                        const char* format);
