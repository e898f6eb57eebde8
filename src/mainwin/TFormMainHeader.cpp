// The customer tab: the header of the open document, mirrored into it on every change.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "AppWindows.h"
#include "Cp932.h"
#include "EnterKeyFocus.h"
#include "JapaneseEra.h"
#include "Messages.h"
#include "ModelError.h"
#include "PostalLookup.h"
#include "TDatePickButton.h"
#include "TFormCustomer.h"
#include "TFormMain.h"
#include "THistoryComboBox.h"
#include "TPngButton.h"
#include "ui_TFormMain.h"

namespace {

// A one-line header field, the caption its messages use and the text it shows.
struct HeaderText {
    const char* Control;
    const char16_t* Caption;
    QString& (*Field)(TThEstimateObjectList& document);
    bool Latin;  // codes and numbers ask the input method for Latin input
};

// In tab order. The honorific and the three history boxes are drop-downs, the rest fields.
const HeaderText HeaderTexts[] = {
    {"MMYear", u"年", [](TThEstimateObjectList& d) -> QString& { return d.Year; }, true},
    {"MMMonth", u"月", [](TThEstimateObjectList& d) -> QString& { return d.Month; }, true},
    {"MMDay", u"日", [](TThEstimateObjectList& d) -> QString& { return d.Day; }, true},
    {"MMCusCode", u"お客様コード",
     [](TThEstimateObjectList& d) -> QString& { return d.Customer.CusCode; }, true},
    {"MMSlipCode", u"伝票番号", [](TThEstimateObjectList& d) -> QString& { return d.SlipCode; },
     true},
    {"EdtZip", u"郵便番号", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Zip; },
     true},
    {"EdtAdd1", u"住所１", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Add1; },
     false},
    {"EdtAdd2", u"住所２", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Add2; },
     false},
    {"EdtName1", u"会社名１", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Name1; },
     false},
    {"EdtName2", u"会社名２", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Name2; },
     false},
    {"EdtName3", u"会社名３", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Name3; },
     false},
    {"CBNameTitle", u"敬称",
     [](TThEstimateObjectList& d) -> QString& { return d.Customer.NameTitle; }, false},
    {"EdtTel", u"TEL", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Tel; }, true},
    {"EdtFax", u"FAX", [](TThEstimateObjectList& d) -> QString& { return d.Customer.Fax; }, true},
    {"EdtDelivery", u"受渡期日", [](TThEstimateObjectList& d) -> QString& { return d.Delivery; },
     false},
    {"CBPlace", u"納入場所", [](TThEstimateObjectList& d) -> QString& { return d.Place; }, false},
    {"CBCondition", u"支払条件", [](TThEstimateObjectList& d) -> QString& { return d.Condition; },
     false},
    {"CBLimit", u"有効期限", [](TThEstimateObjectList& d) -> QString& { return d.Limit; }, false},
    {"MMEtc", u"備考", [](TThEstimateObjectList& d) -> QString& { return d.Etc; }, false},
    {"EdtMemo", u"メモ", [](TThEstimateObjectList& d) -> QString& { return d.Memo; }, false},
};

struct HeaderSwitch {
    const char* Control;
    bool& (*Field)(TThEstimateObjectList& document);
};

const HeaderSwitch HeaderSwitches[] = {
    {"ChBDelivery", [](TThEstimateObjectList& d) -> bool& { return d.PrintDelivery; }},
    {"ChBPlace", [](TThEstimateObjectList& d) -> bool& { return d.PrintPlace; }},
    {"ChBCondition", [](TThEstimateObjectList& d) -> bool& { return d.PrintCondition; }},
    {"ChBLimit", [](TThEstimateObjectList& d) -> bool& { return d.PrintLimit; }},
};

// The remarks keep CR LF between their lines, as the file and the slips expect.
QString remarksFromWindow(const QString& text) {
    return QString(text).replace(u'\n', QStringLiteral("\r\n"));
}
QString remarksToWindow(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString controlText(QWidget* control) {
    if (auto* field = qobject_cast<QLineEdit*>(control)) {
        return field->text();
    }
    if (auto* box = qobject_cast<QComboBox*>(control)) {
        return box->currentText();
    }
    return remarksFromWindow(static_cast<QPlainTextEdit*>(control)->toPlainText());
}

void setControlText(QWidget* control, const QString& text) {
    if (auto* field = qobject_cast<QLineEdit*>(control)) {
        field->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(control)) {
        box->setEditText(text);
    } else {
        static_cast<QPlainTextEdit*>(control)->setPlainText(remarksToWindow(text));
    }
}

// Leaving for a pop-up or another window is not leaving the field.
bool leavesField(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason &&
           event->reason() != Qt::ActiveWindowFocusReason;
}

}  // namespace

