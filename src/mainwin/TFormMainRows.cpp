// The line-item tab: one input row per line item, the row commands, the pick menus, the
// calculation options and the totals.

#include <QCheckBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <tuple>

#include "EnterKeyFocus.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormMain.h"
#include "TPngButton.h"
#include "TSsEdit.h"
#include "ui_TFormMain.h"

namespace {

const QString LimitExceeded = QStringLiteral("入力の制限を超えています。");
const QString InsertImpossible =
    QStringLiteral("これ以上挿入する場合は、入力欄を追加してから行ってください。");
const QString CannotMove = QStringLiteral("これ以上移動できません。");
constexpr int InputAreaStep = 10;
constexpr int WheelStep = 10;
constexpr int PickGroupSize = 10;
// Below the last row, so that it never touches the bottom of the box.
constexpr int BoxMargin = 10;

void setBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Item and unit names are shown as they are, "&" included.
QString menuText(const QString& name) {
    return QString(name).replace(u'&', QStringLiteral("&&"));
}

void clearPickMenu(QMenu* menu) {
    for (QMenu* group : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        delete group;
    }
    menu->clear();
}

// Fills menu with one entry per name, in sub-menus of ten.
template <class Select>
void fillPickMenu(QMenu* menu, const QStringList& names, const QString& groupName,
                  const QString& groupCaption, const QString& entryName, Select select) {
    clearPickMenu(menu);
    QMenu* group = nullptr;
    for (int k = 0; k < names.size(); ++k) {
        if (k % PickGroupSize == 0) {
            group = menu->addMenu(groupCaption + QString::number(k + 1) + QStringLiteral(" - ") +
                                  QString::number(k + PickGroupSize));
            group->setObjectName(groupName + QString::number(k / PickGroupSize));
        }
        QAction* entry = group->addAction(menuText(names[k]));
        entry->setObjectName(entryName + QString::number(k));
        entry->setProperty(TItemRow::TagProperty, k);
        QObject::connect(entry, &QAction::triggered, menu, [select, k] { select(k); });
    }
}

}  // namespace

void TFormMain::SetUpContents() {
    setBackground(ui_->PanelMenuBotton, QColor(179, 214, 33));
    const QColor inputColor(219, 236, 150);
    for (QWidget* panel : {static_cast<QWidget*>(ui_->PnlHead), ui_->ScrollBoxContent->viewport(),
                           static_cast<QWidget*>(ui_->ScrollBoxContentRows)}) {
        setBackground(panel, inputColor);
    }
    QFont rowFont(QStringLiteral("ＭＳ Ｐゴシック"));
    rowFont.setPixelSize(13);
    ui_->ScrollBoxContentRows->setFont(rowFont);
    for (QLineEdit* total : {ui_->EdSubTotal, ui_->MMTax, ui_->EdGrandTotal}) {
        total->setFont(rowFont);
    }
    QFont modeFont(QStringLiteral("ＭＳ ゴシック"));
    modeFont.setPixelSize(16);
    ui_->LblMode->setFont(modeFont);
    ui_->ScrollBoxContent->viewport()->installEventFilter(this);

    const std::pair<TPngButton*, void (TFormMain::*)()> buttons[] = {
        {ui_->BtnDelData, &TFormMain::BtnDelDataClick},
        {ui_->BtnPrevItem, &TFormMain::BtnPrevItemClick},
        {ui_->BtnBackItem, &TFormMain::BtnBackItemClick},
        {ui_->pngBtnAddInputArea, &TFormMain::pngBtnAddInputAreaClick},
        {ui_->pngBtnDelInputArea, &TFormMain::pngBtnDelInputAreaClick},
    };
    for (const auto& [button, handler] : buttons) {
        button->setEnabled(true);
        connect(button, &TPngButton::clicked, this, handler);
    }
    const std::pair<QAction*, void (TFormMain::*)()> actions[] = {
        {ui_->N9, &TFormMain::N9Click},
        {ui_->N10, &TFormMain::N10Click},
        {ui_->PrevItem1, &TFormMain::BtnPrevItemClick},
        {ui_->BackItem1, &TFormMain::BtnBackItemClick},
        {ui_->N15, &TFormMain::N15Click},
        {ui_->DelData1, &TFormMain::BtnDelDataClick},
        {ui_->S1, &TFormMain::S1Click},
    };
    for (const auto& [action, handler] : actions) {
        connect(action, &QAction::triggered, this, handler);
    }
    PMItem = new QMenu(this);
    PMItem->setObjectName(QStringLiteral("PMItem"));
    PMUnit = new QMenu(this);
    PMUnit->setObjectName(QStringLiteral("PMUnit"));
    // A master of a million entries would hold a million actions: a pick menu has its entries
    // only while it is open. Queued, because a chosen entry is triggered after the menu hides;
    // a menu opened again meanwhile keeps its fresh entries.
    for (QMenu* menu : {PMItem, PMUnit}) {
        connect(
            menu, &QMenu::aboutToHide, this,
            [menu] {
                if (!menu->isVisible()) {
                    clearPickMenu(menu);
                }
            },
            Qt::QueuedConnection);
    }
}

