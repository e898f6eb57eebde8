#include "TFormPrintList.h"

#include <QShowEvent>

#include "ConflictQuestion.h"
#include "IniFile.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormPreviewList.h"
#include "TPngButton.h"
#include "TPrintOptions.h"
#include "ui_TFormPrintList.h"

namespace {

const QString PrinterKey = QStringLiteral("PRINTER");
const QString PaperSizeKey = QStringLiteral("PAPER_SIZE");

}  // namespace

TFormPrintList::TFormPrintList(TSlipKind kind, const QString& printIniPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TFormPrintList>()),
      kind_(kind),
      printIniPath_(printIniPath) {
    ui_->setupUi(this);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);
    setWindowTitle(PrintWindowCaption(kind));
    setFixedSize(size());

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormPrintList::*handler)();
    } buttons[] = {
        {ui_->BtnPrinter, ui_->pngBtnPrinter, &TFormPrintList::BtnPrinterClick},
        {ui_->BtnPreview, ui_->pngBtnPreview, &TFormPrintList::BtnPreviewClick},
        {ui_->BtnSavePDF, ui_->pngBtnSavePDF, nullptr},
        {ui_->BtnPrint, ui_->pngBtnOK, nullptr},
        {ui_->BtnCancel, ui_->pngBtnCancel, &TFormPrintList::reject},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        if (handler != nullptr) {
            connect(button, &QPushButton::clicked, this, handler);
        }
    }
    connect(ui_->BtnPrint, &QPushButton::clicked, this, [this] { CloseWithOutput(ResultPrint); });
    connect(ui_->BtnSavePDF, &QPushButton::clicked, this, [this] { CloseWithOutput(ResultPdf); });
    connect(ui_->CBPrinter, &QComboBox::activated, this, &TFormPrintList::CBPrinterChange);
    printer_.setDocName(QStringLiteral("Rokuvel Dorvani4"));
}

TFormPrintList::~TFormPrintList() = default;

TFormPrintItemList::TFormPrintItemList(const QString& printIniPath, QWidget* parent)
    : TFormPrintList(skItemList, printIniPath, parent) {}

TFormPrintCustomerList::TFormPrintCustomerList(const QString& printIniPath, QWidget* parent)
    : TFormPrintList(skCustomerList, printIniPath, parent) {
    const int raise = 2;
    for (QWidget* button : findChildren<TPngButton*>()) {
        if (button->parentWidget() == this) {
            button->move(button->x(), button->y() - raise);
        }
    }
    setFixedSize(width(), 171);
}

void TFormPrintList::Prepare(const TMasterListSource& source) {
    source_.emplace(source);
}

int TFormPrintList::Execute(const TMasterListSource& source) {
    Prepare(source);
    return exec();
}

void TFormPrintList::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TFormPrintList::FormShow() {
    const QString current = printer_.printerName();
    ui_->CBPrinter->clear();
    ui_->CBPrinter->addItems(printers_.Names());
    SelectByText(ui_->CBPrinter, current.isEmpty() ? printers_.DefaultName() : current);
    printer_.setPageOrientation(QPageLayout::Portrait);

    const IniFile printIni = printIni_.Read(printIniPath_);
    const QString section = PrintSectionName(kind_);
    const QString printer = printIni.ReadString(section, PrinterKey, QString());
    if (!printer.isEmpty()) {
        SelectByText(ui_->CBPrinter, printer);
    }
    CBPrinterChange();
    SelectByText(ui_->CBPaperSize, printIni.ReadString(section, PaperSizeKey, QString()));
    printIni_.Adopt(printIni, [section, printer = ui_->CBPrinter->currentText(),
                               paper = ui_->CBPaperSize->currentText()](IniFile& ini) {
        ini.WriteString(section, PrinterKey, printer);
        ini.WriteString(section, PaperSizeKey, paper);
    });
}

void TFormPrintList::SelectByText(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

void TFormPrintList::CBPrinterChange() {
    const QString name = ui_->CBPrinter->currentText();
    if (!name.isEmpty() && name != printer_.printerName()) {
        printer_.setPrinterName(name);
        printer_.setDocName(QStringLiteral("Rokuvel Dorvani4"));
    }
    printer_.setPageOrientation(QPageLayout::Portrait);
}

void TFormPrintList::BtnPrinterClick() {
    if (printers_.Setup(this, printer_)) {
        SelectByText(ui_->CBPrinter, printer_.printerName());
    }
    printer_.setPageOrientation(QPageLayout::Portrait);
}

void TFormPrintList::BtnPreviewClick() {
    if (preview_ != nullptr && source_) {
        preview_->ShowPreview(*source_, PrinterResolution(printer_));
    }
}

bool TFormPrintList::IsA4() const {
    return ui_->CBPaperSize->currentIndex() <= 0;
}

void TFormPrintList::CloseWithOutput(ModalResult result) {
    try {
        const QString section = PrintSectionName(kind_);
        printIni_.Save(
            printIniPath_,
            [&](IniFile& ini) {
                ini.WriteString(section, PrinterKey, ui_->CBPrinter->currentText());
                ini.WriteString(section, PaperSizeKey, ui_->CBPaperSize->currentText());
            },
            {}, AskConflicts(this));
    } catch (const EModelError& error) {
        // The list still goes out with the chosen printer; print.ini keeps its old state.
        Messages::Error(this, error.message());
    }
    done(result);
}

void TFormPrintList::reject() {
    done(ResultCancel);
}
