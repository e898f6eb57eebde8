#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "TPdfCanvas.h"
#include "TPdfCatalog.h"
#include "TPdfDateTime.h"
#include "TPdfHeader.h"
#include "TPdfInfo.h"
#include "TPdfOutlineRoot.h"
#include "TPdfTrailer.h"
#include "TPdfXref.h"

namespace pdf {

class TPdfArray;
class TPdfFont;
class TPdfImage;
class TPdfStream;

enum class TPdfCompressionMethod : std::uint8_t { cmNone };

// One PDF 1.2 file under construction, kept whole in memory until it is saved.
class TPdfDoc {
  public:
    TPdfDoc();
    ~TPdfDoc();
    TPdfDoc(const TPdfDoc&) = delete;
    TPdfDoc& operator=(const TPdfDoc&) = delete;

    // Set before StartDocument.
    bool UseOutlines() const { return useOutlines_; }
    void SetUseOutlines(bool useOutlines) { useOutlines_ = useOutlines; }
    TPdfCompressionMethod CompressionMethod() const { return compressionMethod_; }
    void SetCompressionMethod(TPdfCompressionMethod method) { compressionMethod_ = method; }
    std::uint16_t DefaultPageWidth() const { return defaultPageWidth_; }
    void SetDefaultPageWidth(std::uint16_t width) { defaultPageWidth_ = width; }
    std::uint16_t DefaultPageHeight() const { return defaultPageHeight_; }
    void SetDefaultPageHeight(std::uint16_t height) { defaultPageHeight_ = height; }
    // Embeds a subset of each Japanese font's face, holding the glyphs the file shows, when
    // the document is saved; off, the fonts are only named.
    bool EmbedFonts() const { return embedFonts_; }
    void SetEmbedFonts(bool embedFonts) { embedFonts_ = embedFonts; }
    // The time written as CreationDate and ModDate; the local time unless replaced.
    void SetClock(TPdfClock clock) { clock_ = std::move(clock); }

    bool HasDoc() const { return hasDoc_; }
    // Frees any previous document and builds an empty one: catalog, information, page tree.
    void StartDocument();
    // A document of one page whose canvas measures and never writes.
    TPdfCanvas& StartMeasuringDocument();
    void AddPage();
    void FreeDocument();

    TPdfCanvas& GetCanvas();
    TPdfInfo& GetInfo();
    TPdfCatalog& GetRoot();
    TPdfOutlineRoot& GetOutlineRoot();
    // The font created under the name, created now on first use.
    TPdfFont* GetFont(std::string_view fontName);
    TPdfFont* CreateFont(std::string_view fontName);

    void AddImage(std::string_view name, std::unique_ptr<TPdfImage> image);
    void RegisterXObject(std::unique_ptr<TPdfObject> object, std::string_view name);
    // Null when no image is registered under the name.
    TPdfStream* FindXObject(std::string_view name) const;

    // Header, objects 1..n, cross-reference section and trailer. Sets ModDate first.
    void SaveToStream(TPdfWriteStream& stream);

    // The table of the current document; null without one.
    TPdfXref* Xref() const { return xref_.get(); }
    TPdfTrailer* Trailer() const { return trailer_.get(); }

  private:
    void WriteXref(TPdfWriteStream& stream) const;
    // One subset per face for all the fonts drawn from it, built once before saving.
    void EmbedFontSubsets();

    TPdfCatalog* root_ = nullptr;
    TPdfDictionary* currentPages_ = nullptr;
    std::unique_ptr<TPdfCanvas> canvas_;
    std::unique_ptr<TPdfHeader> header_;
    std::unique_ptr<TPdfTrailer> trailer_;
    std::unique_ptr<TPdfXref> xref_;
    TPdfInfo* info_ = nullptr;
    bool hasDoc_ = false;
    std::vector<std::unique_ptr<TPdfFont>> fontList_;
    // The catalog, the information and, with outlines, the outline root.
    std::vector<std::unique_ptr<TPdfDictionaryWrapper>> objectList_;
    TPdfOutlineRoot* outlineRoot_ = nullptr;
    std::unique_ptr<TPdfArray> xObjectList_;
    std::uint16_t defaultPageWidth_ = 596;
    std::uint16_t defaultPageHeight_ = 842;
    TPdfCompressionMethod compressionMethod_ = TPdfCompressionMethod::cmNone;
    bool useOutlines_ = false;
    bool embedFonts_ = false;
    bool subsetsEmbedded_ = false;
    TPdfClock clock_ = CurrentLocalTime;
};

}  // namespace pdf
