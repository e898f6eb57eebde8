#include "TFormConf.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "CharacterFilter.h"
#include "Messages.h"
#include "ModelError.h"
#include "SettingsFields.h"
#include "SettingsWindow.h"
#include "TColorSwatch.h"
#include "TPictureFrame.h"
#include "TPngButton.h"
#include "TThConfigInfo.h"
#include "WindowsColor.h"
#include "ui_TFormConf.h"

namespace {

using C = TThConfigInfo;

struct TextField {
    const char* control;
    QString C::*member;
    const char16_t* caption;  // names the field in a message
};

// The titles, messages and captions in the order of their tabs.
const TextField TextFields[] = {
    {"EdtEstTitle", &C::EST_TITLE, u"見積書（タイトル）"},
    {"EdtEstMsg", &C::EST_MSG, u"見積書（メッセージ）"},
    {"EdtUnitPriceEstTitle", &C::UNIT_PRICE_EST_TITLE, u"単価見積書（タイトル）"},
    {"EdtUnitPriceEstMsg", &C::UNIT_PRICE_EST_MSG, u"単価見積書（メッセージ）"},
    {"EdtDeliverTitle", &C::DELIVER_TITLE, u"納品書（タイトル）"},
    {"EdtDeliverMsg", &C::DELIVER_MSG, u"納品書（メッセージ）"},
    {"EdtClaimTitle", &C::CLAIM_TITLE, u"請求書（タイトル）"},
    {"EdtClaimMsg", &C::CLAIM_MSG, u"請求書（メッセージ）"},
    {"EdtClaimDetailTitle", &C::CLAIM_DETAIL_TITLE, u"請求明細書（タイトル）"},
    {"EdtClaimDetailMsg", &C::CLAIM_DETAIL_MSG, u"請求明細書（メッセージ）"},
    {"EdtTotalClaimTitle", &C::TOTAL_CLAIM_TITLE, u"合計請求書（タイトル）"},
    {"EdtTotalClaimMsg", &C::TOTAL_CLAIM_MSG, u"合計請求書（メッセージ）"},
    {"EdtReceiveTitle", &C::RECEIVE_TITLE, u"受領書（タイトル）"},
    {"EdtReceiveMsg", &C::RECEIVE_MSG, u"受領書（メッセージ）"},
    {"EdtReceiptTitle", &C::RECEIPT_TITLE, u"領収書（タイトル）"},
    {"EdtReceiptMsg", &C::RECEIPT_MSG, u"領収書（メッセージ）"},
    {"EdtReceiveDay", &C::RECEIVE_DAY, u"受渡期日"},
    {"EdtPlace", &C::PLACE, u"納入場所"},
    {"EdtCondition", &C::CONDITION, u"支払条件"},
    {"EdtLimit", &C::LIMIT, u"有効期限"},
    {"EdtItemName", &C::ITEM_NAME, u"品名"},
    {"EdtArt", &C::ART, u"数量"},
    {"EdtUnitName", &C::UNIT_NAME, u"単位"},
    {"EdtUnitPrice", &C::UNIT_PRICE, u"単価"},
    {"EdtPrice", &C::PRICE, u"金額"},
    {"EdtNote", &C::NOTE, u"備考"},
};

const struct {
    const char* control;
    bool C::*member;
} Switches[] = {
    {"CBPrintCusCode", &C::PRINTCUSCODE},
    {"CBNoTaxNoSub", &C::NOTAXNOSUB},
    {"CBExitAlert", &C::EXITALERT},
    {"CBOpenAlert", &C::OPENALERT},
    {"CBPrintDecimalPoint", &C::PRINTDECIMAL},
    {"CBPdfEmbedFonts", &C::PDF_EMBED_FONTS},
};

const struct {
    const char* swatch;
    int C::*member;
} LineColors[] = {
    {"ShapeLineColorOdd", &C::LINE_COLOR_ODD},
    {"ShapeLineColorEven", &C::LINE_COLOR_EVEN},
};

}  // namespace

TFormConf::TFormConf(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormConf>()) {
    ui_->setupUi(this);
    SettingsWindow::SetUp(this);
    ui_->EdtTax->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    CharacterFilter::Install(ui_->EdtTax, QStringLiteral("0123456789."));
    ui_->EdtReducedTax->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    CharacterFilter::Install(ui_->EdtReducedTax, QStringLiteral("0123456789."));
    // The reduced rate means something only for a qualified invoice; hidden otherwise, the
    // window stays as it always was.
    connect(ui_->CBQualifiedInvoice, &QCheckBox::toggled, this,
            [this](bool on) { ShowReducedTax(on); });

    using SettingsWindow::Wire;
    Wire(ui_->BtnOK, ui_->PNGBtnOK, [this] { BtnOKClick(); });
    Wire(ui_->BtnCancel, ui_->PNGBtnCancel, [this] { reject(); });
    Wire(ui_->BtnLineColorOdd, ui_->PNGBtnLineColorOdd,
         [this] { ChangeColor(ui_->ShapeLineColorOdd); });
    Wire(ui_->BtnLineColorEven, ui_->PNGBtnLineColorEven,
         [this] { ChangeColor(ui_->ShapeLineColorEven); });
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        const QString number = QString::number(i + 1);
        Wire(findChild<QPushButton*>(QStringLiteral("BtnPStampEntry") + number),
             findChild<TPngButton*>(QStringLiteral("PNGBtnPStampEntry") + number),
             [this, i] { RegisterStamp(i); });
        Wire(findChild<QPushButton*>(QStringLiteral("BtnPStampDelete") + number),
             findChild<TPngButton*>(QStringLiteral("PNGBtnPStampDelete") + number),
             [this, i] { DeleteStamp(i); });
    }
}