void TFormMain::CreateRow(int index) {
    TItemRow row = TItemRow::Create(ui_->ScrollBoxContentRows, index);
    QWidget* previous = rows_.empty() ? nullptr : rows_.back().CBItemNoTax;
    for (QWidget* control : row.Inputs()) {
        control->installEventFilter(this);
        EnterKeyFocus::Install(control);
        if (previous) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
    for (const auto& [field, menu, build] :
         {std::tuple{row.EditItemName, &PMItem, &TFormMain::BuildItemMenu},
          std::tuple{row.MemoItemUnit, &PMUnit, &TFormMain::BuildUnitMenu}}) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
                [this, field, menu, build](const QPoint& at) {
                    (this->*build)();
                    // An empty menu would open unseen and swallow the next click.
                    if (!(*menu)->isEmpty()) {
                        (*menu)->popup(field->mapToGlobal(at));
                    }
                });
    }
    connect(row.CBItemNoTax, &QCheckBox::clicked, this, [this, index] { TaxCheckBoxClick(index); });
    // Between the remark and 非課税; out of the chain while hidden. Qt leaves a widget that
    // takes no focus out of setTabOrder, so it is placed while it does.
    row.CBItemReduced->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(row.EditItemEtc, row.CBItemReduced);
    setTabOrder(row.CBItemReduced, row.CBItemNoTax);
    row.CBItemReduced->installEventFilter(this);
    EnterKeyFocus::Install(row.CBItemReduced);
    connect(row.CBItemReduced, &QCheckBox::clicked, this,
            [this, index] { TaxCheckBoxClick(index); });
    row.ShowReducedMark(FEstimate.QualifiedInvoice);
    // Its figures read as every other row's do (PRINTDECIMAL) from the start.
    ShowRow(row);
    rows_.push_back(row);
}

void TFormMain::SyncRowCount() {
    ui_->ScrollBoxContent->setUpdatesEnabled(false);
    FEstimate.PadLines(TThEstimateObjectList::DefaultLineCount);
    while (RowCount() < FEstimate.Count()) {
        CreateRow(RowCount());
    }
    while (RowCount() > FEstimate.Count()) {
        DestroyLastRow();
    }
    FitRowsBox();
    ui_->ScrollBoxContent->setUpdatesEnabled(true);
}

void TFormMain::AddRows(int count) {
    ui_->ScrollBoxContent->setUpdatesEnabled(false);
    for (int i = 0; i < count; ++i) {
        FEstimate.Add(std::make_unique<TThEstimateObject>());
        CreateRow(RowCount());
    }
    FitRowsBox();
    ui_->ScrollBoxContent->setUpdatesEnabled(true);
}

void TFormMain::RemoveRows(int count) {
    ui_->ScrollBoxContent->setUpdatesEnabled(false);
    for (int i = 0; i < count && !rows_.empty(); ++i) {
        DestroyLastRow();
        FEstimate.Delete(FEstimate.Count() - 1);
    }
    FitRowsBox();
    ui_->ScrollBoxContent->setUpdatesEnabled(true);
}

