#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Exception.h"
#include "PdfTestSupport.h"
#include "TPdfArray.h"
#include "TPdfBitmapImage.h"
#include "TPdfDoc.h"
#include "TPdfFont.h"
#include "TPdfNumber.h"
#include "TPdfStream.h"
#include "TPdfText.h"

using namespace pdf;

namespace {

// The smallest file: one page with nothing drawn on it.
const std::string kOnePageFile =
    "%PDF-1.2 \r\n"
    "1 0 obj\r\n"
    "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n>>"
    "\r\nendobj\r\n"
    "2 0 obj\r\n"
    "<<\r\n/Producer (Ostrand version 0.9)\r\n/CreationDate (D:20100708102141)\r\n"
    "/ModDate (D:20100708102141)\r\n>>"
    "\r\nendobj\r\n"
    "3 0 obj\r\n"
    "<<\r\n/Type /Pages\r\n/Kids [4 0 R ]\r\n/Count 1\r\n>>"
    "\r\nendobj\r\n"
    "4 0 obj\r\n"
    "<<\r\n/Type /Page\r\n/Parent 3 0 R\r\n/MediaBox [0 0 596 842 ]\r\n"
    "/Resources <<\r\n/Font <<\r\n/F0 6 0 R\r\n>>\r\n/XObject <<\r\n>>\r\n"
    "/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents 5 0 R\r\n>>"
    "\r\nendobj\r\n"
    "5 0 obj\r\n"
    "<<\r\n/Length 10\r\n/Filter []\r\n>>\r\nstream\r\n/F0 10 Tf\n\nendstream"
    "\r\nendobj\r\n"
    "6 0 obj\r\n"
    "<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n/FirstChar 32\r\n"
    "/LastChar 255\r\n/BaseFont /Helvetica\r\n/Name /F0\r\n>>"
    "\r\nendobj\r\n"
    "xref\r\n"
    "0 7\r\n"
    "0000000000 65535 f\r\n"
    "0000000011 00000 n\r\n"
    "0000000066 00000 n\r\n"
    "0000000187 00000 n\r\n"
    "0000000252 00000 n\r\n"
    "0000000441 00000 n\r\n"
    "0000000520 00000 n\r\n"
    "trailer\r\n"
    "<<\r\n/Size 7\r\n/Root 1 0 R\r\n/Info 2 0 R\r\n>>"
    "\r\nstartxref\r\n"
    "666\r\n"
    "%%EOF\r\n";

std::unique_ptr<TPdfImage> SmallImage() {
    TPdfBitmap bitmap(1, 1, TPdfPixelFormat::pf24bit);
    return TPdfBitmapImage().CreateImage(bitmap);
}

void StartFixed(TPdfDoc& doc) {
    doc.SetClock(FixedTime);
    doc.StartDocument();
}

std::string ValueOf(TPdfDoc& doc, int number) {
    TPdfMemoryStream stream;
    doc.Xref()->GetObject(number)->WriteValue(stream);
    return stream.Data();
}

TEST(TPdfDoc, OnePageDocumentIsExactlyTheSmallestFile) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    EXPECT_EQ(Saved(doc), kOnePageFile);
}

TEST(TPdfDoc, SavingAgainRewritesTheSameBytesExceptModDate) {
    TPdfDoc doc;
    int calls = 0;
    doc.SetClock([&] {
        ++calls;
        return TPdfDateTime{2010, 7, 8, 10, 21, 40 + calls};
    });
    doc.StartDocument();
    doc.AddPage();
    TPdfMemoryStream stream;
    doc.SaveToStream(stream);
    std::string first = stream.Data();
    doc.SaveToStream(stream);  // the same stream: it starts over
    std::string second = stream.Data();
    ASSERT_EQ(first.size(), second.size());
    EXPECT_NE(first.find("/ModDate (D:20100708102142)"), std::string::npos);
    EXPECT_NE(second.find("/ModDate (D:20100708102143)"), std::string::npos);
    EXPECT_NE(second.find("/CreationDate (D:20100708102141)"), std::string::npos);
    std::size_t at = first.find("/ModDate (D:2010070810214");
    first.replace(at, 27, "");
    second.replace(at, 27, "");
    EXPECT_EQ(first, second);
}

