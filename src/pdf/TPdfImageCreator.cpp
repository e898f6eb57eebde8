#include "TPdfImageCreator.h"

#include <string>

#include "Exception.h"
#include "TPdfClassRegistry.h"

namespace pdf {

std::unique_ptr<TPdfImage> CreateImageFromGraphic(const TPdfBitmap& graphic,
                                                  std::string_view creatorName) {
    TPdfImageCreatorClass creatorClass = TPdfClassRegistry::FindImageCreatorClass(creatorName);
    if (creatorClass == nullptr) {
        throw Exception("AddImage --InvalidImageClassName:" + std::string(creatorName));
    }
    return creatorClass()->CreateImage(graphic);
}

}  // namespace pdf
