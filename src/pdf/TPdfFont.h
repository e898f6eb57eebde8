#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "PdfText.h"
#include "TPdfDictionaryWrapper.h"

namespace pdf {

class TPdfXref;

// A font the file names without embedding it; it builds its own dictionaries in the
// document's table and measures Shift-JIS text as a viewer will lay it out.
class TPdfFont : public TPdfDictionaryWrapper {
  public:
    explicit TPdfFont(std::string name) : name_(std::move(name)) {}

    // The font name it was created under, such as "Gothic,Bold".
    const std::string& Name() const { return name_; }
    // Width of the byte at the zero-based index, in thousandths of the font size.
    int GetCharWidth(std::string_view text, std::size_t index) const {
        return CharWidth(text, index, ByteTypeAt(text, index));
    }
    // The same for a caller that walks the text and so knows the byte's type already.
    virtual int CharWidth(std::string_view text, std::size_t index, TPdfByteType type) const = 0;
    // Told of every text the canvas shows in the font, for a font that embeds its glyphs.
    virtual void NoteShownText(std::string_view /*text*/) {}

  private:
    std::string name_;
};

}  // namespace pdf
