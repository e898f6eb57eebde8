#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <string>

#include "TPRCanvas.h"
#include "TPdfCatalog.h"
#include "TPdfDoc.h"

class TPRPage;

// Writes report pages into one PDF file: BeginDocument, PrintPage for every page (a page
// may be refilled and printed again), EndDocument. The document properties are frozen
// while a document is open.
class TPReport {
  public:
    TPReport();
    ~TPReport();
    TPReport(const TPReport&) = delete;
    TPReport& operator=(const TPReport&) = delete;

    QString FileName = QStringLiteral("default.pdf");
    pdf::TPdfCompressionMethod CompressionMethod = pdf::TPdfCompressionMethod::cmNone;
    // Documents begun from now on embed subsets of their Japanese fonts.
    bool EmbedFonts = false;

    const QString& Author() const { return author_; }
    void SetAuthor(const QString& value);
    const QString& Creator() const { return creator_; }
    void SetCreator(const QString& value);
    const QString& Keywords() const { return keywords_; }
    void SetKeywords(const QString& value);
    const QString& Subject() const { return subject_; }
    void SetSubject(const QString& value);
    const QString& Title() const { return title_; }
    void SetTitle(const QString& value);
    const QDateTime& CreationDate() const { return creationDate_; }
    void SetCreationDate(const QDateTime& value);
    // An invalid date is the zero date of the old serial numbers.
    const QDateTime& ModDate() const { return modDate_; }
    void SetModDate(const QDateTime& value);
    pdf::TPdfPageLayout PageLayout() const { return pageLayout_; }
    void SetPageLayout(pdf::TPdfPageLayout value);
    pdf::TPdfPageMode PageMode() const { return pageMode_; }
    void SetPageMode(pdf::TPdfPageMode value);
    pdf::TPdfPageMode NonFullScreenPageMode() const { return nonFullScreenPageMode_; }
    // Full screen is stored as none.
    void SetNonFullScreenPageMode(pdf::TPdfPageMode value);
    bool UseOutlines() const { return useOutlines_; }
    void SetUseOutlines(bool value);
    pdf::TPdfViewerPreferences ViewerPreference() const { return viewerPreference_; }
    void SetViewerPreference(pdf::TPdfViewerPreferences value);

    int PageCount() const { return pageCount_; }
    pdf::TPdfDoc* PdfDoc() const { return pdfDoc_.get(); }

    // Drops an open document unsaved and starts a new one.
    void BeginDocument();
    void PrintPage(TPRPage& page);
    // Writes the document to FileName (atomically) and closes it. EPdfInvalidOperation
    // without a document; EFileError when the file cannot be written, the document stays.
    void EndDocument();
    // The same, handing the file's bytes back instead of writing them.
    std::string EndDocumentToBytes();
    void AbortDocument() { pdfDoc_.reset(); }

  private:
    void CheckClosed(const char* setter) const;
    // The whole file of the open document.
    std::string SavedBytes();

    QString author_;
    QString creator_;
    QString keywords_;
    QString subject_;
    QString title_;
    QDateTime creationDate_;
    QDateTime modDate_;
    pdf::TPdfPageLayout pageLayout_ = pdf::TPdfPageLayout::plSinglePage;
    pdf::TPdfPageMode pageMode_ = pdf::TPdfPageMode::pmUseNone;
    pdf::TPdfPageMode nonFullScreenPageMode_ = pdf::TPdfPageMode::pmUseNone;
    bool useOutlines_ = false;
    pdf::TPdfViewerPreferences viewerPreference_;

    std::unique_ptr<pdf::TPdfDoc> pdfDoc_;
    TPRCanvas prCanvas_;
    int pageCount_ = 0;
};