TEST(TPdfDoc, OffsetsPointAtTheirObjects) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    doc.GetCanvas().SetFont("Gothic", 12);
    doc.AddPage();
    std::string file = Saved(doc);
    const TPdfXref& xref = *doc.Xref();
    ASSERT_EQ(xref.EntryCount(), 12);
    for (int i = 1; i < xref.EntryCount(); ++i) {
        std::string head = std::to_string(i) + " 0 obj\r\n";
        EXPECT_EQ(
            file.compare(static_cast<std::size_t>(xref.EntryAt(i).ByteOffset()), head.size(), head),
            0)
            << "object " << i;
    }
    std::string start = "startxref\r\n" + std::to_string(doc.Trailer()->XrefAddress()) + "\r\n";
    EXPECT_NE(file.find(start), std::string::npos);
    EXPECT_EQ(file.compare(static_cast<std::size_t>(doc.Trailer()->XrefAddress()), 12,
                           "xref\r\n0 12\r\n"),
              0);
}

TEST(TPdfDoc, EveryPageStartsWithArialTen) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    doc.GetCanvas().SetFont("Gothic", 12);
    doc.GetCanvas().ShowText("x");
    doc.AddPage();
    EXPECT_EQ(PageContent(doc), "/F0 10 Tf\n");
    EXPECT_EQ(ValueOf(doc, 3), "<<\r\n/Type /Pages\r\n/Kids [4 0 R 10 0 R ]\r\n/Count 2\r\n>>");
    EXPECT_EQ(doc.Xref()->GetObject(5) != nullptr, true);
    EXPECT_EQ(dynamic_cast<TPdfStream&>(*doc.Xref()->GetObject(5)).Stream(),
              "/F0 10 Tf\n/F1 12 Tf\n(x) Tj\n");
    // The second page names only the font it uses.
    EXPECT_NE(ValueOf(doc, 10).find("/Font <<\r\n/F0 6 0 R\r\n>>"), std::string::npos);
}

TEST(TPdfDoc, OutlineRootTakesTheSecondObject) {
    TPdfDoc doc;
    doc.SetUseOutlines(true);
    StartFixed(doc);
    doc.AddPage();
    Saved(doc);
    EXPECT_EQ(ValueOf(doc, 1), "<<\r\n/Type /Catalog\r\n/Outlines 2 0 R\r\n/Pages 4 0 R\r\n>>");
    EXPECT_EQ(ValueOf(doc, 2), "<<\r\n/Type /Outlines\r\n/Count 0\r\n>>");
    EXPECT_EQ(DictionaryType(*dynamic_cast<TPdfDictionary*>(doc.Xref()->GetObject(3))), "");
    EXPECT_NE(ValueOf(doc, 3).find("/Producer"), std::string::npos);
    EXPECT_EQ(doc.GetOutlineRoot().Data(), doc.Xref()->GetObject(2));
}

TEST(TPdfDoc, RefusesEveryStepThatNeedsADocument) {
    struct Case {
        std::string message;
        std::function<void(TPdfDoc&)> call;
    };
    const std::vector<Case> cases = {
        {"GetCanvas --Document is null", [](TPdfDoc& d) { d.GetCanvas(); }},
        {"GetInfo --this method can not use this state..", [](TPdfDoc& d) { d.GetInfo(); }},
        {"GetRoot --this method can not use this state..", [](TPdfDoc& d) { d.GetRoot(); }},
        {"GetOutlineRoot --document is null..", [](TPdfDoc& d) { d.GetOutlineRoot(); }},
        {"GetFont --document is null.", [](TPdfDoc& d) { d.GetFont("Arial"); }},
        {"CreateFont --document is null.", [](TPdfDoc& d) { d.CreateFont("Arial"); }},
        {"AddPage --current pages null.", [](TPdfDoc& d) { d.AddPage(); }},
        {"RegisterXObject --document is null.",
         [](TPdfDoc& d) { d.AddImage("Seal", SmallImage()); }},
        {"SaveToStream --there is no document to save.",
         [](TPdfDoc& d) {
             TPdfMemoryStream stream;
             d.SaveToStream(stream);
         }},
    };
    for (const auto& c : cases) {
        TPdfDoc doc;
        try {
            c.call(doc);
            ADD_FAILURE() << "no error: " << c.message;
        } catch (const EPdfInvalidOperation& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST(TPdfDoc, RefusesStepsThatNeedAPageOrOutlines) {
    TPdfDoc doc;
    StartFixed(doc);
    try {
        Saved(doc);
        ADD_FAILURE() << "no error";
    } catch (const EPdfInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "GetPage --the Page is nil");
    }
    try {
        doc.GetOutlineRoot();
        ADD_FAILURE() << "no error";
    } catch (const EPdfInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "GetOutlineRoot --not use outline mode..");
    }
}

TEST(TPdfDoc, FreeDocumentLeavesNothingBehind) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    doc.FreeDocument();
    EXPECT_FALSE(doc.HasDoc());
    EXPECT_EQ(doc.Xref(), nullptr);
    EXPECT_THROW(doc.GetCanvas(), EPdfInvalidOperation);
    // The canvas forgot the freed page too.
    StartFixed(doc);
    EXPECT_THROW(doc.GetCanvas().GetPage(), EPdfInvalidOperation);
    EXPECT_EQ(doc.GetCanvas().Contents(), nullptr);
    doc.AddPage();
    EXPECT_EQ(Saved(doc), kOnePageFile);
}

