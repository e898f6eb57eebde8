#pragma once

#include "MasterListSlip.h"
#include "TMainSlipOutput.h"

class QPrinter;
class QWidget;
class TFormPrintList;
class TSlipPdfTemplates;

// What 印刷・PDF出力 of the item and customer list windows does: open the list's print
// window, then print every page on the chosen printer or save a PDF through the save dialog.
// The preview runs from inside the print window.
class TMasterListOutput {
  public:
    TMasterListOutput(TFormPrintList& itemList, TFormPrintList& customerList,
                      TSlipPdfTemplates& templates);

    void Run(QWidget* parent, const TMasterListSource& source);

    void SetPdfDialog(TMainSlipOutput::SaveDialog dialog) { pdfDialog_ = std::move(dialog); }

  private:
    TFormPrintList& itemList_;
    TFormPrintList& customerList_;
    TSlipPdfTemplates& templates_;
    TMainSlipOutput::SaveDialog pdfDialog_ = &TMainSlipOutput::AskPdfFile;
};

// Every page of the list on the printer as one portrait job; B5 shrinks the A4 drawing.
void PrintList(QPrinter& printer, const TMasterListSource& source, bool isA4);
