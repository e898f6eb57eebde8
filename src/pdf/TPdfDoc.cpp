#include "TPdfDoc.h"

#include <algorithm>
#include <limits>
#include <map>

#include "Exception.h"
#include "TPdfArray.h"
#include "TPdfClassRegistry.h"
#include "TPdfFont.h"
#include "TPdfNumber.h"
#include "TPdfStream.h"
#include "TPdfText.h"
#include "TPdfType0Font.h"

namespace pdf {

namespace {

constexpr std::string_view kProducer = "Ostrand version 0.9";

// Six capital letters that depend on the face and the glyphs only, so that the same subset
// gets the same name in every file.
std::string SubsetTag(TPdfEmbeddedFace face, const std::set<std::uint16_t>& cids) {
    std::uint64_t hash = 14695981039346656037ULL;
    auto mix = [&](unsigned value) {
        hash ^= value;
        hash *= 1099511628211ULL;
    };
    mix(static_cast<unsigned>(face));
    for (std::uint16_t cid : cids) {
        mix(cid & 0xFFU);
        mix(cid >> 8U);
    }
    std::string tag;
    for (int k = 0; k < 6; ++k) {
        tag += static_cast<char>('A' + hash % 26);
        hash /= 26;
    }
    return tag;
}

template <class Wrapper>
Wrapper* Wrap(std::vector<std::unique_ptr<TPdfDictionaryWrapper>>& objectList,
              TPdfDictionary* data) {
    auto wrapper = std::make_unique<Wrapper>();
    wrapper->SetData(data);
    Wrapper* added = wrapper.get();
    objectList.push_back(std::move(wrapper));
    return added;
}

}  // namespace

TPdfDoc::TPdfDoc() : canvas_(std::make_unique<TPdfCanvas>(this)) {}

TPdfDoc::~TPdfDoc() {
    FreeDocument();
}

void TPdfDoc::StartDocument() {
    FreeDocument();
    xref_ = std::make_unique<TPdfXref>();
    TPdfXref& xref = *xref_;
    header_ = std::make_unique<TPdfHeader>();
    trailer_ = std::make_unique<TPdfTrailer>(&xref);
    trailer_->Attributes().SetNumberEntry("Size", 0);
    xObjectList_ = std::make_unique<TPdfArray>(&xref);

    auto* catalog = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    catalog->SetNameEntry("Type", "Catalog");
    trailer_->Attributes().SetEntry("Root", *catalog);
    root_ = Wrap<TPdfCatalog>(objectList_, catalog);

    if (useOutlines_) {
        auto* outlines = xref.Add(std::make_unique<TPdfDictionary>(&xref));
        outlines->SetNameEntry("Type", "Outlines");
        catalog->SetEntry("Outlines", *outlines);
        outlineRoot_ = Wrap<TPdfOutlineRoot>(objectList_, outlines);
    }

    auto* info = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    info->SetEntry("Producer", std::make_unique<TPdfText>(std::string(kProducer)));
    trailer_->Attributes().SetEntry("Info", *info);
    info_ = Wrap<TPdfInfo>(objectList_, info);
    info_->SetCreationDate(clock_());

    auto* pages = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    pages->SetNameEntry("Type", "Pages");
    pages->SetEntry("Kids", std::make_unique<TPdfArray>(&xref));
    pages->SetNumberEntry("Count", 0);
    root_->SetPages(*pages);
    currentPages_ = pages;

    subsetsEmbedded_ = false;
    hasDoc_ = true;
}

TPdfCanvas& TPdfDoc::StartMeasuringDocument() {
    StartDocument();
    AddPage();
    canvas_->SetIsVirtual(true);
    return *canvas_;
}

void TPdfDoc::AddPage() {
    if (currentPages_ == nullptr) {
        throw EPdfInvalidOperation("AddPage --current pages null.");
    }
    TPdfXref& xref = *xref_;
    auto* page = xref.Add(std::make_unique<TPdfDictionary>(&xref));
    TPdfArray* kids = currentPages_->EntryAsArray("Kids");
    kids->Append(*page);
    currentPages_->EntryAsNumber("Count")->SetValue(kids->Count());

    page->SetNameEntry("Type", "Page");
    page->SetEntry("Parent", *currentPages_);
    page->SetEntry("MediaBox", TPdfArray::MakeNumberArray(
                                   &xref, {0, 0, defaultPageWidth_, defaultPageHeight_}));
    auto resources = std::make_unique<TPdfDictionary>(&xref);
    resources->SetEntry("Font", std::make_unique<TPdfDictionary>(&xref));
    resources->SetEntry("XObject", std::make_unique<TPdfDictionary>(&xref));
    auto procSet = std::make_unique<TPdfArray>(&xref);
    for (const char* name : {"PDF", "Text", "ImageC"}) {
        procSet->Append(std::make_unique<TPdfName>(name));
    }
    resources->SetEntry("ProcSet", std::move(procSet));
    page->SetEntry("Resources", std::move(resources));
    auto* contents = xref.Add(std::make_unique<TPdfStream>(&xref));
    page->SetEntry("Contents", *contents);

    canvas_->SetPage(*page);
}

void TPdfDoc::FreeDocument() {
    canvas_->Detach();
    fontList_.clear();
    objectList_.clear();
    xObjectList_.reset();
    trailer_.reset();
    header_.reset();
    xref_.reset();
    root_ = nullptr;
    info_ = nullptr;
    outlineRoot_ = nullptr;
    currentPages_ = nullptr;
    hasDoc_ = false;
}

TPdfCanvas& TPdfDoc::GetCanvas() {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("GetCanvas --Document is null");
    }
    return *canvas_;
}

