#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace pdf {

class TPdfFont;
class TPdfImageCreator;
class TPdfXref;

using TPdfFontClass = std::unique_ptr<TPdfFont> (*)(TPdfXref& xref, std::string fontName);
using TPdfImageCreatorClass = std::unique_ptr<TPdfImageCreator> (*)();

// The process-wide table of the writer's font classes and image creators, by exact name.
// It is fixed when the program is built and never changes.
class TPdfClassRegistry {
  public:
    // Null when no class is registered under the name.
    static TPdfFontClass FindFontClass(std::string_view fontName);
    static TPdfImageCreatorClass FindImageCreatorClass(std::string_view creatorName);
};

}  // namespace pdf
