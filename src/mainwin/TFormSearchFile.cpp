#include "TFormSearchFile.h"

#include "Clock.h"
#include "TDatePickButton.h"
#include "TPngButton.h"
#include "ui_TFormSearchFile.h"

TFormSearchFile::TFormSearchFile(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormSearchFile>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    for (const auto& [condition, caption] : FileList::Conditions()) {
        ui_->CBHead->addItem(caption);
    }
    ui_->CBMode->addItems({FileList::ModeNormal, FileList::ModeTotalClaim});

    ui_->BtnSearch->hide();
    ui_->BtnClose->hide();
    ui_->PNGBtnSearch->SetStandardButton(ui_->BtnSearch);
    ui_->PNGBtnClose->SetStandardButton(ui_->BtnClose);
    connect(ui_->BtnSearch, &QPushButton::clicked, this, [this] { done(ResultOK); });
    connect(ui_->BtnClose, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(ui_->CBHead, &QComboBox::currentIndexChanged, this, &TFormSearchFile::CBHeadChange);
    connect(ui_->CBMode, &QComboBox::currentIndexChanged, this, &TFormSearchFile::CBModeChange);
    connect(ui_->EdtWord, &QLineEdit::textChanged, this, &TFormSearchFile::EdtWordChange);
    connect(ui_->DateTimePicker1, &TDatePickButton::DatePicked, this,
            &TFormSearchFile::DateTimePicker1Change);
}

TFormSearchFile::~TFormSearchFile() = default;

FileList::Condition TFormSearchFile::Condition() const {
    return FileList::Conditions().at(static_cast<size_t>(ui_->CBHead->currentIndex())).first;
}

QString TFormSearchFile::Word() const {
    return ui_->EdtWord->text();
}

void TFormSearchFile::reject() {
    done(ResultCancel);
}

void TFormSearchFile::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->CBHead->setCurrentIndex(0);
    CBHeadChange();
    ui_->DateTimePicker1->SetDate(Clock::now().date());
    ui_->CBHead->setFocus();
}

void TFormSearchFile::CBHeadChange() {
    const FileList::Condition condition = Condition();
    const bool mode = condition == FileList::Condition::Mode;
    const bool date = condition == FileList::Condition::SavedDate;
    ui_->DateTimePicker1->setVisible(date);
    ui_->CBMode->setVisible(mode);
    ui_->EdtWord->setVisible(!mode);
    if (mode) {
        ui_->CBMode->setCurrentIndex(0);
        CBModeChange();
    } else {
        ui_->EdtWord->clear();
    }
    ui_->LblChange->setText(mode || date ? QStringLiteral("である") : QStringLiteral("を含む"));
    EdtWordChange();
}

void TFormSearchFile::CBModeChange() {
    ui_->EdtWord->setText(ui_->CBMode->currentText());
}

void TFormSearchFile::DateTimePicker1Change(QDate date) {
    ui_->EdtWord->setText(date.toString(QStringLiteral("yyyy/MM/dd")));
}

void TFormSearchFile::EdtWordChange() {
    ui_->BtnSearch->setEnabled(!ui_->EdtWord->text().isEmpty());
}
