#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "RenderSlipPage.h"
#include "TSlipKind.h"
#include "TSlipSource.h"

class QFileDialog;
class QPainter;
class QPrinter;
class QWidget;
class TFormPrintMitsu;
class TSlipPdfTemplates;
class TThCampanyInfoManager;
class TThConfigInfo;
class TThEstimateObjectList;

// What the six main slip buttons do: refuse in total-claim mode, open the options window
// for the kind, then print on the current printer or save a PDF through the save dialog.
// The preview runs from inside the options window.
class TMainSlipOutput {
  public:
    // Asks for the PDF file, starting in folder; empty when the user cancels.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& folder)>;

    TMainSlipOutput(TFormPrintMitsu& options, TSlipPdfTemplates& templates);

    void Run(QWidget* parent, TSlipKind kind, const TThEstimateObjectList& document,
             const TThConfigInfo& config, const TThCampanyInfoManager& profiles);

    void SetPdfDialog(SaveDialog dialog) { pdfDialog_ = std::move(dialog); }
    // SaveDialogPDF: PDF filter, default suffix pdf, overwrite question.
    static std::unique_ptr<QFileDialog> SaveDialogPDF(QWidget* parent, const QString& folder);
    static QString AskPdfFile(QWidget* parent, const QString& folder);

  private:
    TFormPrintMitsu& options_;
    TSlipPdfTemplates& templates_;
    SaveDialog pdfDialog_ = &TMainSlipOutput::AskPdfFile;
};

// One print job titled "Rokuvel Dorvani4": drawSheets paints every sheet at the printer's
// resolution and calls newPage between them. Throws EFileError when the printer cannot
// start the job, turn a page or finish.
using TDrawSheets = std::function<void(QPainter& painter, TSlipResolution dpi,
                                       const std::function<void()>& newPage)>;
void RunPrintJob(QPrinter& printer, const TDrawSheets& drawSheets);

// Every sheet of the slip on the printer as one job: the pages, then the copies when the
// copy box is on; B5 shrinks the A4 drawing.
void PrintSlip(QPrinter& printer, const TSlipSource& source, bool isA4);

// Draws a one-sheet slip (receipt, total invoice, fax cover) for the paper and resolution.
using TSheetRenderer = std::function<TSlipPagePicture(bool isA4, TSlipResolution dpi)>;
// The sheet on the printer as one portrait job; B5 shrinks the A4 drawing. Throws EFileError
// as PrintSlip does.
void PrintSheet(QPrinter& printer, bool isA4, const TSheetRenderer& render);
