#include "TFormListFileSave.h"

#include "ChildWindow.h"
#include "Messages.h"
#include "PictureButtons.h"
#include "TFormSave.h"
#include "TThEstimateObjectList.h"
#include "ui_TFormListFileSave.h"

TFormListFileSave::TFormListFileSave(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormListFileSave>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    WirePictureButton(this, "Delete", [this] { ui_->LVFileList->DeleteSelected(dataFolder_); });
    WirePictureButton(this, "New", [this] { BtnNewClick(); });
    WirePictureButton(this, "Over", [this] { BtnOverClick(); });
    WirePictureButton(this, "Close", [this] { done(ResultCancel); });
    connect(ui_->LVFileList, &QTableView::doubleClicked, this, [this] { ui_->BtnOver->click(); });
}

TFormListFileSave::~TFormListFileSave() = default;

void TFormListFileSave::Bind(const TThEstimateObjectList& document, const QString& dataFolder) {
    document_ = &document;
    dataFolder_ = dataFolder;
}

void TFormListFileSave::reject() {
    done(ResultCancel);
}

void TFormListFileSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->LVFileList->FillFileList(dataFolder_);
    ui_->LVFileList->setFocus();
}

void TFormListFileSave::openSave(const QString& fileName, const QString& comment) {
    save_->Bind(*document_, dataFolder_, fileName, comment);
    ShowChildWindow(save_, this, [this](int result) {
        if (result != TFormSave::ResultCancel) {
            ui_->LVFileList->FillFileList(dataFolder_);
        }
    });
}

void TFormListFileSave::BtnNewClick() {
    openSave(QString(), document_->Memo);
}

void TFormListFileSave::BtnOverClick() {
    const FileList::Entry* entry = ui_->LVFileList->SelectedEntry();
    if (entry == nullptr) {
        Messages::Information(this, QStringLiteral("上書きするファイルを選択してください。"));
        return;
    }
    openSave(entry->FileName, entry->Comment);
}
