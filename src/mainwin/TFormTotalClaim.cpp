#include "TFormTotalClaim.h"

#include "Messages.h"
#include "PictureButtons.h"
#include "ui_TFormTotalClaim.h"

TFormTotalClaim::TFormTotalClaim(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormTotalClaim>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    WirePictureButton(this, "Search", [this] { ui_->LVFileList->Filter(search_, dataFolder_); });
    WirePictureButton(this, "Clear", [this] { ui_->LVFileList->FillFileList(dataFolder_); });
    WirePictureButton(this, "OK", [this] { BtnOKClick(); });
    WirePictureButton(this, "Close", [this] { done(ResultCancel); });
}

TFormTotalClaim::~TFormTotalClaim() = default;

void TFormTotalClaim::Bind(const QString& dataFolder) {
    dataFolder_ = dataFolder;
}

QStringList TFormTotalClaim::SelectedPaths() const {
    QStringList paths;
    for (const FileList::Entry* entry : ui_->LVFileList->SelectedEntries()) {
        paths << entry->Path;
    }
    return paths;
}

void TFormTotalClaim::reject() {
    done(ResultCancel);
}

void TFormTotalClaim::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->LVFileList->FillFileList(dataFolder_);
    ui_->LVFileList->setFocus();
}

void TFormTotalClaim::BtnOKClick() {
    if (ui_->LVFileList->SelectedEntries().empty()) {
        Messages::Information(this, QStringLiteral("データを選択してください。"));
        return;
    }
    done(ResultOK);
}