// Fails once a number of bytes has gone through, as a full disk would.
class TFailingStream : public TPdfWriteStream {
  public:
    explicit TFailingStream(std::size_t limit) : limit_(limit) {}

  protected:
    void WriteBytes(std::string_view bytes) override {
        written_ += bytes.size();
        if (written_ > limit_) {
            throw std::runtime_error("disk full");
        }
    }
    void Restart() override { written_ = 0; }

  private:
    std::size_t limit_;
    std::size_t written_ = 0;
};

TEST(TPdfDoc, AFailingStreamStopsTheSaveAndTheDocumentSavesAgain) {
    for (std::size_t limit : {0UL, 10UL, 300UL, 600UL, 700UL}) {
        TPdfDoc doc;
        StartFixed(doc);
        doc.AddPage();
        TFailingStream failing(limit);
        EXPECT_THROW(doc.SaveToStream(failing), std::runtime_error) << limit;
        EXPECT_EQ(Saved(doc), kOnePageFile) << limit;
    }
}

TEST(TPdfDoc, CreatesFontsOnceAndNamesThemInOrder) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    TPdfFont* arial = doc.GetFont("Arial");
    TPdfFont* gothic = doc.GetFont("Gothic");
    EXPECT_EQ(doc.GetFont("Gothic"), gothic);
    EXPECT_EQ(arial->Data()->EntryAsName("Name")->Value(), "F0");
    EXPECT_EQ(gothic->Data()->EntryAsName("Name")->Value(), "F1");
    EXPECT_EQ(gothic->Name(), "Gothic");
    try {
        doc.GetFont("Gothic,Heavy");
        ADD_FAILURE() << "no error";
    } catch (const EPdfInvalidValue&) {
        ADD_FAILURE() << "the general error is expected";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "CreateFont --InvalidFontName:Gothic,Heavy");
    }
}

TEST(TPdfInfo, StoresEveryEntryAsText) {
    TPdfDoc doc;
    StartFixed(doc);
    TPdfInfo& info = doc.GetInfo();
    info.SetAuthor("");
    info.SetCreator("dorvani4");
    info.SetTitle(Sjis("見積書"));
    info.SetSubject("(s)");
    info.SetKeywords("k");
    info.SetModDate(TPdfDateTime{});
    EXPECT_EQ(ValueOf(doc, 2),
              "<<\r\n/Producer (Ostrand version 0.9)\r\n/CreationDate (D:20100708102141)\r\n"
              "/Author ()\r\n/Creator (dorvani4)\r\n/Title <FEFF001B656E001B898B7A4D66F8>\r\n"
              "/Subject (\\(s\\))\r\n/Keywords (k)\r\n/ModDate (D:18991230000000)\r\n>>");
}

TEST(TPdfCatalog, SetsLayoutModeAndPreferencesInPlace) {
    TPdfDoc doc;
    StartFixed(doc);
    TPdfCatalog& root = doc.GetRoot();
    root.SetPageMode(TPdfPageMode::pmUseNone);
    root.SetPageLayout(TPdfPageLayout::plSinglePage);
    root.SetPageMode(TPdfPageMode::pmFullScreen);
    root.SetNonFullScreenPageMode(TPdfPageMode::pmUseThumbs);
    root.SetViewerPreference(
        {TPdfViewerPreference::vpCenterWindow, TPdfViewerPreference::vpHideToolbar});
    EXPECT_EQ(ValueOf(doc, 1),
              "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n/PageMode /FullScreen\r\n"
              "/PageLayout /SinglePage\r\n/ViewerPreferences <<\r\n"
              "/NonFullScreenPageMode /UseThumbs\r\n/HideToolbar true\r\n/CenterWindow true\r\n"
              ">>\r\n>>");

    root.SetPageLayout(TPdfPageLayout::plTwoColumnRight);
    root.SetNonFullScreenPageMode(TPdfPageMode::pmUseOutlines);
    root.SetViewerPreference({TPdfViewerPreference::vpFitWindow});
    root.SetNonFullScreenPageMode(TPdfPageMode::pmFullScreen);
    EXPECT_EQ(
        ValueOf(doc, 1),
        "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n/PageMode /FullScreen\r\n"
        "/PageLayout /TwoColumnRight\r\n/ViewerPreferences <<\r\n/FitWindow true\r\n>>\r\n>>");
}