TFormConf::~TFormConf() = default;

void TFormConf::Bind(TThConfigInfo& config) {
    config_ = &config;
    FillControls();
    ui_->PGConfig->setCurrentWidget(ui_->TSBasic);
}

int TFormConf::Execute(TThConfigInfo& config) {
    Bind(config);
    return exec();
}

std::optional<QColor> TFormConf::AskColor(QWidget* parent, const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current, parent, QStringLiteral("色の設定"));
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

void TFormConf::reject() {
    done(ResultCancel);
}

void TFormConf::FillControls() {
    const TThConfigInfo& c = *config_;
    ui_->EdtTax->setText(c.TAX.toText());
    ui_->CBMonetary->setCurrentIndex(ui_->CBMonetary->findText(c.MONETARY));
    ui_->CBQualifiedInvoice->setChecked(c.QUALIFIED_INVOICE);
    ui_->EdtReducedTax->setText(c.REDUCED_TAX.toText());
    ShowReducedTax(c.QUALIFIED_INVOICE);
    for (const auto& s : Switches) {
        findChild<QCheckBox*>(QLatin1String(s.control))->setChecked(c.*s.member);
    }
    for (const auto& color : LineColors) {
        findChild<TColorSwatch*>(QLatin1String(color.swatch))
            ->SetColor(WindowsColor::ToColor(c.*color.member));
    }
    for (const TextField& text : TextFields) {
        findChild<QLineEdit*>(QLatin1String(text.control))->setText(c.*text.member);
    }
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        ShowStamp(i, c.Stamp(i));
    }
}

bool TFormConf::CheckControls() {
    try {
        SettingsFields::ParseTaxRate(ui_->EdtTax->text());
    } catch (const EModelError& error) {
        SettingsFields::Refuse(this, ui_->EdtTax, QStringLiteral("消費税率"), error.message());
        return false;
    }
    try {
        SettingsFields::ParseTaxRate(ui_->EdtReducedTax->text());
    } catch (const EModelError& error) {
        ui_->CBQualifiedInvoice->setChecked(true);
        SettingsFields::Refuse(this, ui_->EdtReducedTax, QStringLiteral("軽減税率"),
                               error.message());
        return false;
    }
    if (ui_->CBMonetary->currentIndex() < 0) {
        SettingsFields::Refuse(this, ui_->CBMonetary, QStringLiteral("通貨記号"),
                               QStringLiteral("「￥」か「＄」を選んでください。"));
        return false;
    }
    for (const TextField& text : TextFields) {
        auto* field = findChild<QLineEdit*>(QLatin1String(text.control));
        try {
            SettingsFields::CheckText(field->text());
        } catch (const EModelError& error) {
            SettingsFields::Refuse(this, field, QString::fromUtf16(text.caption), error.message());
            return false;
        }
    }
    return true;
}

void TFormConf::StoreControls() {
    TThConfigInfo& c = *config_;
    c.TAX = SettingsFields::ParseTaxRate(ui_->EdtTax->text());
    c.MONETARY = ui_->CBMonetary->currentText();
    c.QUALIFIED_INVOICE = ui_->CBQualifiedInvoice->isChecked();
    c.REDUCED_TAX = SettingsFields::ParseTaxRate(ui_->EdtReducedTax->text());
    for (const auto& s : Switches) {
        c.*s.member = findChild<QCheckBox*>(QLatin1String(s.control))->isChecked();
    }
    for (const auto& color : LineColors) {
        c.*color.member =
            WindowsColor::FromColor(findChild<TColorSwatch*>(QLatin1String(color.swatch))->Color());
    }
    for (const TextField& text : TextFields) {
        c.*text.member = findChild<QLineEdit*>(QLatin1String(text.control))->text();
    }
    for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
        c.Stamp(i) = findChild<TPictureFrame*>(QStringLiteral("ImgPStamp%1").arg(i + 1))->Picture();
    }
}

void TFormConf::BtnOKClick() {
    if (CheckControls()) {
        StoreControls();
        done(ResultOK);
    }
}

void TFormConf::ChangeColor(TColorSwatch* swatch) {
    if (const std::optional<QColor> chosen = colorDialog_(this, swatch->Color())) {
        swatch->SetColor(*chosen);
    }
}

void TFormConf::RegisterStamp(int index) {
    const QString path = pictureDialog_(this, PictureChoice::StartFolder());
    if (path.isEmpty()) {
        return;
    }
    try {
        ShowStamp(index, PictureChoice::Decode(path));
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void TFormConf::DeleteStamp(int index) {
    if (Messages::Question(this,
                           QStringLiteral("捺印%1を削除します、よろしいですか？").arg(index + 1))) {
        ShowStamp(index, QImage());
    }
}

void TFormConf::ShowStamp(int index, const QImage& picture) {
    const QString number = QString::number(index + 1);
    findChild<TPictureFrame*>(QStringLiteral("ImgPStamp") + number)->SetPicture(picture);
    findChild<QPushButton*>(QStringLiteral("BtnPStampDelete") + number)
        ->setEnabled(!picture.isNull());
}

void TFormConf::ShowReducedTax(bool on) {
    ui_->LblReducedTax->setVisible(on);
    ui_->EdtReducedTax->setVisible(on);
    ui_->LblReducedTaxPercent->setVisible(on);
}