void TFormMain::SetUpHeader() {
    QFont labelFont(QStringLiteral("ＭＳ Ｐゴシック"));
    labelFont.setPixelSize(15);
    QFont fieldFont(QStringLiteral("ＭＳ Ｐゴシック"));
    fieldFont.setPixelSize(13);
    for (QLabel* label : ui_->TabCustomerInfo->findChildren<QLabel*>()) {
        label->setFont(label == ui_->LblEtcHint ? fieldFont : labelFont);
    }
    // Found once: every keystroke in the header stores all of them.
    for (const HeaderText& text : HeaderTexts) {
        headerFields_.push_back(
            ui_->TabCustomerInfo->findChild<QWidget*>(QLatin1String(text.Control)));
    }
    for (const HeaderSwitch& sw : HeaderSwitches) {
        headerSwitches_.push_back(
            ui_->TabCustomerInfo->findChild<QCheckBox*>(QLatin1String(sw.Control)));
    }
    for (size_t i = 0; i < headerFields_.size(); ++i) {
        const HeaderText& text = HeaderTexts[i];
        QWidget* control = headerFields_[i];
        control->setFont(fieldFont);
        // Qt cannot ask the input method for hiragana, so names and addresses keep the
        // system's choice; codes and numbers ask for Latin input.
        control->setInputMethodHints(text.Latin ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText
                                                : Qt::ImhNone);
        if (control != ui_->MMEtc) {
            EnterKeyFocus::Install(control);
        }
        // Installed last, so it sees Enter before the focus moves on.
        control->installEventFilter(this);
    }
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->ChBDelivery), static_cast<QWidget*>(ui_->ChBPlace),
          static_cast<QWidget*>(ui_->ChBCondition), static_cast<QWidget*>(ui_->ChBLimit),
          static_cast<QWidget*>(ui_->BtnDelHistoryPlace), static_cast<QWidget*>(ui_->Button1),
          static_cast<QWidget*>(ui_->Button2)}) {
        EnterKeyFocus::Install(control);
    }
    // Tab leaves the remarks like every other field; Enter makes a new line there.
    ui_->MMEtc->setTabChangesFocus(true);

    connect(ui_->DateTimePicker1, &TDatePickButton::DatePicked, this,
            &TFormMain::DateTimePicker1Change);
    for (QPushButton* button : {ui_->BtnDelHistoryPlace, ui_->Button1, ui_->Button2}) {
        connect(button, &QPushButton::clicked, this,
                [this, button] { BtnDelHistoryClick(button->property("tag").toInt()); });
    }
    for (TPngButton* button : {ui_->PNGBtnCustomer, ui_->PNGBtnZip, ui_->PNGBtnAdd1}) {
        button->setEnabled(true);
    }
    connect(ui_->PNGBtnCustomer, &TPngButton::clicked, this, &TFormMain::BtnCustomerClick);
    connect(ui_->PNGBtnZip, &TPngButton::clicked, this, &TFormMain::BtnZipClick);
    connect(ui_->PNGBtnAdd1, &TPngButton::clicked, this, &TFormMain::BtnAdd1Click);
}

void TFormMain::StoreHeader() {
    for (size_t i = 0; i < headerFields_.size(); ++i) {
        HeaderTexts[i].Field(FEstimate) = controlText(headerFields_[i]);
    }
    for (size_t i = 0; i < headerSwitches_.size(); ++i) {
        HeaderSwitches[i].Field(FEstimate) = headerSwitches_[i]->isChecked();
    }
}

void TFormMain::LoadHeader() {
    for (size_t i = 0; i < headerFields_.size(); ++i) {
        setControlText(headerFields_[i], HeaderTexts[i].Field(FEstimate));
    }
    for (size_t i = 0; i < headerSwitches_.size(); ++i) {
        headerSwitches_[i]->setChecked(HeaderSwitches[i].Field(FEstimate));
    }
}

