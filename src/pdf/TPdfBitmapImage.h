#pragma once

#include "TPdfImageCreator.h"

namespace pdf {

// Uncompressed samples: formats of 8 bits and fewer keep their palette as an indexed colour
// space of 256 entries, the others become 24-bit RGB.
class TPdfBitmapImage : public TPdfImageCreator {
  public:
    std::unique_ptr<TPdfImage> CreateImage(const TPdfBitmap& graphic) override;
};

}  // namespace pdf
