#include "TFormOpen.h"

#include "Messages.h"
#include "ModelError.h"
#include "OpenDocument.h"
#include "PictureButtons.h"
#include "TThEstimateObjectList.h"
#include "ui_TFormOpen.h"

TFormOpen::TFormOpen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormOpen>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    WirePictureButton(this, "Search", [this] { ui_->LVFileList->Filter(search_, dataFolder_); });
    WirePictureButton(this, "Clear", [this] { ui_->LVFileList->FillFileList(dataFolder_); });
    WirePictureButton(this, "Delete", [this] { ui_->LVFileList->DeleteSelected(dataFolder_); });
    WirePictureButton(this, "Open", [this] { BtnOpenClick(); });
    WirePictureButton(this, "Close", [this] { done(ResultCancel); });
    connect(ui_->LVFileList, &QTableView::doubleClicked, this, [this] { ui_->BtnOpen->click(); });
}

TFormOpen::~TFormOpen() = default;

void TFormOpen::Bind(TThEstimateObjectList& document, const QString& dataFolder,
                     OpenDocument* open) {
    document_ = &document;
    dataFolder_ = dataFolder;
    open_ = open;
}

void TFormOpen::reject() {
    done(ResultCancel);
}

void TFormOpen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->LVFileList->FillFileList(dataFolder_);
    ui_->LVFileList->setFocus();
}

void TFormOpen::BtnOpenClick() {
    const FileList::Entry* entry = ui_->LVFileList->SelectedEntry();
    if (entry == nullptr) {
        Messages::Information(this, QStringLiteral("開くファイルを選択してください。"));
        return;
    }
    // Stamped before the read: a save in between shows as a change, never as none.
    const SharedSave::FileStamp stamp = SharedSave::FileStamp::Of(entry->Path);
    try {
        FileList::LoadDocument(*document_, entry->Path);
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
        return;
    }
    if (!document_->LoadNotice.isEmpty()) {
        Messages::Information(this, document_->LoadNotice);
    }
    if (open_ != nullptr) {
        open_->Opened(entry->Path, stamp);
        if (open_->ReadOnly()) {
            Messages::Information(this, open_->ReadOnlyNotice(entry->FileName));
        }
    }
    done(ResultOK);
}