void TFormMain::DestroyLastRow() {
    TItemRow row = rows_.back();
    rows_.pop_back();
    // A control being destroyed must not run the exit of a row that is gone.
    for (QWidget* control : row.Inputs()) {
        control->removeEventFilter(this);
    }
    if (editingRow_ == row.Index) {
        editingRow_ = -1;
    }
    // No command may act on a row that is gone.
    if (FSelectedRow >= row.Index) {
        FSelectedRow = -1;
    }
    row.Destroy();
}

void TFormMain::FitRowsBox() {
    ui_->ScrollBoxContentRows->resize(ui_->ScrollBoxContentRows->width(),
                                      RowCount() * TItemRow::Height + BoxMargin);
}

void TFormMain::StoreRow(int row) {
    const TItemRow& controls = rows_.at(static_cast<size_t>(row));
    TThEstimateObject& line = FEstimate.Items(row);
    line.ItemName = controls.EditItemName->text();
    line.UnitName = controls.MemoItemUnit->text();
    line.Etc = controls.EditItemEtc->text();
    line.NoTax = controls.CBItemNoTax->isChecked();
    line.Reduced = controls.CBItemReduced->isChecked();
    try {
        line.TotalPrice = ParseMoney(controls.MemoItemTotalPrice->text());
    } catch (const EConvertError&) {
        Messages::Information(this, LimitExceeded);
        line.TotalPrice = Currency();
    }
    try {
        line.Num = ParseMoney(controls.MemoItemNum->text());
        line.UnitPrice = ParseMoney(controls.MemoItemUnitPrice->text());
    } catch (const EConvertError&) {
        Messages::Information(this, LimitExceeded);
        line.Num = Currency();
        line.UnitPrice = Currency();
        for (TSsEdit* figure : controls.Figures()) {
            figure->setText(QStringLiteral("0"));
        }
        return;
    }
    if (!line.CalcTotalPrice()) {
        Messages::Information(this, LimitExceeded);
    }
    controls.MemoItemNum->setText(FormatAmount(false, line.Num));
    controls.MemoItemUnitPrice->setText(FormatAmount(false, line.UnitPrice));
    controls.MemoItemTotalPrice->setText(FormatAmount(false, line.TotalPrice));
}

void TFormMain::ShowRows() {
    for (TItemRow& row : rows_) {
        ShowRow(row);
    }
}

void TFormMain::ShowRow(TItemRow& row) {
    const TThEstimateObject& line = FEstimate.Items(row.Index);
    row.Show(line,
             {FormatAmount(false, line.Num), FormatAmount(false, line.UnitPrice),
              FormatAmount(false, line.TotalPrice)},
             FEstimate.TotalClaimMode);
}

void TFormMain::ShowTotals() {
    ui_->EdSubTotal->setText(FormatAmount(true, FEstimate.SubTotal));
    const QString tax = FormatAmount(true, FEstimate.Tax);
    ui_->MMTax->setText(FEstimate.TaxIn ? QStringLiteral("(") + tax + QStringLiteral(")") : tax);
    ui_->EdGrandTotal->setText(FormatAmount(true, FEstimate.Total));
}

void TFormMain::ShowMode(bool totalClaim) {
    for (TPngButton* button : {ui_->BtnDelData, ui_->BtnPrevItem, ui_->BtnBackItem,
                               ui_->pngBtnAddInputArea, ui_->pngBtnDelInputArea}) {
        button->setVisible(!totalClaim);
    }
    for (QAction* action :
         {ui_->N9, ui_->N10, ui_->PrevItem1, ui_->BackItem1, ui_->N15, ui_->DelData1, ui_->S1}) {
        action->setEnabled(!totalClaim);
    }
    for (QWidget* group : {ui_->GBTaxCalc, ui_->GBTaxInput, ui_->GBSubTotalCalc}) {
        group->setVisible(!totalClaim);
    }
    const QString mode = totalClaim ? QStringLiteral("合計請求") : QStringLiteral("通常");
    // A document another copy has open says so wherever the user looks.
    const bool readOnly = openDocument_.ReadOnly();
    ui_->LblMode->setText(readOnly ? mode + QStringLiteral("（読み取り専用）") : mode);
    setWindowTitle(
        readOnly ? QStringLiteral("%1 - %2（読み取り専用）")
                       .arg(ApplicationTitle, QFileInfo(openDocument_.Path()).completeBaseName())
                 : ApplicationTitle);
}

