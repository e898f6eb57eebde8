#pragma once

#include "TSlipKind.h"

class DataFolders;
class TFormConf;
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
class TFormPreviewList;
class TFormPreviewMitsu;
class TFormPrintCustomerList;
class TFormPrintEtcSlip;
class TFormPrintFaxSender;
class TFormPrintItemList;
class TFormPrintMitsu;
class TFormPrintReceipt;
class TFormPrintTotalClaim;
class TFormSave;
class TFormSearchFile;
class TFormSenderConf;
class TFormTotalClaim;
class TFormUnitAdd;
class TFormUnitEdit;
class TFormVersion;
class TFormZipSearch;
class Tzip_update;
class TMainSlipOutput;
class TMasterListOutput;
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
extern TFormSenderConf* FormSenderConf;
extern TFormConf* FormConf;
extern TFormListFileSave* FormListFileSave;
extern TFormSave* FormSave;
extern TFormOpen* FormOpen;
extern TFormTotalClaim* FormTotalClaim;
extern TFormPrintMitsu* FormPrintMitsu;
extern TFormVersion* FormVersion;
extern TFormSearchFile* FormSearchFile;
extern TFormPreviewMitsu* FormPreviewMitsu;
extern Tzip_update* FormZipUpdate;
extern TFormPrintItemList* FormPrintItemList;
extern TFormPrintCustomerList* FormPrintCustomerList;
extern TFormPreviewList* FormPreviewList;
extern TFormPrintReceipt* FormPrintReceipt;
extern TFormPrintTotalClaim* FormPrintTotalClaim;
extern TFormPrintFaxSender* FormPrintFaxSender;
extern TFormPreviewEtcSlip* FormPreviewEtcSlip;
// Never shown: the PDF page templates, the flow of the six main slip buttons, that of the
// one-sheet slips and that of 印刷・PDF出力 of both master lists.
extern TSlipPdfTemplates* FormPDFBase;
extern TMainSlipOutput* MainSlipOutput;
extern TMasterListOutput* MasterListOutput;
extern TEtcSlipOutput* EtcSlipOutput;

// The options window of a one-sheet slip kind; nullptr for any other kind.
TFormPrintEtcSlip* SheetSlipWindow(TSlipKind kind);

void Create(const DataFolders& folders);
// Frees every window (the main window owns the others).
void Destroy();

}  // namespace AppWindows