TPdfInfo& TPdfDoc::GetInfo() {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("GetInfo --this method can not use this state..");
    }
    return *info_;
}

TPdfCatalog& TPdfDoc::GetRoot() {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("GetRoot --this method can not use this state..");
    }
    return *root_;
}

TPdfOutlineRoot& TPdfDoc::GetOutlineRoot() {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("GetOutlineRoot --document is null..");
    }
    if (!useOutlines_) {
        throw EPdfInvalidOperation("GetOutlineRoot --not use outline mode..");
    }
    return *outlineRoot_;
}

TPdfFont* TPdfDoc::GetFont(std::string_view fontName) {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("GetFont --document is null.");
    }
    auto found = std::find_if(fontList_.begin(), fontList_.end(),
                              [&](const auto& font) { return font->Name() == fontName; });
    return found != fontList_.end() ? found->get() : CreateFont(fontName);
}

TPdfFont* TPdfDoc::CreateFont(std::string_view fontName) {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("CreateFont --document is null.");
    }
    TPdfFontClass fontClass = TPdfClassRegistry::FindFontClass(fontName);
    if (fontClass == nullptr) {
        throw Exception("CreateFont --InvalidFontName:" + std::string(fontName));
    }
    std::unique_ptr<TPdfFont> font = fontClass(*xref_, std::string(fontName));
    if (auto* cidFont = dynamic_cast<TPdfType0Font*>(font.get()); cidFont && embedFonts_) {
        cidFont->EnableEmbedding();
    }
    font->Data()->SetNameEntry("Name",
                               "F" + FormatInteger(static_cast<std::int64_t>(fontList_.size())));
    fontList_.push_back(std::move(font));
    return fontList_.back().get();
}

TPdfStream* TPdfDoc::FindXObject(std::string_view name) const {
    if (xObjectList_ == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < xObjectList_->Count(); ++i) {
        auto* object = dynamic_cast<TPdfStream*>(xObjectList_->Item(i));
        const TPdfName* objectName =
            object != nullptr ? object->Attributes().EntryAsName("Name") : nullptr;
        if (objectName != nullptr && objectName->Value() == name) {
            return object;
        }
    }
    return nullptr;
}

void TPdfDoc::RegisterXObject(std::unique_ptr<TPdfObject> object, std::string_view name) {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("RegisterXObject --document is null.");
    }
    if (object == nullptr) {
        throw EPdfInvalidValue("RegisterXObject --AObject is null");
    }
    auto* stream = dynamic_cast<TPdfStream*>(object.get());
    if (stream == nullptr || DictionaryType(stream->Attributes()) != "XObject") {
        throw EPdfInvalidValue("RegisterXObject --not XObject");
    }
    bool named = stream->Attributes().Entry("Name") != nullptr;
    // Checked before the object joins the table, so a refused object leaves no trace.
    if (!named && FindXObject(name) != nullptr) {
        throw EPdfInvalidValue("RegisterXObject --dupulicate name: " + std::string(name));
    }
    xref_->AddObject(std::move(object));
    if (named) {
        return;
    }
    xObjectList_->Append(*stream);
    stream->Attributes().SetNameEntry("Name", std::string(name));
}

