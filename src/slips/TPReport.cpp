#include "TPReport.h"

#include "Clock.h"
#include "Cp932.h"
#include "Exception.h"
#include "SaveFile.h"
#include "TPRPage.h"
#include "TPdfWriteStream.h"

namespace {

pdf::TPdfDateTime PdfDateTime(const QDateTime& moment) {
    if (!moment.isValid()) {
        return {};
    }
    const QDate date = moment.date();
    const QTime time = moment.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string Sjis(const QString& text) {
    return Cp932::encode(text).toStdString();
}

}  // namespace

TPReport::TPReport() : creationDate_(Clock::now()) {}
TPReport::~TPReport() = default;

void TPReport::CheckClosed(const char* setter) const {
    if (pdfDoc_) {
        throw pdf::EPdfInvalidOperation(std::string(setter) + " --invalid operation.");
    }
}

void TPReport::SetAuthor(const QString& value) {
    CheckClosed("SetAuthor");
    author_ = value;
}
void TPReport::SetCreator(const QString& value) {
    CheckClosed("SetCreator");
    creator_ = value;
}
void TPReport::SetKeywords(const QString& value) {
    CheckClosed("SetKeyWords");
    keywords_ = value;
}
void TPReport::SetSubject(const QString& value) {
    CheckClosed("SetSubject");
    subject_ = value;
}
void TPReport::SetTitle(const QString& value) {
    CheckClosed("SetTitle");
    title_ = value;
}
void TPReport::SetCreationDate(const QDateTime& value) {
    CheckClosed("SetCreationDate");
    creationDate_ = value;
}
void TPReport::SetModDate(const QDateTime& value) {
    CheckClosed("SetModDate");
    modDate_ = value;
}
void TPReport::SetPageLayout(pdf::TPdfPageLayout value) {
    CheckClosed("SetPageLayout");
    pageLayout_ = value;
}
void TPReport::SetPageMode(pdf::TPdfPageMode value) {
    CheckClosed("SetPageMode");
    pageMode_ = value;
}
void TPReport::SetNonFullScreenPageMode(pdf::TPdfPageMode value) {
    CheckClosed("SetNonFullScreenPageMode");
    nonFullScreenPageMode_ =
        value == pdf::TPdfPageMode::pmFullScreen ? pdf::TPdfPageMode::pmUseNone : value;
}
void TPReport::SetUseOutlines(bool value) {
    CheckClosed("SetUseOutlines");
    useOutlines_ = value;
}
void TPReport::SetViewerPreference(pdf::TPdfViewerPreferences value) {
    CheckClosed("SetViewerPreference");
    viewerPreference_ = value;
}

void TPReport::BeginDocument() {
    pdfDoc_.reset();
    auto doc = std::make_unique<pdf::TPdfDoc>();
    doc->SetUseOutlines(useOutlines_);
    doc->SetCompressionMethod(CompressionMethod);
    doc->SetEmbedFonts(EmbedFonts);
    doc->SetClock([] { return PdfDateTime(Clock::now()); });
    doc->StartDocument();
    pdf::TPdfCatalog& catalog = doc->GetRoot();
    catalog.SetPageMode(pageMode_);
    catalog.SetPageLayout(pageLayout_);
    if (nonFullScreenPageMode_ != pdf::TPdfPageMode::pmUseNone) {
        catalog.SetNonFullScreenPageMode(nonFullScreenPageMode_);
    }
    if (!viewerPreference_.Empty()) {
        catalog.SetViewerPreference(viewerPreference_);
    }
    pdf::TPdfInfo& info = doc->GetInfo();
    info.SetAuthor(Sjis(author_));
    info.SetCreationDate(PdfDateTime(creationDate_));
    info.SetCreator(Sjis(creator_));
    info.SetKeywords(Sjis(keywords_));
    info.SetModDate(PdfDateTime(modDate_));
    info.SetSubject(Sjis(subject_));
    info.SetTitle(Sjis(title_));
    pdfDoc_ = std::move(doc);
    pageCount_ = 0;
}

void TPReport::PrintPage(TPRPage& page) {
    if (!pdfDoc_) {
        throw pdf::EPdfInvalidOperation("document is null..");
    }
    pdfDoc_->AddPage();
    ++pageCount_;
    prCanvas_.PdfCanvas = &pdfDoc_->GetCanvas();
    page.Render(prCanvas_);
}

std::string TPReport::SavedBytes() {
    if (!pdfDoc_) {
        throw pdf::EPdfInvalidOperation("document is null..");
    }
    pdf::TPdfMemoryStream stream;
    pdfDoc_->SaveToStream(stream);
    return stream.Data();
}

std::string TPReport::EndDocumentToBytes() {
    std::string bytes = SavedBytes();
    pdfDoc_.reset();
    return bytes;
}

void TPReport::EndDocument() {
    SaveFileAtomically(FileName, QByteArray::fromStdString(SavedBytes()));
    pdfDoc_.reset();
}
