// The 設定 menu's settings commands: the operating settings and the sender profiles.
#include "TFormMain.h"

#include "AppWindows.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormConf.h"
#include "TFormSenderConf.h"
#include "TSlipPdfTemplates.h"
#include "ui_TFormMain.h"

void TFormMain::SetUpSettingsCommands() {
    connect(ui_->N3, &QAction::triggered, this, &TFormMain::N3Click);
    connect(ui_->N4, &QAction::triggered, this, &TFormMain::N4Click);
}

void TFormMain::N3Click() {
    AppWindows::FormSenderConf->SetQualifiedInvoice(FConfig.QUALIFIED_INVOICE);
    const bool confirmed =
        AppWindows::FormSenderConf->Execute(FCampanyManager) == TFormSenderConf::ResultOK;
    try {
        if (confirmed) {
            FCampanyManager.SaveToFile(folders_.ConfPath());
        } else {
            // The window changed the live profiles; what is on disk holds again.
            FCampanyManager.LoadFromFile(folders_.ConfPath());
        }
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void TFormMain::N4Click() {
    CommitRowEdit();
    if (AppWindows::FormConf->Execute(FConfig) != TFormConf::ResultOK) {
        return;
    }
    try {
        FConfig.SaveToFile(folders_.ConfPath());
    } catch (const EModelError& error) {
        // The new settings hold for this run even when the file keeps the old ones.
        Messages::Error(this, error.message());
    }
    FEstimate.TakeTaxSettings(FConfig);
    ShowCalcOptions();
    Recalculate();
    RefreshAll();
    AppWindows::FormPDFBase->ApplyPdfSettings(FConfig);
}
