#include "TItemRow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "TSsEdit.h"
#include "TThEstimateObject.h"

namespace {

// The fields of a marked row; the check box is never coloured.
const QColor MarkedColor(255, 196, 96);

template <class Control>
Control* makeControl(QWidget* box, const char* name, int index, int left, int top, int width,
                     int height) {
    auto* control = new Control(box);
    control->setObjectName(QLatin1String(name) + QString::number(index));
    control->setProperty(TItemRow::TagProperty, index);
    control->setGeometry(left, top, width, height);
    return control;
}

QLineEdit* textField(QWidget* box, const char* name, int index, int left, int width) {
    auto* field =
        makeControl<QLineEdit>(box, name, index, left, index * TItemRow::Height + 4, width, 23);
    // Qt cannot ask the input method for hiragana; texts keep the system's choice.
    field->setInputMethodHints(Qt::ImhNone);
    return field;
}

TSsEdit* numberField(QWidget* box, const char* name, int index, int left, int width) {
    auto* field =
        makeControl<TSsEdit>(box, name, index, left, index * TItemRow::Height + 4, width, 23);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    return field;
}

template <class Control>
void setTextIfChanged(Control* control, const QString& text) {
    if (control->text() != text) {
        control->setText(text);
    }
}

constexpr int EtcWidth = 166;
// The remark gives up the room the reduced mark takes, before the 非課税 box at 818.
constexpr int EtcWidthBesideReduced = 140;
constexpr int ReducedLeft = 790;

}  // namespace

TItemRow TItemRow::Create(QWidget* box, int index) {
    TItemRow row;
    row.Index = index;
    const int top = index * Height;
    row.LblItemNo = makeControl<QLabel>(box, "LblItemNo_", index, 17, top + 8, 30, 15);
    row.LblItemNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.LblItemNo->setText(QString::number(index + 1));
    row.EditItemName = textField(box, "EditItemName_", index, 55, 208);
    row.MemoItemNum = numberField(box, "MemoItemNum_", index, 265, 78);
    row.MemoItemUnit = textField(box, "MemoItemUnit_", index, 345, 78);
    row.MemoItemUnitPrice = numberField(box, "MemoItemUnitPrice_", index, 425, 78);
    row.MemoItemTotalPrice = numberField(box, "MemoItemTotalPrice_", index, 505, 128);
    row.EditItemEtc = textField(box, "EditItemEtc_", index, 635, EtcWidth);
    row.CBItemNoTax = makeControl<QCheckBox>(box, "CBItemNoTax_", index, 818, top + 7, 15, 17);
    row.CBItemReduced =
        makeControl<QCheckBox>(box, "CBItemReduced_", index, ReducedLeft, top + 7, 15, 17);
    row.CBItemReduced->setToolTip(QStringLiteral("軽減税率の対象"));
    row.ShowReducedMark(false);
    for (QWidget* control : row.Inputs()) {
        control->show();
    }
    row.LblItemNo->show();
    return row;
}

void TItemRow::ShowReducedMark(bool on) {
    CBItemReduced->setVisible(on);
    CBItemReduced->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    const int width = on ? EtcWidthBesideReduced : EtcWidth;
    if (EditItemEtc->width() != width) {
        EditItemEtc->resize(width, EditItemEtc->height());
    }
}

void TItemRow::Destroy() {
    delete LblItemNo;
    delete CBItemReduced;
    for (QWidget* control : Inputs()) {
        delete control;
    }
    *this = TItemRow();
}

std::array<QWidget*, 7> TItemRow::Inputs() const {
    return {EditItemName,       MemoItemNum, MemoItemUnit, MemoItemUnitPrice,
            MemoItemTotalPrice, EditItemEtc, CBItemNoTax};
}

std::array<QLineEdit*, 6> TItemRow::Fields() const {
    return {EditItemName,      MemoItemNum,        MemoItemUnit,
            MemoItemUnitPrice, MemoItemTotalPrice, EditItemEtc};
}

std::array<TSsEdit*, 3> TItemRow::Figures() const {
    return {MemoItemNum, MemoItemUnitPrice, MemoItemTotalPrice};
}

void TItemRow::SetMarked(bool marked) {
    QFont font = LblItemNo->font();
    if (font.bold() != marked) {
        font.setBold(marked);
        LblItemNo->setFont(font);
    }
    const QColor color = marked ? MarkedColor : QColor(Qt::white);
    for (QLineEdit* field : Fields()) {
        QPalette palette = field->palette();
        if (palette.color(QPalette::Base) != color) {
            palette.setColor(QPalette::Base, color);
            field->setPalette(palette);
        }
    }
}

void TItemRow::Show(const TThEstimateObject& line, const std::array<QString, 3>& figures,
                    bool totalClaim) {
    // In a total invoice only the remark can be typed; a subtotal row has only its name.
    const bool figuresEnabled = !totalClaim && !line.SubTotalRow;
    EditItemName->setEnabled(!totalClaim);
    for (QWidget* control :
         {static_cast<QWidget*>(MemoItemNum), static_cast<QWidget*>(MemoItemUnit),
          static_cast<QWidget*>(MemoItemUnitPrice), static_cast<QWidget*>(MemoItemTotalPrice),
          static_cast<QWidget*>(CBItemNoTax)}) {
        control->setEnabled(figuresEnabled);
    }
    setTextIfChanged(EditItemName, line.ItemName);
    setTextIfChanged(MemoItemNum, figures[0]);
    setTextIfChanged(MemoItemUnit, line.UnitName);
    setTextIfChanged(MemoItemUnitPrice, figures[1]);
    setTextIfChanged(MemoItemTotalPrice, figures[2]);
    setTextIfChanged(EditItemEtc, line.Etc);
    if (CBItemNoTax->isChecked() != line.NoTax) {
        CBItemNoTax->setChecked(line.NoTax);
    }
    CBItemReduced->setEnabled(figuresEnabled);
    if (CBItemReduced->isChecked() != line.Reduced) {
        CBItemReduced->setChecked(line.Reduced);
    }
}
