#include "TFormListFileSave.h"

#include "ChildWindow.h"
#include "FileList.h"
#include "Messages.h"
#include "OpenDocument.h"
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

void TFormListFileSave::Bind(const TThEstimateObjectList& document, const QString& dataFolder,
                             OpenDocument* open) {
    document_ = &document;
    dataFolder_ = dataFolder;
    open_ = open;
}

void TFormListFileSave::FillList() {
    listed_.clear();
    for (const QString& path : FileList::FilesWithExtensions(dataFolder_, {FileList::Extension})) {
        listed_.insert(path, SharedSave::FileStamp::Of(path));
    }
    ui_->LVFileList->FillFileList(dataFolder_);
}

void TFormListFileSave::reject() {
    done(ResultCancel);
}

void TFormListFileSave::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillList();
    ui_->LVFileList->setFocus();
}

void TFormListFileSave::openSave(const QString& fileName, const QString& comment,
                                 const QString& listedPath) {
    std::optional<OpenDocument::Listed> listed;
    if (listed_.contains(listedPath)) {
        listed = OpenDocument::Listed{listedPath, listed_.value(listedPath)};
    }
    save_->Bind(*document_, dataFolder_, fileName, comment, open_, listed);
    ShowChildWindow(save_, this, [this](int result) {
        if (result != TFormSave::ResultCancel) {
            FillList();
        }
    });
}

void TFormListFileSave::BtnNewClick() {
    openSave(QString(), document_->Memo, QString());
}

void TFormListFileSave::BtnOverClick() {
    const FileList::Entry* entry = ui_->LVFileList->SelectedEntry();
    if (entry == nullptr) {
        Messages::Information(this, QStringLiteral("上書きするファイルを選択してください。"));
        return;
    }
    openSave(entry->FileName, entry->Comment, entry->Path);
}
