#include "TFormSenderConf.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "CharacterFilter.h"
#include "IniFile.h"
#include "Messages.h"
#include "ModelError.h"
#include "RegistrationNo.h"
#include "SettingsFields.h"
#include "SettingsWindow.h"
#include "TPictureFrame.h"
#include "TPngButton.h"
#include "TThCampanyInfo.h"
#include "TThCampanyInfoManager.h"
#include "ui_TFormSenderConf.h"

namespace {

using P = TThCampanyInfo;
using Account = TThPayBankAccount;

const struct {
    const char* control;
    QString P::*member;
    const char16_t* caption;  // names the field in a message
} ProfileTexts[] = {
    {"EdtZip", &P::ZipNo, u"郵便番号"},
    {"EdtAdd1", &P::Address1, u"住所１"},
    {"EdtAdd2", &P::Address2, u"住所２"},
    {"EdtCompany1", &P::CampanyName1, u"会社名１"},
    {"EdtCompany2", &P::CampanyName2, u"会社名２"},
    {"EdtCompany3", &P::CampanyName3, u"会社名３"},
    {"EdtName", &P::ChargeName, u"担当者名"},
    {"EdtTel", &P::TelFax, u"TEL/FAX"},
};

// Each account's fields are these names followed by the account number 1 or 2.
const struct {
    const char* control;
    QString Account::*member;
    const char16_t* caption;
} AccountTexts[] = {
    {"EdtBank", &Account::BankName, u"銀行/支店名"},
    {"EdtAccount", &Account::BankNo, u"口座番号"},
    {"EdtAccName", &Account::OwnerName, u"口座名義人"},
};

// The twenty fields in the order of the profile's geometry: all A4 values, then all B5.
const struct {
    const char* control;
    double P::*member;
    const char16_t* caption;
    bool isSize;
} GeometryFields[] = {
    {"EdtPSizeWidA4", &P::CampanyStampWidth_A4, u"A4用紙の印刷サイズ 横(mm)", true},
    {"EdtPSizeHigA4", &P::CampanyStampHeight_A4, u"A4用紙の印刷サイズ 縦(mm)", true},
    {"EdtPPosDetailLeftA4", &P::CampanyStampDetailPosX_A4, u"A4用紙の各種明細 左(mm)", false},
    {"EdtPPosDetailTopA4", &P::CampanyStampDetailPosY_A4, u"A4用紙の各種明細 上(mm)", false},
    {"EdtPPosClaimLeftA4", &P::CampanyStampTotalClaimPosX_A4, u"A4用紙の合計請求 左(mm)", false},
    {"EdtPPosClaimTopA4", &P::CampanyStampTotalClaimPosY_A4, u"A4用紙の合計請求 上(mm)", false},
    {"EdtPPosReceiptLeftA4", &P::CampanyStampPosReceiptPosX_A4, u"A4用紙の領収書 左(mm)", false},
    {"EdtPPosReceiptTopA4", &P::CampanyStampPosReceiptPosY_A4, u"A4用紙の領収書 上(mm)", false},
    {"EdtPPosFaxSenderLeftA4", &P::CampanyStampPosFaxSenderPosX_A4, u"A4用紙の送信状 左(mm)",
     false},
    {"EdtPPosFaxSenderTopA4", &P::CampanyStampPosFaxSenderPosY_A4, u"A4用紙の送信状 上(mm)", false},
    {"EdtPSizeWidB5", &P::CampanyStampWidth_B5, u"B5用紙の印刷サイズ 横(mm)", true},
    {"EdtPSizeHigB5", &P::CampanyStampHeight_B5, u"B5用紙の印刷サイズ 縦(mm)", true},
    {"EdtPPosDetailLeftB5", &P::CampanyStampDetailPosX_B5, u"B5用紙の各種明細 左(mm)", false},
    {"EdtPPosDetailTopB5", &P::CampanyStampDetailPosY_B5, u"B5用紙の各種明細 上(mm)", false},
    {"EdtPPosClaimLeftB5", &P::CampanyStampTotalClaimPosX_B5, u"B5用紙の合計請求 左(mm)", false},
    {"EdtPPosClaimTopB5", &P::CampanyStampTotalClaimPosY_B5, u"B5用紙の合計請求 上(mm)", false},
    {"EdtPPosReceiptLeftB5", &P::CampanyStampPosReceiptPosX_B5, u"B5用紙の領収書 左(mm)", false},
    {"EdtPPosReceiptTopB5", &P::CampanyStampPosReceiptPosY_B5, u"B5用紙の領収書 上(mm)", false},
    {"EdtPPosFaxSenderLeftB5", &P::CampanyStampPosFaxSenderPosX_B5, u"B5用紙の送信状 左(mm)",
     false},
    {"EdtPPosFaxSenderTopB5", &P::CampanyStampPosFaxSenderPosY_B5, u"B5用紙の送信状 上(mm)", false},
};

// Calls visit(field, text of the profile, caption) for every text field, in tab order.
template <class Visit>
void ForEachText(const QWidget& window, TThCampanyInfo& profile, Visit visit) {
    for (const auto& text : ProfileTexts) {
        visit(window.findChild<QLineEdit*>(QLatin1String(text.control)), profile.*text.member,
              QString::fromUtf16(text.caption));
    }
    for (int j = 0; j < TThCampanyInfo::BankAccountCount; ++j) {
        const QString number = QString::number(j + 1);
        for (const auto& text : AccountTexts) {
            visit(window.findChild<QLineEdit*>(QLatin1String(text.control) + number),
                  profile.BankAccount(j).*text.member,
                  QStringLiteral("振込先情報%1の").arg(QChar(u'１' + j)) +
                      QString::fromUtf16(text.caption));
        }
    }
}

}  // namespace