void TPdfDoc::AddImage(std::string_view name, std::unique_ptr<TPdfImage> image) {
    if (FindXObject(name) != nullptr) {
        throw Exception("AddImage --the image named " + std::string(name) + " is already exists..");
    }
    const TPdfName* subtype =
        image != nullptr ? image->Attributes().EntryAsName("Subtype") : nullptr;
    if (image == nullptr || DictionaryType(image->Attributes()) != "XObject" ||
        subtype == nullptr || subtype->Value() != "Image") {
        throw Exception("AddImage --the image is not valid TPdfImage..");
    }
    RegisterXObject(std::move(image), name);
}

void TPdfDoc::WriteXref(TPdfWriteStream& stream) const {
    std::string text = "xref\r\n0 " + FormatInteger(xref_->EntryCount()) + "\r\n";
    for (int i = 0; i < xref_->EntryCount(); ++i) {
        text += xref_->EntryAt(i).Line();
    }
    stream.Write(text);
}

void TPdfDoc::EmbedFontSubsets() {
    if (subsetsEmbedded_) {
        return;
    }
    std::map<TPdfEmbeddedFace, std::vector<TPdfType0Font*>> byFace;
    for (const auto& font : fontList_) {
        auto* cidFont = dynamic_cast<TPdfType0Font*>(font.get());
        if (cidFont != nullptr && cidFont->Embeds()) {
            byFace[*cidFont->EmbeddedFace()].push_back(cidFont);
        }
    }
    TPdfXref& xref = *xref_;
    for (const auto& [face, fonts] : byFace) {
        std::set<std::uint16_t> cids;
        for (const TPdfType0Font* font : fonts) {
            cids.merge(font->ShownCIDs());
        }
        const TPdfFontSubset subset = SubsetFace(face, cids);
        auto* fontFile = xref.Add(std::make_unique<TPdfStream>(&xref));
        fontFile->Stream() = subset.Program;
        fontFile->Attributes().SetNumberEntry("Length1",
                                              static_cast<std::int32_t>(subset.Program.size()));
        // Two bytes a CID, big-endian, up to the highest CID shown.
        auto* glyphMap = xref.Add(std::make_unique<TPdfStream>(&xref));
        const std::size_t count = cids.empty() ? 1 : std::size_t{*cids.rbegin()} + 1;
        std::string& bytes = glyphMap->Stream();
        bytes.assign(2 * count, '\0');
        for (const auto& [cid, glyph] : subset.GlyphOfCID) {
            bytes[2 * std::size_t{cid}] = static_cast<char>(glyph >> 8U);
            bytes[2 * std::size_t{cid} + 1] = static_cast<char>(glyph & 0xFFU);
        }
        const std::string tag = SubsetTag(face, cids);
        for (TPdfType0Font* font : fonts) {
            font->AttachSubset(xref, tag, subset.Metrics, *fontFile, *glyphMap);
        }
    }
    subsetsEmbedded_ = true;
}

void TPdfDoc::SaveToStream(TPdfWriteStream& stream) {
    if (!hasDoc_) {
        throw EPdfInvalidOperation("SaveToStream --there is no document to save.");
    }
    EmbedFontSubsets();
    canvas_->GetPage();
    info_->SetModDate(clock_());
    root_->SaveOpenAction();
    if (outlineRoot_ != nullptr) {
        outlineRoot_->Save();
    }

    // Offsets are signed 32-bit numbers in this format.
    auto offset = [&] {
        if (stream.Position() > std::numeric_limits<std::int32_t>::max()) {
            throw EPdfInvalidOperation("SaveToStream --the document is too large.");
        }
        return static_cast<std::int32_t>(stream.Position());
    };
    stream.Rewind();
    header_->WriteToStream(stream);
    for (int i = 1; i < xref_->EntryCount(); ++i) {
        TPdfXrefEntry& entry = xref_->EntryAt(i);
        entry.SetByteOffset(offset());
        entry.Value()->WriteIndirect(stream);
    }
    trailer_->SetXrefAddress(offset());
    WriteXref(stream);
    trailer_->Attributes().EntryAsNumber("Size")->SetValue(xref_->EntryCount());
    trailer_->WriteToStream(stream);
}

}  // namespace pdf
