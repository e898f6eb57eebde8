#include "TFormItemList.h"

#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>

#include "AmountText.h"
#include "Messages.h"
#include "TFormItemAdd.h"
#include "TFormItemEdit.h"
#include "TFormUnitAdd.h"
#include "TFormUnitEdit.h"
#include "TPngButton.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"
#include "ui_TFormItemList.h"

namespace {

const QString DeleteQuestion = QStringLiteral("　を削除します、よろしいですか？");

}  // namespace

TFormItemList::TFormItemList(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormItemList>()) {
    ui_->setupUi(this);
    setFixedSize(size());

    QTableWidget* view = ui_->LVItemList;
    view->setColumnCount(3);
    view->setHorizontalHeaderLabels(
        {QStringLiteral("品名"), QStringLiteral("単位"), QStringLiteral("単価")});
    const int widths[] = {200, 70, 80};
    for (int i = 0; i < 3; ++i) {
        view->setColumnWidth(i, widths[i]);
    }
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    // Units such as ㎡ are taller than the list's default line.
    ui_->LBItemUnit->setSpacing(2);
    // The selected rows stay visible while a button has the focus.
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(view),
                                    static_cast<QAbstractItemView*>(ui_->LBItemUnit)}) {
        QPalette palette = list->palette();
        for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
            palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
        }
        list->setPalette(palette);
    }

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormItemList::*handler)();
    } buttons[] = {
        {ui_->BtnItemAdd, ui_->PNGBtnItemAdd, &TFormItemList::BtnItemAddClick},
        {ui_->BtnItemEdit, ui_->PNGBtnItemEdit, &TFormItemList::BtnItemEditClick},
        {ui_->BtnItemDelete, ui_->PNGBtnItemDelete, &TFormItemList::BtnItemDeleteClick},
        {ui_->BtnPrint, ui_->PNGBtnPrint, nullptr},
        {ui_->BtnUnitAdd, ui_->PNGBtnUnitAdd, &TFormItemList::BtnUnitAddClick},
        {ui_->BtnUnitEdit, ui_->PNGBtnUnitEdit, &TFormItemList::BtnUnitEditClick},
        {ui_->BtnUnitDelete, ui_->PNGBtnUnitDelete, &TFormItemList::BtnUnitDeleteClick},
        {ui_->BtnOK, ui_->PNGBtnOK, nullptr},
        {ui_->BtnCancel, ui_->PNGBtnCancel, nullptr},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        if (handler != nullptr) {
            connect(button, &QPushButton::clicked, this, handler);
        }
    }
    connect(ui_->BtnOK, &QPushButton::clicked, this, [this] { done(ResultOK); });
    connect(ui_->BtnCancel, &QPushButton::clicked, this, &TFormItemList::reject);
    connect(ui_->BtnPrint, &QPushButton::clicked, this, [this] { print_(this); });
    SetPrintCommand({});
    connect(view, &QTableWidget::cellDoubleClicked, this, &TFormItemList::BtnItemEditClick);
    connect(ui_->LBItemUnit, &QListWidget::itemDoubleClicked, this,
            &TFormItemList::BtnUnitEditClick);
}

TFormItemList::~TFormItemList() = default;

void TFormItemList::SetEntryWindows(TFormItemAdd* itemAdd, TFormItemEdit* itemEdit,
                                    TFormUnitAdd* unitAdd, TFormUnitEdit* unitEdit) {
    itemAdd_ = itemAdd;
    itemEdit_ = itemEdit;
    unitAdd_ = unitAdd;
    unitEdit_ = unitEdit;
}

void TFormItemList::SetPrintCommand(PrintCommand print) {
    print_ = std::move(print);
    ui_->BtnPrint->setEnabled(bool(print_));
}

void TFormItemList::Bind(TThItemObjectList& items, TThItemUnitObjectList& units,
                         const QString& unitPath, bool printDecimals) {
    items_ = &items;
    units_ = &units;
    unitPath_ = unitPath;
    printDecimals_ = printDecimals;
    refreshItems();
    refreshUnits();
}

void TFormItemList::reject() {
    done(ResultCancel);
}

int TFormItemList::selectedItem() const {
    const QList<QTableWidgetItem*> cells = ui_->LVItemList->selectedItems();
    return cells.isEmpty() ? -1 : cells.first()->row();
}

int TFormItemList::selectedUnit() const {
    const QList<QListWidgetItem*> units = ui_->LBItemUnit->selectedItems();
    return units.isEmpty() ? -1 : ui_->LBItemUnit->row(units.first());
}

void TFormItemList::refreshItems() {
    QTableWidget* view = ui_->LVItemList;
    view->clearSelection();
    view->setRowCount(items_->Count());
    for (int row = 0; row < items_->Count(); ++row) {
        const TThItemObject& item = items_->Items(row);
        const QString cells[] = {item.ItemName, item.UnitName,
                                 FormatAmount(false, item.UnitPrice, printDecimals_)};
        for (int column = 0; column < 3; ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            if (column == 2) {
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            view->setItem(row, column, cell);
        }
    }
}

void TFormItemList::refreshUnits() {
    ui_->LBItemUnit->clear();
    for (int i = 0; i < units_->Count(); ++i) {
        ui_->LBItemUnit->addItem(units_->Items(i).UnitName);
    }
}

void TFormItemList::openEntry(QDialog* window, std::function<void()> onOK) {
    connect(
        window, &QDialog::finished, this,
        [onOK = std::move(onOK)](int result) {
            if (result == ResultOK) {  // every record window gives 1 for its confirm button
                onOK();
            }
        },
        Qt::SingleShotConnection);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

void TFormItemList::BtnItemAddClick() {
    itemAdd_->Prepare(unitPath_, printDecimals_, {QString(), TThItemObject::NoUnit, {}});
    openEntry(itemAdd_, [this] {
        items_->Add(std::make_unique<TThItemObject>(itemAdd_->Item()));
        refreshItems();
    });
}

void TFormItemList::BtnItemEditClick() {
    const int row = selectedItem();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("編集する品名を選択して下さい。"));
        return;
    }
    itemEdit_->Prepare(unitPath_, printDecimals_, items_->Items(row));
    openEntry(itemEdit_, [this, row] {
        items_->Items(row) = itemEdit_->Item();
        refreshItems();
    });
}

void TFormItemList::BtnItemDeleteClick() {
    const int row = selectedItem();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("削除する品名を選択して下さい。"));
        return;
    }
    if (!Messages::Question(this, items_->Items(row).ItemName + DeleteQuestion, false)) {
        return;
    }
    items_->Delete(row);
    refreshItems();
}

void TFormItemList::BtnUnitAddClick() {
    unitAdd_->SetUnit(QString());
    openEntry(unitAdd_, [this] {
        units_->Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{unitAdd_->Unit()}));
        refreshUnits();
    });
}

void TFormItemList::BtnUnitEditClick() {
    const int row = selectedUnit();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("編集する単位を選択して下さい。"));
        return;
    }
    unitEdit_->SetUnit(units_->Items(row).UnitName);
    openEntry(unitEdit_, [this, row] {
        units_->Items(row).UnitName = unitEdit_->Unit();
        refreshUnits();
    });
}

void TFormItemList::BtnUnitDeleteClick() {
    const int row = selectedUnit();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("削除する単位を選択して下さい。"));
        return;
    }
    if (!Messages::Question(this, units_->Items(row).UnitName + DeleteQuestion, false)) {
        return;
    }
    units_->Delete(row);
    refreshUnits();
}
