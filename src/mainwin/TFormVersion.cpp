#include "TFormVersion.h"

#include <QCoreApplication>

#include "ui_TFormVersion.h"

TFormVersion::TFormVersion(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TFormVersion>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ui_->LblVersion->setText(
        QStringLiteral("バージョン %1").arg(QCoreApplication::applicationVersion()));
    ui_->PNGBtnClose->SetStandardButton(ui_->BtnClose);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

TFormVersion::~TFormVersion() = default;
