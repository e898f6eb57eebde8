#include "TMainSlipOutput.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <cmath>

#include "Messages.h"
#include "ModelError.h"
#include "SlipPrintRun.h"
#include "StartFolders.h"
#include "TFormPrintMitsu.h"
#include "TSlipPdfTemplates.h"
#include "TThCampanyInfoManager.h"
#include "TThEstimateObjectList.h"

TMainSlipOutput::TMainSlipOutput(TFormPrintMitsu& options, TSlipPdfTemplates& templates)
    : options_(options), templates_(templates) {}

void TMainSlipOutput::Run(QWidget* parent, TSlipKind kind, const TThEstimateObjectList& document,
                          const TThConfigInfo& config, const TThCampanyInfoManager& profiles) {
    if (document.TotalClaimMode) {
        Messages::Information(parent, TThEstimateObjectList::TotalClaimRefusal);
        return;
    }
    const int result = options_.Execute(document, config, kind, profiles);
    if (result != TFormPrintMitsu::ResultPrint && result != TFormPrintMitsu::ResultPdf) {
        return;
    }
    const TPrintOptions options = options_.Options();
    const TSlipSource source{document, config, profiles.Items(options.CustomerInfo), options, kind};
    if (result == TFormPrintMitsu::ResultPrint) {
        PrintSlip(options_.Printer(), source, options_.IsA4());
        return;
    }
    const QString path = pdfDialog_(parent, StartFolders::Export());
    if (!path.isEmpty()) {
        templates_.SaveSlipPdf(source, path);
    }
}

std::unique_ptr<QFileDialog> TMainSlipOutput::SaveDialogPDF(QWidget* parent,
                                                            const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), folder,
                                                QStringLiteral("PDFファイル(*.pdf)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    return dialog;
}

QString TMainSlipOutput::AskPdfFile(QWidget* parent, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = SaveDialogPDF(parent, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().first();
}

void RunPrintJob(QPrinter& printer, const TDrawSheets& drawSheets) {
    printer.setDocName(QStringLiteral("Rokuvel Dorvani4"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        const QString name =
            printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName();
        throw EFileError(name.isEmpty()
                             ? QStringLiteral("印刷できるプリンタがありません。")
                             : QStringLiteral("プリンタ「%1」で印刷を開始できません。").arg(name));
    }
    drawSheets(painter, PrinterResolution(printer), [&] {
        if (!printer.newPage()) {
            throw EFileError(QStringLiteral("プリンタ「%1」に次のページを送れません。")
                                 .arg(printer.printerName()));
        }
    });
    if (!painter.end()) {
        throw EFileError(QStringLiteral("プリンタ「%1」への印刷が終わりませんでした。")
                             .arg(printer.printerName()));
    }
}

void PrintSlip(QPrinter& printer, const TSlipSource& source, bool isA4) {
    printer.setPageOrientation(source.Options.Landscape ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
    RunPrintJob(printer,
                [&](QPainter& painter, TSlipResolution dpi, const std::function<void()>& newPage) {
                    PrintSlipSheets(painter, source, isA4, dpi, newPage);
                });
}

void PrintSheet(QPrinter& printer, bool isA4, const TSheetRenderer& render) {
    printer.setPageOrientation(QPageLayout::Portrait);
    RunPrintJob(printer, [&](QPainter& painter, TSlipResolution dpi, const std::function<void()>&) {
        const TSlipPagePicture page = render(isA4, dpi);
        const double scale = PrintScale(isA4);
        DrawSlipPage(painter, page,
                     QSize(static_cast<int>(std::lround(page.Size.width() * scale)),
                           static_cast<int>(std::lround(page.Size.height() * scale))));
    });
}
