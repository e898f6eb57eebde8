// The 設定 menu's settings commands: the operating settings and the sender profiles.
#include "TFormMain.h"

#include "AppWindows.h"
#include "ConflictQuestion.h"
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
    ReloadSharedData();
    AppWindows::FormSenderConf->SetQualifiedInvoice(FConfig.QUALIFIED_INVOICE);
    const bool confirmed =
        AppWindows::FormSenderConf->Execute(FCampanyManager) == TFormSenderConf::ResultOK;
    try {
        if (confirmed) {
            FCampanyManager.SaveToFile(folders_.ConfPath(), AskConflicts(this));
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
    ReloadSharedData();
    if (AppWindows::FormConf->Execute(FConfig) != TFormConf::ResultOK) {
        return;
    }
    try {
        FConfig.SaveToFile(folders_.ConfPath(), AskConflicts(this));
    } catch (const EModelError& error) {
        // The new settings hold for this run even when the file keeps the old ones.
        Messages::Error(this, error.message());
    }
    ApplySettings();
}

void TFormMain::ApplySettings() {
    FEstimate.TakeTaxSettings(FConfig);
    ShowCalcOptions();
    Recalculate();
    RefreshAll();
    AppWindows::FormPDFBase->ApplyPdfSettings(FConfig);
}

void TFormMain::ReloadSharedData() {
    const auto reload = [this](auto& shared, const QString& path) {
        try {
            return shared.ReloadIfChanged(path);
        } catch (const EModelError& error) {
            Messages::Error(this, error.message());
            return true;
        }
    };
    reload(FCustomerList, folders_.CustomerPath());
    reload(FItemList, folders_.ItemListPath());
    reload(FUnitList, folders_.ItemUnitPath());
    reload(FCampanyManager, folders_.ConfPath());
    if (reload(FConfig, folders_.ConfPath())) {
        ApplySettings();
    }
}
