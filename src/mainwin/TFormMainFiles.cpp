// The file menu (new, open, save, the total invoice, backup, restore and take-over) and
// the six main slip buttons.

#include "AppWindows.h"
#include "DocumentTransferCommands.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormListFileSave.h"
#include "TFormMain.h"
#include "TFormOpen.h"
#include "TFormPrintEtcSlip.h"
#include "TFormTotalClaim.h"
#include "TMainSlipOutput.h"
#include "TMasterListOutput.h"
#include "TPngButton.h"
#include "TotalClaim.h"
#include "ui_TFormMain.h"

void TFormMain::SetUpFileCommands() {
    const std::pair<QAction*, void (TFormMain::*)()> actions[] = {
        {ui_->New1, &TFormMain::New1Click},     {ui_->Open1, &TFormMain::BtnOpenClick},
        {ui_->Save1, &TFormMain::BtnSaveClick}, {ui_->N7, &TFormMain::N7Click},
        {ui_->N2I2, &TFormMain::N2I2Click},     {ui_->B2, &TFormMain::B2Click},
        {ui_->R1, &TFormMain::R1Click},
    };
    for (const auto& [action, handler] : actions) {
        connect(action, &QAction::triggered, this, handler);
    }
    for (const auto& [button, handler] : {std::pair{ui_->PNGBtnOpen, &TFormMain::BtnOpenClick},
                                          std::pair{ui_->PNGBtnSave, &TFormMain::BtnSaveClick}}) {
        button->setEnabled(true);
        connect(button, &TPngButton::clicked, this, handler);
    }
}

// The confirmation before the open document is replaced; asked only when OPENALERT is on.
bool TFormMain::MayDropDocument(const QString& question) {
    return !FConfig.OPENALERT ||
           Messages::Question(
               this, QStringLiteral("未保存の編集中のデータは失われます。\r\n") + question);
}

// Back to exactly 100 empty lines with zero totals; the rows beyond them go.
void TFormMain::ClearLines() {
    FEstimate.Clear();
    FEstimate.PadLines(TThEstimateObjectList::DefaultLineCount);
    FEstimate.SubTotal = Currency();
    FEstimate.Tax = Currency();
    FEstimate.Total = Currency();
    SyncRowCount();
    RefreshAll();
}

void TFormMain::ShowOpenedDocument() {
    SetHeaderNotify(false);
    LoadHeader();
    SetHeaderNotify(true);
}

void TFormMain::New1Click() {
    if (!MayDropDocument(QStringLiteral("新規作成してよろしいですか？"))) {
        return;
    }
    openDocument_.Close();
    FEstimate.TotalClaimMode = false;
    ClearLines();
    ResetWindow();
}

void TFormMain::BtnOpenClick() {
    CommitRowEdit();
    if (MayDropDocument(QStringLiteral("他のファイルを開きますか？"))) {
        TFormOpen* window = AppWindows::FormOpen;
        window->Bind(FEstimate, DataFolder(), &openDocument_);
        if (window->exec() == TFormOpen::ResultOK) {
            SyncRowCount();
            FSelectedRow = -1;
            ShowOpenedDocument();
            Recalculate();
            // What the user sees is what computes the opened document's totals.
            ShowCalcOptions();
            RefreshAll();
        }
    }
    CommitRowEdit();
}

void TFormMain::BtnSaveClick() {
    CommitRowEdit();
    TFormListFileSave* window = AppWindows::FormListFileSave;
    window->Bind(FEstimate, DataFolder(), &openDocument_);
    window->exec();
    // A save under another name ends the read-only state.
    ShowMode(FEstimate.TotalClaimMode);
    CommitRowEdit();
}

void TFormMain::N7Click() {
    if (!MayDropDocument(QStringLiteral("合計請求データの作成を開始しますか？"))) {
        return;
    }
    TFormTotalClaim* window = AppWindows::FormTotalClaim;
    window->Bind(DataFolder());
    if (window->exec() != TFormTotalClaim::ResultOK) {
        return;
    }
    openDocument_.Close();
    BuildTotalClaim(window->SelectedPaths());
    ShowOpenedDocument();
    // A document that was taxed inclusively makes the invoice so; the box must say it.
    ShowCalcOptions();
    RefreshAll();
}

void TFormMain::BuildTotalClaim(const QStringList& paths) {
    FEstimate.TotalClaimMode = true;
    ClearLines();
    ResetWindow();
    FEstimate.Total = Currency();
    FEstimate.Tax = Currency();
    ShowMode(true);
    try {
        ::BuildTotalClaim(FEstimate, paths);
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
    // Beyond 100 documents every one has a line of its own.
    SyncRowCount();
}

// Each slip's button, as the table of slip kinds names it.
void TFormMain::SetUpSlipButtons() {
    for (TSlipKind kind : SlipKindsOf(TSlipFamily::MainSlip)) {
        auto* button = findChild<TPngButton*>(QLatin1String(SlipKindFacts(kind).Button));
        button->setEnabled(true);
        connect(button, &TPngButton::clicked, this, [this, kind] { RunMainSlip(kind); });
    }
    for (TSlipKind kind : SheetSlipKinds()) {
        auto* button = findChild<TPngButton*>(QLatin1String(SlipKindFacts(kind).Button));
        button->setEnabled(true);
        connect(button, &TPngButton::clicked, this, [this, kind] { RunSheetSlip(kind); });
    }
}

void TFormMain::RunMainSlip(TSlipKind kind) {
    CommitRowEdit();
    AppWindows::MainSlipOutput->Run(this, kind, FEstimate, FConfig, FCampanyManager);
}

void TFormMain::PrintMasterList(QWidget* parent, TSlipKind kind) {
    AppWindows::MasterListOutput->Run(
        parent, {kind, FItemList, FCustomerList, FConfig, ListDateText(FEstimate)});
}

void TFormMain::RunSheetSlip(TSlipKind kind) {
    CommitRowEdit();
    AppWindows::EtcSlipOutput->Run(this, *AppWindows::SheetSlipWindow(kind), FEstimate, FConfig,
                                   FCampanyManager);
    CommitRowEdit();
}

void TFormMain::B2Click() {
    DocumentTransferCommands::Backup(this, DataFolder());
}

void TFormMain::R1Click() {
    DocumentTransferCommands::Restore(this, DataFolder());
}

void TFormMain::N2I2Click() {
    DocumentTransferCommands::TakeOver(this, DataFolder());
}