TFormSenderConf::TFormSenderConf(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormSenderConf>()) {
    ui_->setupUi(this);
    SettingsWindow::SetUp(this);
    for (const auto& g : GeometryFields) {
        QLineEdit* field = findChild<QLineEdit*>(QLatin1String(g.control));
        field->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
        CharacterFilter::Install(field, QStringLiteral("0123456789-."));
    }
    ui_->EdtZip->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    ui_->EdtRegistrationNo->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    SetQualifiedInvoice(false);

    auto* profiles = new QButtonGroup(this);
    for (QRadioButton* button :
         {ui_->RBCustomerInfo1, ui_->RBCustomerInfo2, ui_->RBCustomerInfo3}) {
        profiles->addButton(button, profiles->buttons().size() + 1);
    }
    ui_->RBCustomerInfo1->setChecked(true);
    connect(profiles, &QButtonGroup::idClicked, this, &TFormSenderConf::RBCustomerInfoClick);
    connect(ui_->CBStampUse, &QCheckBox::toggled, this, &TFormSenderConf::CBStampUseClick);

    using SettingsWindow::Wire;
    Wire(ui_->BtnOK, ui_->PNGBtnOK, [this] { BtnOKClick(); });
    Wire(ui_->BtnCancel, ui_->PNGBtnCancel, [this] { reject(); });
    Wire(ui_->BtnLogoSelect, ui_->PNGBtnLogoSelect, [this] { ChoosePicture(true); });
    Wire(ui_->BtnLogoDelete, ui_->PNGBtnLogoDelete, [this] { DeletePicture(true); });
    Wire(ui_->BtnStampSelect, ui_->PNGBtnStampSelect, [this] { ChoosePicture(false); });
    Wire(ui_->BtnStampDelete, ui_->PNGBtnStampDelete, [this] { DeletePicture(false); });
}

TFormSenderConf::~TFormSenderConf() = default;

void TFormSenderConf::Bind(TThCampanyInfoManager& manager) {
    manager_ = &manager;
    FillControls();
}

int TFormSenderConf::Execute(TThCampanyInfoManager& manager) {
    Bind(manager);
    return exec();
}

void TFormSenderConf::reject() {
    done(ResultCancel);
}

TThCampanyInfo& TFormSenderConf::Profile() const {
    return manager_->Items(profile_ - 1);
}

void TFormSenderConf::FillControls() {
    TThCampanyInfo& profile = Profile();
    ForEachText(*this, profile, [](QLineEdit* field, const QString& text, const QString&) {
        field->setText(text);
    });
    ui_->EdtRegistrationNo->setText(profile.RegistrationNo);
    ui_->CBLogoUse->setChecked(profile.UseLogoImage);
    ui_->CBStampUse->setChecked(profile.UseCampanyStamp);
    for (const auto& g : GeometryFields) {
        findChild<QLineEdit*>(QLatin1String(g.control))
            ->setText(IniFile::FloatText(profile.*g.member));
    }
    CBStampUseClick();
    ShowPicture(true, profile.LogoImage);
    ShowPicture(false, profile.StampImage);
    ui_->PCCustomerInfo->setCurrentWidget(ui_->TabSheetBasicInfo);
}

