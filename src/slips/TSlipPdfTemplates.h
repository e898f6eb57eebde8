#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "SlipTemplate.h"
#include "TPReport.h"
#include "TSlipKind.h"
#include "TSlipSource.h"

class TPRLabel;
class TPRPage;
class TThConfigInfo;

// Template units of v mm: the portrait page height over 297 mm.
int MmToTemplateUnits(double mm);
// A label as wide as its text, and also centred on a panel that wide.
void FitLabelWidth(TPRLabel& label);
void CentreLabel(TPRLabel& label, int panelWidth);

// Every PDF page template the slip kinds name, and the report that writes them. The main
// slips have six (portrait and landscape; First for single and first pages, Middle, Final).
// Long-lived: every page build clears its template first, so one object serves every
// document.
class TSlipPdfTemplates {
  public:
    // Loads the templates from the program's resources and gives the rows the stripe colours.
    explicit TSlipPdfTemplates(const TThConfigInfo& config);
    ~TSlipPdfTemplates();

    // A template page by its name ("TateMitsuFirstPage"); EFileError for a name no kind uses.
    TPRPage& Template(const QString& name) const;
    // A number the template file owns; EFileFormatError when the file does not define it.
    int TemplateVar(const QString& name, const QString& var) const;
    // The main-slip template that serves the page kind.
    TPRPage& Template(bool landscape, TSlipPageKind pageKind) const;
    TPReport& Report() { return report_; }

    // Stripe colours from LINE_COLOR_ODD and LINE_COLOR_EVEN; run again after they change.
    void ApplyPdfLineColors(const TThConfigInfo& config);
    // What the settings decide in the PDFs: the stripe colours and PDF_EMBED_FONTS; run again
    // after the settings change.
    void ApplyPdfSettings(const TThConfigInfo& config);
    void ClearSlipPdfPage(const TSlipSource& source, TSlipPageKind pageKind);
    // Page n of m, filled; valid until the template is built again.
    TPRPage& BuildSlipPdfPage(const TSlipSource& source, TSlipPageKind pageKind, int n, int m);

    // Every page of the slip into the report's open document, after BeginDocument.
    void PrintSlipPages(const TSlipSource& source);
    // All pages into one PDF file, written atomically.
    void SaveSlipPdf(const TSlipSource& source, const QString& fileName);
    // One PDF file of the pages printPages hands to the report; a failure leaves no file.
    void SavePdf(const QString& fileName, const std::function<void()>& printPages);

  private:
    // Title, customer names and grand total sized to their text and centred.
    void FitFirstPage(bool landscape);
    void FillHeader(const TSlipSource& source);
    // The tax per rate in the totals rows of a qualified invoice.
    void FillRateBlock(const TSlipSource& source, TSlipPageKind pageKind);

    struct Loaded {
        std::unique_ptr<TPRPage> Page;
        TSlipTemplateVars Vars;
    };
    const Loaded& Find(const QString& name) const;

    std::map<QString, Loaded> pages_;
    TPReport report_;
};
