#include "AppWindows.h"

#include <vector>

#include "PostalLookup.h"
#include "TFormConf.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TFormCustomer.h"
#include "TFormImport.h"
#include "TFormItemAdd.h"
#include "TFormItemEdit.h"
#include "TFormItemList.h"
#include "TFormListFileSave.h"
#include "TFormMain.h"
#include "TFormOpen.h"
#include "TFormPreviewEtcSlip.h"
#include "TFormPreviewList.h"
#include "TFormPreviewMitsu.h"
#include "TFormPrintFaxSender.h"
#include "TFormPrintList.h"
#include "TFormPrintMitsu.h"
#include "TFormPrintReceipt.h"
#include "TFormPrintTotalClaim.h"
#include "TFormSave.h"
#include "TFormSearchFile.h"
#include "TFormSenderConf.h"
#include "TFormTotalClaim.h"
#include "TFormUnitAdd.h"
#include "TFormUnitEdit.h"
#include "TFormVersion.h"
#include "TFormZipSearch.h"
#include "TMainSlipOutput.h"
#include "TMasterListOutput.h"
#include "TSlipPdfTemplates.h"
#include "Tzip_update.h"

namespace AppWindows {

namespace {

std::vector<TFormPrintEtcSlip*> SheetSlipWindows();

}  // namespace

TFormMain* FormMain = nullptr;
TFormCustomer* FormCustomer = nullptr;
TFormZipSearch* FormZipSearch = nullptr;
TFormImport* FormImport = nullptr;
TFormCustomAdd* FormCustomAdd = nullptr;
TFormCustomEdit* FormCustomEdit = nullptr;
TFormItemList* FormItemList = nullptr;
TFormUnitAdd* FormUnitAdd = nullptr;
TFormUnitEdit* FormUnitEdit = nullptr;
TFormItemAdd* FormItemAdd = nullptr;
TFormItemEdit* FormItemEdit = nullptr;
TFormSenderConf* FormSenderConf = nullptr;
TFormConf* FormConf = nullptr;
TFormListFileSave* FormListFileSave = nullptr;
TFormSave* FormSave = nullptr;
TFormOpen* FormOpen = nullptr;
TFormTotalClaim* FormTotalClaim = nullptr;
TFormPrintMitsu* FormPrintMitsu = nullptr;
TFormVersion* FormVersion = nullptr;
TFormSearchFile* FormSearchFile = nullptr;
TFormPreviewMitsu* FormPreviewMitsu = nullptr;
Tzip_update* FormZipUpdate = nullptr;
TFormPrintItemList* FormPrintItemList = nullptr;
TFormPrintCustomerList* FormPrintCustomerList = nullptr;
TFormPreviewList* FormPreviewList = nullptr;
TFormPrintReceipt* FormPrintReceipt = nullptr;
TFormPrintTotalClaim* FormPrintTotalClaim = nullptr;
TFormPrintFaxSender* FormPrintFaxSender = nullptr;
TFormPreviewEtcSlip* FormPreviewEtcSlip = nullptr;
TSlipPdfTemplates* FormPDFBase = nullptr;
TMainSlipOutput* MainSlipOutput = nullptr;
TMasterListOutput* MasterListOutput = nullptr;
TEtcSlipOutput* EtcSlipOutput = nullptr;

void Create(const DataFolders& folders) {
    FormMain = new TFormMain(folders);
    FormCustomer = new TFormCustomer(FormMain);
    FormZipSearch = new TFormZipSearch(FormMain);
    FormImport = new TFormImport(FormMain);
    FormCustomAdd = new TFormCustomAdd(FormMain);
    FormCustomEdit = new TFormCustomEdit(FormMain);
    FormItemList = new TFormItemList(FormMain);
    FormUnitAdd = new TFormUnitAdd(FormMain);
    FormUnitEdit = new TFormUnitEdit(FormMain);
    FormItemAdd = new TFormItemAdd(FormMain);
    FormItemEdit = new TFormItemEdit(FormMain);
    FormSenderConf = new TFormSenderConf(FormMain);
    FormConf = new TFormConf(FormMain);
    FormListFileSave = new TFormListFileSave(FormMain);
    FormSave = new TFormSave(FormMain);
    FormOpen = new TFormOpen(FormMain);
    FormTotalClaim = new TFormTotalClaim(FormMain);
    FormPrintMitsu = new TFormPrintMitsu(folders.PrintIniPath(), FormMain);
    FormVersion = new TFormVersion(FormMain);
    FormPrintReceipt = new TFormPrintReceipt(folders.PrintIniPath(), FormMain);
    FormPrintTotalClaim = new TFormPrintTotalClaim(folders.PrintIniPath(), FormMain);
    FormSearchFile = new TFormSearchFile(FormMain);
    FormPreviewMitsu = new TFormPreviewMitsu(FormMain);
    FormZipUpdate = new Tzip_update(folders.RootFolder(), folders.ZipFolder(), FormMain);
    FormPrintItemList = new TFormPrintItemList(folders.PrintIniPath(), FormMain);
    FormPrintCustomerList = new TFormPrintCustomerList(folders.PrintIniPath(), FormMain);
    FormPreviewList = new TFormPreviewList(FormMain);
    FormPrintFaxSender = new TFormPrintFaxSender(folders.PrintIniPath(), FormMain);
    FormPreviewEtcSlip = new TFormPreviewEtcSlip(FormMain);
    FormPDFBase = new TSlipPdfTemplates(FormMain->FConfig);
    MainSlipOutput = new TMainSlipOutput(*FormPrintMitsu, *FormPDFBase);
    MasterListOutput =
        new TMasterListOutput(*FormPrintItemList, *FormPrintCustomerList, *FormPDFBase);
    EtcSlipOutput = new TEtcSlipOutput(*FormPDFBase);

    FormCustomer->SetEntryWindows(FormCustomAdd, FormCustomEdit);
    FormCustomer->SetImportWindow(FormImport);
    FormItemList->SetEntryWindows(FormItemAdd, FormItemEdit, FormUnitAdd, FormUnitEdit);
    FormListFileSave->SetSaveWindow(FormSave);
    FormOpen->SetSearchWindow(FormSearchFile);
    FormTotalClaim->SetSearchWindow(FormSearchFile);
    FormPrintMitsu->SetPreviewWindow(FormPreviewMitsu);
    FormPrintItemList->SetPreviewWindow(FormPreviewList);
    FormPrintCustomerList->SetPreviewWindow(FormPreviewList);
    FormItemList->SetPrintCommand(
        [](QWidget* parent) { FormMain->PrintMasterList(parent, skItemList); });
    FormCustomer->SetPrintCommand(
        [](QWidget* parent) { FormMain->PrintMasterList(parent, skCustomerList); });
    for (TFormPrintEtcSlip* window : SheetSlipWindows()) {
        window->SetPreviewWindow(FormPreviewEtcSlip);
    }
    for (TFormCustomEntry* entry : {static_cast<TFormCustomEntry*>(FormCustomAdd),
                                    static_cast<TFormCustomEntry*>(FormCustomEdit)}) {
        entry->SetLookups(PostalLookup::ByCode, PostalLookup::ByAddress);
    }
}

namespace {

std::vector<TFormPrintEtcSlip*> SheetSlipWindows() {
    return {FormPrintReceipt, FormPrintTotalClaim, FormPrintFaxSender};
}

}  // namespace

TFormPrintEtcSlip* SheetSlipWindow(TSlipKind kind) {
    for (TFormPrintEtcSlip* window : SheetSlipWindows()) {
        if (window->Kind() == kind) {
            return window;
        }
    }
    return nullptr;
}

void Destroy() {
    delete MasterListOutput;
    MasterListOutput = nullptr;
    delete EtcSlipOutput;
    EtcSlipOutput = nullptr;
    delete MainSlipOutput;
    MainSlipOutput = nullptr;
    delete FormPDFBase;
    FormPDFBase = nullptr;
    delete FormMain;
    FormMain = nullptr;
    FormCustomer = nullptr;
    FormZipSearch = nullptr;
    FormImport = nullptr;
    FormCustomAdd = nullptr;
    FormCustomEdit = nullptr;
    FormItemList = nullptr;
    FormUnitAdd = nullptr;
    FormUnitEdit = nullptr;
    FormItemAdd = nullptr;
    FormItemEdit = nullptr;
    FormSenderConf = nullptr;
    FormConf = nullptr;
    FormListFileSave = nullptr;
    FormSave = nullptr;
    FormOpen = nullptr;
    FormTotalClaim = nullptr;
    FormPrintMitsu = nullptr;
    FormVersion = nullptr;
    FormSearchFile = nullptr;
    FormPreviewMitsu = nullptr;
    FormZipUpdate = nullptr;
    FormPrintItemList = nullptr;
    FormPrintCustomerList = nullptr;
    FormPreviewList = nullptr;
    FormPrintReceipt = nullptr;
    FormPrintTotalClaim = nullptr;
    FormPrintFaxSender = nullptr;
    FormPreviewEtcSlip = nullptr;
}

}  // namespace AppWindows