TEST(TPdfCatalog, WritesEveryLayoutAndModeName) {
    const std::vector<std::pair<TPdfPageLayout, std::string>> layouts = {
        {TPdfPageLayout::plSinglePage, "SinglePage"},
        {TPdfPageLayout::plOneColumn, "OneColumn"},
        {TPdfPageLayout::plTwoColumnLeft, "TwoColumnLeft"},
        {TPdfPageLayout::plTwoColumnRight, "TwoColumnRight"},
    };
    const std::vector<std::pair<TPdfPageMode, std::string>> modes = {
        {TPdfPageMode::pmUseNone, "UseNone"},
        {TPdfPageMode::pmUseOutlines, "UseOutlines"},
        {TPdfPageMode::pmUseThumbs, "UseThumbs"},
        {TPdfPageMode::pmFullScreen, "FullScreen"},
    };
    TPdfDoc doc;
    StartFixed(doc);
    TPdfCatalog& root = doc.GetRoot();
    for (const auto& [layout, name] : layouts) {
        root.SetPageLayout(layout);
        EXPECT_EQ(root.Data()->EntryAsName("PageLayout")->Value(), name);
    }
    for (const auto& [mode, name] : modes) {
        root.SetPageMode(mode);
        EXPECT_EQ(root.Data()->EntryAsName("PageMode")->Value(), name);
    }
}

TEST(TPdfCatalog, TakesOnlyAPageTreeAndDropsAnOpenAction) {
    TPdfDoc doc;
    StartFixed(doc);
    TPdfCatalog& root = doc.GetRoot();
    auto* other = doc.Xref()->Add(std::make_unique<TPdfDictionary>(doc.Xref()));
    root.SetPages(*other);
    root.Data()->SetEntry("OpenAction", std::make_unique<TPdfArray>());
    EXPECT_EQ(ValueOf(doc, 1), "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n/OpenAction []\r\n>>");
    root.SaveOpenAction();
    EXPECT_EQ(ValueOf(doc, 1), "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n>>");
}

template <class Error>
void ExpectError(const std::function<void()>& call, const std::string& message) {
    try {
        call();
        ADD_FAILURE() << "no error: " << message;
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), message);
    }
}

TEST(TPdfDoc, RegistersImagesUnderUniqueNames) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    doc.AddImage("Seal", SmallImage());
    TPdfStream* seal = doc.FindXObject("Seal");
    ASSERT_NE(seal, nullptr);
    EXPECT_EQ(seal->ObjectNumber(), 7);
    EXPECT_EQ(seal->Attributes().EntryAsName("Name")->Value(), "Seal");
    EXPECT_EQ(doc.FindXObject("Logo"), nullptr);

    ExpectError<Exception>([&] { doc.AddImage("Seal", SmallImage()); },
                           "AddImage --the image named Seal is already exists..");
    ExpectError<Exception>([&] { doc.AddImage("Logo", nullptr); },
                           "AddImage --the image is not valid TPdfImage..");
    ExpectError<Exception>(
        [&] {
            auto notImage = std::make_unique<TPdfImage>();
            notImage->Attributes().SetNameEntry("Type", "XObject");
            doc.AddImage("Logo", std::move(notImage));
        },
        "AddImage --the image is not valid TPdfImage..");
    ExpectError<EPdfInvalidValue>([&] { doc.RegisterXObject(nullptr, "Logo"); },
                                  "RegisterXObject --AObject is null");
    ExpectError<EPdfInvalidValue>(
        [&] { doc.RegisterXObject(std::make_unique<TPdfDictionary>(), "Logo"); },
        "RegisterXObject --not XObject");
    ExpectError<EPdfInvalidValue>(
        [&] { doc.RegisterXObject(std::make_unique<TPdfStream>(), "Logo"); },
        "RegisterXObject --not XObject");
    ExpectError<EPdfInvalidValue>([&] { doc.RegisterXObject(SmallImage(), "Seal"); },
                                  "RegisterXObject --dupulicate name: Seal");
    EXPECT_EQ(doc.Xref()->EntryCount(), 8);  // refused objects leave no trace
}

TEST(TPdfDoc, LeavesAnAlreadyNamedXObjectAsItIs) {
    TPdfDoc doc;
    StartFixed(doc);
    doc.AddPage();
    auto image = SmallImage();
    image->Attributes().SetNameEntry("Name", "Own");
    TPdfImage* added = image.get();
    doc.RegisterXObject(std::move(image), "Seal");
    EXPECT_EQ(added->ObjectType(), TPdfObjectType::Indirect);
    EXPECT_EQ(added->Attributes().EntryAsName("Name")->Value(), "Own");
    EXPECT_EQ(doc.FindXObject("Seal"), nullptr);
}

}  // namespace