void TFormMain::MarkRow(int row) {
    if (FSelectedRow >= 0 && FSelectedRow < RowCount()) {
        rows_[static_cast<size_t>(FSelectedRow)].SetMarked(false);
    }
    rows_.at(static_cast<size_t>(row)).SetMarked(true);
}

void TFormMain::UnmarkRow(int row) {
    if (row >= 0 && row < RowCount()) {
        rows_[static_cast<size_t>(row)].SetMarked(false);
    }
}

void TFormMain::CommitRowEdit() {
    if (editingRow_ >= 0) {
        const int row = editingRow_;
        QWidget* focused = focusWidget();
        if (focused && RowOf(focused) == row) {
            focused->clearFocus();
        }
        // An inactive window gets no focus-out; the exit runs all the same.
        if (editingRow_ == row) {
            EditExit(row);
        }
    }
    ShowRows();
    FSelectedRow = -1;
}

void TFormMain::BuildItemMenu() {
    QStringList names;
    for (int k = 0; k < FItemList.Count(); ++k) {
        names << FItemList.Items(k).ItemName;
    }
    fillPickMenu(PMItem, names, QStringLiteral("MPItem"), QStringLiteral("アイテム"),
                 QStringLiteral("MItemName"), [this](int k) { SelectItem(k); });
}

void TFormMain::BuildUnitMenu() {
    QStringList names;
    for (int k = 0; k < FUnitList.Count(); ++k) {
        names << FUnitList.Items(k).UnitName;
    }
    fillPickMenu(PMUnit, names, QStringLiteral("MPUnit"), QStringLiteral("単位"),
                 QStringLiteral("MUnit"), [this](int k) { SelectUnit(k); });
}

void TFormMain::ShowCalcOptions() {
    const QSignalBlocker calcUnit(ui_->CBCalcUnit);
    const QSignalBlocker underOne(ui_->CBUnderOne);
    const QSignalBlocker subTotal(ui_->CBSubTotalUnderOne);
    const QSignalBlocker taxIn(ui_->CBTaxIn);
    ui_->CBCalcUnit->setCurrentIndex(FEstimate.CalcPerRow ? 1 : 0);
    ui_->CBUnderOne->setCurrentIndex(ListIndexOfRounding(FEstimate.TaxRounding));
    ui_->CBSubTotalUnderOne->setCurrentIndex(ListIndexOfRounding(FEstimate.SubTotalRounding));
    ui_->CBTaxIn->setChecked(FEstimate.TaxIn);
    // A qualified invoice rounds its tax once per rate; a tax per line is not allowed there.
    const bool perRate = FEstimate.QualifiedInvoice;
    ui_->CBCalcUnit->setEnabled(!perRate);
    ui_->CBCalcUnit->setToolTip(perRate ? CalcPerRowRefusal : QString());
    ui_->LblHeadReduced->setVisible(perRate);
    ui_->LblHeadEtc->resize(perRate ? 140 : 166, ui_->LblHeadEtc->height());
    for (TItemRow& row : rows_) {
        row.ShowReducedMark(perRate);
    }
}

void TFormMain::ConfigChange() {
    FEstimate.CalcPerRow = ui_->CBCalcUnit->currentIndex() != 0;
    const std::pair<QComboBox*, TRoundingMode*> roundings[] = {
        {ui_->CBUnderOne, &FEstimate.TaxRounding},
        {ui_->CBSubTotalUnderOne, &FEstimate.SubTotalRounding}};
    for (const auto& [box, mode] : roundings) {
        if (const std::optional<TRoundingMode> chosen = RoundingOfListIndex(box->currentIndex())) {
            *mode = *chosen;
        }
    }
    FEstimate.TaxIn = ui_->CBTaxIn->isChecked();
    LinesChanged();
}

int TFormMain::RowOf(const QObject* control) const {
    if (!control || control->parent() != ui_->ScrollBoxContentRows) {
        return -1;
    }
    bool ok = false;
    const int row = control->property(TItemRow::TagProperty).toInt(&ok);
    return ok && row < RowCount() ? row : -1;
}