void TFormMain::SetHeaderNotify(bool attach) {
    for (const QMetaObject::Connection& connection : headerNotify_) {
        disconnect(connection);
    }
    headerNotify_.clear();
    if (!attach) {
        return;
    }
    for (QWidget* control : headerFields_) {
        if (auto* field = qobject_cast<QLineEdit*>(control)) {
            headerNotify_.push_back(
                connect(field, &QLineEdit::textChanged, this, &TFormMain::ContentsChange));
        } else if (auto* box = qobject_cast<QComboBox*>(control)) {
            headerNotify_.push_back(
                connect(box, &QComboBox::currentTextChanged, this, &TFormMain::ContentsChange));
        } else {
            headerNotify_.push_back(connect(ui_->MMEtc, &QPlainTextEdit::textChanged, this,
                                            &TFormMain::ContentsChange));
        }
    }
    for (QCheckBox* box : headerSwitches_) {
        headerNotify_.push_back(
            connect(box, &QCheckBox::toggled, this, &TFormMain::ContentsChange));
    }
    for (QComboBox* option : {ui_->CBCalcUnit, ui_->CBUnderOne, ui_->CBSubTotalUnderOne}) {
        headerNotify_.push_back(
            connect(option, &QComboBox::currentIndexChanged, this, &TFormMain::ConfigChange));
    }
    headerNotify_.push_back(
        connect(ui_->CBTaxIn, &QCheckBox::toggled, this, &TFormMain::ConfigChange));
}

void TFormMain::ContentsChange() {
    StoreHeader();
}

bool TFormMain::HeaderEvent(QObject* watched, QEvent* event) {
    const auto found = std::find(headerFields_.begin(), headerFields_.end(), watched);
    if (found == headerFields_.end()) {
        return false;
    }
    const HeaderText* text = &HeaderTexts[found - headerFields_.begin()];
    auto* box = qobject_cast<THistoryComboBox*>(watched);
    if (event->type() == QEvent::KeyPress && box) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CBPlaceExit(box);
        }
    } else if (event->type() == QEvent::FocusOut && leavesField(static_cast<QFocusEvent*>(event))) {
        if (box) {
            CBPlaceExit(box);
        }
        auto* widget = static_cast<QWidget*>(watched);
        WarnUnsavable(widget, QString::fromUtf16(text->Caption), controlText(widget));
    }
    return false;
}

void TFormMain::DateTimePicker1Change(const QDate& date) {
    ui_->EdtDelivery->setText(JapaneseEra::LongDate(date));
}

void TFormMain::CBPlaceExit(QObject* box) {
    static_cast<THistoryComboBox*>(box)->AddHistory();
}

void TFormMain::BtnDelHistoryClick(int tag) {
    const std::pair<const char16_t*, THistoryComboBox*> lines[] = {
        {u"納入場所", ui_->CBPlace}, {u"支払条件", ui_->CBCondition}, {u"有効期限", ui_->CBLimit}};
    if (tag < 1 || tag > 3) {
        return;
    }
    const auto& [caption, box] = lines[tag - 1];
    const QString name = QString::fromUtf16(caption);
    if (!Messages::Question(this, name + QStringLiteral("の履歴を削除してよろしいですか？"))) {
        return;
    }
    box->ClearHistory();
    Messages::Information(this, name + QStringLiteral("の履歴を削除しました。"));
}

void TFormMain::BtnCustomerClick() {
    TFormCustomer* window = AppWindows::FormCustomer;
    window->Bind(FCustomerList, folders_.CustomerPath(), FEstimate.Customer);
    if (window->exec() != TFormCustomer::ResultOK || !window->ChosenCustomer()) {
        return;
    }
    // Every filled field stores the header; the honorific stays as chosen here.
    const TThCustomerObject& chosen = *window->ChosenCustomer();
    ui_->MMCusCode->setText(chosen.CusCode);
    ui_->EdtName1->setText(chosen.Name1);
    ui_->EdtName2->setText(chosen.Name2);
    ui_->EdtName3->setText(chosen.Name3);
    ui_->EdtZip->setText(chosen.Zip);
    ui_->EdtAdd1->setText(chosen.Add1);
    ui_->EdtAdd2->setText(chosen.Add2);
    ui_->EdtTel->setText(chosen.Tel);
    ui_->EdtFax->setText(chosen.Fax);
}

void TFormMain::BtnZipClick() {
    PostalLookup::ByCode(this, ui_->EdtZip, ui_->EdtAdd1);
}

void TFormMain::BtnAdd1Click() {
    PostalLookup::ByAddress(this, ui_->EdtZip, ui_->EdtAdd1);
}

void TFormMain::WarnUnsavable(QWidget* field, const QString& caption, const QString& text) {
    try {
        Cp932::encode(text);
    } catch (const ECp932Error& error) {
        Messages::Error(field, caption + QStringLiteral("：") + error.message());
    }
}