bool TFormSenderConf::CheckControls() {
    bool valid = true;
    ForEachText(*this, Profile(), [&](QLineEdit* field, const QString&, const QString& caption) {
        if (!valid) {
            return;
        }
        try {
            SettingsFields::CheckText(field->text());
        } catch (const EModelError& error) {
            SettingsFields::Refuse(this, field, caption, error.message());
            valid = false;
        }
    });
    if (!valid || !CheckRegistrationNo()) {
        return false;
    }
    for (const auto& g : GeometryFields) {
        QLineEdit* field = findChild<QLineEdit*>(QLatin1String(g.control));
        try {
            SettingsFields::ParseMillimetres(field->text(), g.isSize);
        } catch (const EModelError& error) {
            // A field disabled by 会社印を印刷する is stored too, so it is opened for correction.
            SettingsFields::Refuse(this, field, QString::fromUtf16(g.caption), error.message());
            return false;
        }
    }
    return true;
}

void TFormSenderConf::StoreControls() {
    TThCampanyInfo& profile = Profile();
    ForEachText(*this, profile,
                [](QLineEdit* field, QString& text, const QString&) { text = field->text(); });
    if (!ui_->EdtRegistrationNo->isHidden()) {
        profile.RegistrationNo = RegistrationNo::Normalize(ui_->EdtRegistrationNo->text());
    }
    profile.UseLogoImage = ui_->CBLogoUse->isChecked();
    profile.UseCampanyStamp = ui_->CBStampUse->isChecked();
    for (const auto& g : GeometryFields) {
        profile.*g.member = SettingsFields::ParseMillimetres(
            findChild<QLineEdit*>(QLatin1String(g.control))->text(), g.isSize);
    }
    profile.LogoImage = ui_->ImgLogo->Picture();
    profile.StampImage = ui_->ImgStamp->Picture();
}

void TFormSenderConf::SetQualifiedInvoice(bool on) {
    ui_->LblRegistrationNo->setHidden(!on);
    ui_->EdtRegistrationNo->setHidden(!on);
}

bool TFormSenderConf::CheckRegistrationNo() {
    QLineEdit* field = ui_->EdtRegistrationNo;
    if (field->isHidden()) {
        return true;
    }
    const QString number = RegistrationNo::Normalize(field->text());
    const RegistrationNo::Check check = RegistrationNo::Verify(number);
    if (check.status == RegistrationNo::Status::Malformed) {
        SettingsFields::Refuse(this, field, QStringLiteral("登録番号"),
                               QStringLiteral("「T」に続けて13桁の数字を入力してください。"));
        return false;
    }
    // Said once, when the number is new: it is stored as typed all the same, since not every
    // registered sole proprietor's number is checked this way.
    if (check.status == RegistrationNo::Status::WrongCheckDigit &&
        number != Profile().RegistrationNo) {
        Messages::Information(
            this, QStringLiteral("登録番号「%1」の先頭の数字（チェックデジット）は %2 のはずです。"
                                 "番号をお確かめください。このまま保存します。")
                      .arg(number)
                      .arg(check.expectedDigit));
    }
    return true;
}

void TFormSenderConf::RBCustomerInfoClick(int number) {
    if (number == profile_) {
        return;
    }
    if (!CheckControls()) {
        findChild<QRadioButton*>(QStringLiteral("RBCustomerInfo%1").arg(profile_))
            ->setChecked(true);
        return;
    }
    StoreControls();
    profile_ = number;
    FillControls();
}

void TFormSenderConf::CBStampUseClick() {
    for (const auto& g : GeometryFields) {
        findChild<QLineEdit*>(QLatin1String(g.control))->setEnabled(ui_->CBStampUse->isChecked());
    }
}

void TFormSenderConf::BtnOKClick() {
    if (CheckControls()) {
        StoreControls();
        done(ResultOK);
    }
}

void TFormSenderConf::ChoosePicture(bool logo) {
    const QString path = pictureDialog_(this, PictureChoice::StartFolder());
    if (path.isEmpty()) {
        return;
    }
    try {
        ShowPicture(logo, PictureChoice::Decode(path));
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void TFormSenderConf::DeletePicture(bool logo) {
    const QString question = logo ? QStringLiteral("社判を削除します、よろしいですか？")
                                  : QStringLiteral("会社印を削除します、よろしいですか？");
    if (Messages::Question(this, question)) {
        (logo ? ui_->CBLogoUse : ui_->CBStampUse)->setChecked(false);
        ShowPicture(logo, QImage());
    }
}

void TFormSenderConf::ShowPicture(bool logo, const QImage& picture) {
    (logo ? ui_->ImgLogo : ui_->ImgStamp)->SetPicture(picture);
    (logo ? ui_->CBLogoUse : ui_->CBStampUse)->setEnabled(!picture.isNull());
    (logo ? ui_->BtnLogoDelete : ui_->BtnStampDelete)->setEnabled(!picture.isNull());
}