bool TFormMain::RowEvent(int row, QObject* watched, QEvent* event) {
    auto* control = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Coming back to the window is no new entry, unless the row's exit ran meanwhile.
        if (reason != Qt::PopupFocusReason &&
            (reason != Qt::ActiveWindowFocusReason || editingRow_ != row)) {
            EditEnter(row, control);
        }
    } else if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            editingRow_ == row) {
            EditExit(row);
            const TItemRow& controls = rows_.at(static_cast<size_t>(row));
            const std::pair<QLineEdit*, const char16_t*> texts[] = {
                {controls.EditItemName, u"品名"},
                {controls.MemoItemUnit, u"単位"},
                {controls.EditItemEtc, u"備考"}};
            for (const auto& [field, caption] : texts) {
                if (field == control) {
                    WarnUnsavable(
                        field,
                        QStringLiteral("%1行目の").arg(row + 1) + QString::fromUtf16(caption),
                        field->text());
                }
            }
        }
    }
    return false;
}

void TFormMain::EditEnter(int row, QWidget* control) {
    if (auto* figure = qobject_cast<TSsEdit*>(control)) {
        figure->setText(figure->text().remove(u','));
        figure->selectAll();
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        field->selectAll();
    }
    MarkRow(row);
    FSelectedRow = row;
    editingRow_ = row;
}

void TFormMain::EditExit(int row) {
    editingRow_ = -1;
    CommitRow(row);
    UnmarkRow(row);
}

void TFormMain::TaxCheckBoxClick(int row) {
    CommitRow(row);
}

void TFormMain::CommitRow(int row) {
    StoreTypedRow(row);
    LinesChanged();
}

void TFormMain::StoreTypedRow(int row) {
    for (TSsEdit* figure : rows_.at(static_cast<size_t>(row)).Figures()) {
        if (figure->text().trimmed().isEmpty()) {
            figure->setText(QStringLiteral("0"));
        }
    }
    StoreRow(row);
}

void TFormMain::ScrollByWheel(int notches) {
    QScrollBar* bar = ui_->ScrollBoxContent->verticalScrollBar();
    bar->setValue(bar->value() - notches * WheelStep);
    ui_->ScrollBoxContent->viewport()->update();
}

