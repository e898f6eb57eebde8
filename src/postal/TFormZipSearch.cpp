#include "TFormZipSearch.h"

#include "ui_TFormZipSearch.h"

TFormZipSearch::TFormZipSearch(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TFormZipSearch>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    QFont keyFont = ui_->Label1->font();
    keyFont.setPixelSize(15);
    ui_->Label1->setFont(keyFont);
    ui_->LVZip->setColumnWidth(0, 80);
    ui_->LVZip->setColumnWidth(1, 250);
    ui_->BtnOK->hide();
    ui_->BtnClose->hide();
    ui_->PNGBtnOK->SetStandardButton(ui_->BtnOK);
    ui_->PNGBtnClose->SetStandardButton(ui_->BtnClose);
    connect(ui_->BtnOK, &QPushButton::clicked, this, &TFormZipSearch::BtnOKClick);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &TFormZipSearch::BtnCloseClick);
    connect(ui_->LVZip, &QTreeWidget::itemSelectionChanged, this,
            &TFormZipSearch::LVZipSelectionChanged);
    connect(ui_->LVZip, &QTreeWidget::itemDoubleClicked, this, &TFormZipSearch::LVZipDblClick);
    LVZipSelectionChanged();
}

TFormZipSearch::~TFormZipSearch() = default;

void TFormZipSearch::SetEntries(const QString& key, const QList<ZipTable::Entry>& entries) {
    ui_->Label1->setText(QStringLiteral("検索キー：") + key);
    ui_->LVZip->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    for (const ZipTable::Entry& entry : entries) {
        items << new QTreeWidgetItem(QStringList{entry.Code, entry.Address});
    }
    ui_->LVZip->addTopLevelItems(items);
}

std::optional<ZipTable::Entry> TFormZipSearch::SelectedEntry() const {
    const QList<QTreeWidgetItem*> selected = ui_->LVZip->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return ZipTable::Entry{selected.first()->text(0), selected.first()->text(1)};
}

void TFormZipSearch::reject() {
    done(ResultCancel);
}

void TFormZipSearch::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (ui_->LVZip->topLevelItemCount() > 0) {
        ui_->LVZip->setCurrentItem(ui_->LVZip->topLevelItem(0));
    }
    ui_->LVZip->setFocus();
}

void TFormZipSearch::BtnOKClick() {
    done(ResultOK);
}

void TFormZipSearch::BtnCloseClick() {
    done(ResultCancel);
}

void TFormZipSearch::LVZipSelectionChanged() {
    ui_->BtnOK->setEnabled(!ui_->LVZip->selectedItems().isEmpty());
}

void TFormZipSearch::LVZipDblClick() {
    if (ui_->BtnOK->isEnabled()) {
        ui_->BtnOK->click();
    }
}
