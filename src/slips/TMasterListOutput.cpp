#include "TMasterListOutput.h"

#include <QPrinter>

#include "StartFolders.h"
#include "TFormPrintList.h"
#include "TSlipPdfTemplates.h"

TMasterListOutput::TMasterListOutput(TFormPrintList& itemList, TFormPrintList& customerList,
                                     TSlipPdfTemplates& templates)
    : itemList_(itemList), customerList_(customerList), templates_(templates) {}

void TMasterListOutput::Run(QWidget* parent, const TMasterListSource& source) {
    TFormPrintList& window = source.Kind == skItemList ? itemList_ : customerList_;
    const int result = window.Execute(source);
    if (result == TFormPrintList::ResultPrint) {
        PrintList(window.Printer(), source, window.IsA4());
    } else if (result == TFormPrintList::ResultPdf) {
        const QString path = pdfDialog_(parent, StartFolders::Export());
        if (!path.isEmpty()) {
            SaveListPdf(templates_, source, path);
        }
    }
}

void PrintList(QPrinter& printer, const TMasterListSource& source, bool isA4) {
    printer.setPageOrientation(QPageLayout::Portrait);
    RunPrintJob(printer,
                [&](QPainter& painter, TSlipResolution dpi, const std::function<void()>& newPage) {
                    PrintListPages(painter, source, isA4, dpi, newPage);
                });
}
