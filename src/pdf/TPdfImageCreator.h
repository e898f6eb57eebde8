#pragma once

#include <memory>
#include <string_view>

#include "TPdfBitmap.h"
#include "TPdfStream.h"

namespace pdf {

// Turns a picture into an image external object, not yet numbered.
class TPdfImageCreator {
  public:
    virtual ~TPdfImageCreator() = default;
    virtual std::unique_ptr<TPdfImage> CreateImage(const TPdfBitmap& graphic) = 0;
};

// Runs the creator registered under the name ("Pdf-Bitmap"); `Exception` for an unknown one.
std::unique_ptr<TPdfImage> CreateImageFromGraphic(const TPdfBitmap& graphic,
                                                  std::string_view creatorName);

}  // namespace pdf