void TFormMain::Recalculate() {
    try {
        FEstimate.CalcTotal();
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void TFormMain::LinesChanged() {
    Recalculate();
    RefreshAll();
}

bool TFormMain::RefuseInTotalClaim() {
    if (FEstimate.TotalClaimMode) {
        Messages::Information(this, TThEstimateObjectList::TotalClaimRefusal);
        return true;
    }
    return false;
}

bool TFormMain::HasSelection(const QString& withoutSelection) {
    if (FSelectedRow < 0) {
        Messages::Information(this, withoutSelection);
        return false;
    }
    return true;
}

void TFormMain::N9Click() {
    if (RefuseInTotalClaim() ||
        !HasSelection(QStringLiteral("コピーするアイテムを1つ選択してください。"))) {
        return;
    }
    FCopyItem = FEstimate.Items(FSelectedRow);
    Messages::Information(this, QStringLiteral("選択行をコピーしました。"));
}

void TFormMain::N10Click() {
    if (RefuseInTotalClaim() ||
        !HasSelection(QStringLiteral("貼り付けるアイテムを1つ選択してください。"))) {
        return;
    }
    FEstimate.Items(FSelectedRow) = FCopyItem;
    LinesChanged();
    Messages::Information(this, QStringLiteral("選択行に貼り付けました。"));
}

void TFormMain::BtnPrevItemClick() {
    MoveSelectedItem(-1);
}

void TFormMain::BtnBackItemClick() {
    MoveSelectedItem(+1);
}

void TFormMain::MoveSelectedItem(int step) {
    if (!HasSelection(QStringLiteral("移動するデータを１つ選択してください。"))) {
        return;
    }
    const int selected = FSelectedRow;
    const int target = selected + step;
    if (target < 0 || target >= RowCount()) {
        Messages::Information(this, CannotMove);
        return;
    }
    StoreTypedRow(selected);
    FEstimate.Move(selected, target);
    // A line moved across a subtotal row changes both groups.
    LinesChanged();
    rows_[static_cast<size_t>(target)].EditItemName->setFocus(Qt::OtherFocusReason);
}

void TFormMain::N15Click() {
    if (RefuseInTotalClaim() ||
        !HasSelection(QStringLiteral("挿入する行を1つ選択してください。"))) {
        return;
    }
    if (InsertEmptyLine()) {
        LinesChanged();
    }
}

// Moves the empty last line to the selected row, pushing the rows below it down; the count
// of lines stays. Refuses when the last line holds input or is the selected one.
bool TFormMain::InsertEmptyLine() {
    const int last = FEstimate.Count() - 1;
    if (!FEstimate.Items(last).Uninput() || FSelectedRow == last) {
        Messages::Information(this, InsertImpossible);
        return false;
    }
    // What is typed into the selected row goes down with its line.
    StoreTypedRow(FSelectedRow);
    FEstimate.Move(last, FSelectedRow);
    return true;
}

void TFormMain::BtnDelDataClick() {
    if (RefuseInTotalClaim() ||
        !HasSelection(QStringLiteral("削除する行を1つ選択してください。"))) {
        return;
    }
    FEstimate.Delete(FSelectedRow);
    FEstimate.Add(std::make_unique<TThEstimateObject>());
    LinesChanged();
}

void TFormMain::S1Click() {
    if (RefuseInTotalClaim() ||
        !HasSelection(QStringLiteral("挿入する行を1つ選択してください。"))) {
        return;
    }
    if (InsertEmptyLine()) {
        FEstimate.SetSubTotalRow(FSelectedRow);
        LinesChanged();
    }
}

void TFormMain::pngBtnAddInputAreaClick() {
    if (RefuseInTotalClaim()) {
        return;
    }
    AddRows(InputAreaStep);
    if (FSelectedRow >= 0) {
        rows_[static_cast<size_t>(FSelectedRow)].EditItemName->setFocus(Qt::OtherFocusReason);
    }
}

void TFormMain::pngBtnDelInputAreaClick() {
    if (RefuseInTotalClaim()) {
        return;
    }
    const int count = FEstimate.Count();
    if (count <= TThEstimateObjectList::DefaultLineCount) {
        Messages::Information(this, QStringLiteral("これ以上削除できません。"));
        return;
    }
    if (FSelectedRow >= 0) {
        StoreTypedRow(FSelectedRow);
    }
    // A document opened with, say, 105 lines loses only five: never fewer than 100 rows.
    const int removed = std::min(InputAreaStep, count - TThEstimateObjectList::DefaultLineCount);
    for (int i = count - 1; i >= count - removed; --i) {
        if (!FEstimate.Items(i).Uninput() &&
            !Messages::Question(this, QStringLiteral("削除するデータ中に入力済みのアイテムがありま"
                                                     "す。削除してもよろしいですか？"))) {
            return;
        }
    }
    RemoveRows(removed);
    // The amounts of filled lines that went must leave the totals too.
    LinesChanged();
    if (FSelectedRow >= 0) {
        rows_[static_cast<size_t>(FSelectedRow)].EditItemName->setFocus(Qt::OtherFocusReason);
    }
}

void TFormMain::SelectItem(int index) {
    if (FSelectedRow < 0 || index >= FItemList.Count()) {
        return;
    }
    const TThItemObject& item = FItemList.Items(index);
    const TItemRow& row = rows_.at(static_cast<size_t>(FSelectedRow));
    row.EditItemName->setText(item.ItemName);
    row.MemoItemUnit->setText(item.UnitName == TThItemObject::NoUnit ? QString() : item.UnitName);
    row.MemoItemUnitPrice->setText(FormatAmount(false, item.UnitPrice));
    if (FEstimate.QualifiedInvoice) {
        row.CBItemReduced->setChecked(item.Reduced);
    }
}

void TFormMain::SelectUnit(int index) {
    if (FSelectedRow < 0 || index >= FUnitList.Count()) {
        return;
    }
    rows_.at(static_cast<size_t>(FSelectedRow))
        .MemoItemUnit->setText(FUnitList.Items(index).UnitName);
}
