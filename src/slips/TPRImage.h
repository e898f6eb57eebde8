#pragma once

#include <QImage>

#include "TPRItem.h"
#include "TPdfBitmap.h"

namespace pdf {
class TPdfDoc;
}

// A picture in a box: stretched to fill it, or at one unit a pixel clipped to it. A shared
// image is stored once per document under the component's name.
class TPRImage : public TPRItem {
  public:
    bool SharedImage = true;
    bool Stretch = true;

    QString ClassName() const override { return QStringLiteral("TPRImage"); }
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture) { picture_ = picture; }
    void Render(TPRCanvas& canvas, const TPRBounds& rect) override;

    // The picture as the writer's bitmap input: a palette picture as 8-bit indexes, any other
    // as 32-bit rows; transparency laid on white.
    static pdf::TPdfBitmap ToPdfBitmap(const QImage& picture);

  private:
    std::string ImageName(const pdf::TPdfDoc& doc) const;

    QImage picture_;
};
