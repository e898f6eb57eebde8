#pragma once

#include "TSlipKind.h"

class DataFolders;
class TFormCustomAdd;
class TFormCustomEdit;
class TFormCustomer;
class TFormImport;
class TFormItemAdd;
class TFormItemEdit;
class TFormItemList;
class TFormListFileSave;
class TFormMain;
class TFormOpen;
class TEtcSlipOutput;
class TFormPreviewEtcSlip;
class TFormPreviewMitsu;
class TFormPrintEtcSlip;
class TFormPrintFaxSender;
class TFormPrintMitsu;
class TFormPrintReceipt;
class TFormPrintTotalClaim;
class TFormSave;
class TFormSearchFile;
class TFormTotalClaim;
class TFormUnitAdd;
class TFormUnitEdit;
class TFormVersion;
class TFormZipSearch;
class TMainSlipOutput;
class TSlipPdfTemplates;

// Every window of the program, created once at start in this order and kept until exit;
// windows reach each other through these references. A window added later gets its line
// here and in Create().
namespace AppWindows {

extern TFormMain* FormMain;
extern TFormCustomer* FormCustomer;
extern TFormZipSearch* FormZipSearch;
extern TFormImport* FormImport;
extern TFormCustomAdd* FormCustomAdd;
extern TFormCustomEdit* FormCustomEdit;
extern TFormItemList* FormItemList;
extern TFormUnitAdd* FormUnitAdd;
extern TFormUnitEdit* FormUnitEdit;
extern TFormItemAdd* FormItemAdd;
extern TFormItemEdit* FormItemEdit;
extern TFormListFileSave* FormListFileSave;
extern TFormSave* FormSave;
extern TFormOpen* FormOpen;
extern TFormTotalClaim* FormTotalClaim;
extern TFormPrintMitsu* FormPrintMitsu;
extern TFormVersion* FormVersion;
extern TFormSearchFile* FormSearchFile;
extern TFormPreviewMitsu* FormPreviewMitsu;
extern TFormPrintReceipt* FormPrintReceipt;
extern TFormPrintTotalClaim* FormPrintTotalClaim;
extern TFormPrintFaxSender* FormPrintFaxSender;
extern TFormPreviewEtcSlip* FormPreviewEtcSlip;
// Never shown: the PDF page templates, the flow of the six main slip buttons and that of
// the one-sheet slips.
extern TSlipPdfTemplates* FormPDFBase;
extern TMainSlipOutput* MainSlipOutput;
extern TEtcSlipOutput* EtcSlipOutput;

// The options window of a one-sheet slip kind; nullptr for any other kind.
TFormPrintEtcSlip* SheetSlipWindow(TSlipKind kind);

void Create(const DataFolders& folders);
// Frees every window (the main window owns the others).
void Destroy();

}  // namespace AppWindows
