#include "TFormImport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>

#include "CustomerField.h"
#include "Messages.h"
#include "ModelError.h"
#include "TCsvTableModel.h"
#include "TPngButton.h"
#include "ui_TFormImport.h"

namespace {

const QString NotTakenEntry = QStringLiteral("なし");

}  // namespace

TFormImport::TFormImport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormImport>()),
      model_(new TCsvTableModel(this)) {
    ui_->setupUi(this);
    setFixedSize(size());
    QTableView* grid = ui_->SG_CSV;
    grid->setModel(model_);
    // Every row has the same height, so a file of 100,000 lines shows at once.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setDefaultSectionSize(110);

    for (QPushButton* button : {ui_->BtnImport, ui_->BtnCancel}) {
        button->hide();
        findChild<TPngButton*>(QStringLiteral("PNG") + button->objectName())
            ->SetStandardButton(button);
    }
    connect(ui_->BtnImport, &QPushButton::clicked, this, &TFormImport::BtnImportClick);
    connect(ui_->BtnCancel, &QPushButton::clicked, this, &TFormImport::reject);
}

TFormImport::~TFormImport() = default;

QComboBox* TFormImport::choice(size_t index) const {
    return findChild<QComboBox*>(QLatin1String(CustomerImport::Choices.at(index).ComboName));
}

bool TFormImport::Bind(TThCustomerObjectList& list, const QString& path) {
    list_ = &list;
    model_->SetTable(nullptr);
    try {
        QProgressDialog progress(QStringLiteral("「%1」を読み込んでいます…").arg(path), QString(),
                                 0, 1000, parentWidget());
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(500);
        table_ = CustomerImport::ReadFile(path, [&](qint64 done, qint64 total) {
            progress.setValue(static_cast<int>(done * 1000 / std::max<qint64>(total, 1)));
        });
    } catch (const EModelError& error) {
        table_ = {};
        Messages::Error(parentWidget(), error.message());
        return false;
    }
    model_->SetTable(&table_);

    QStringList entries;
    for (int column = 0; column < table_.ColumnCount; ++column) {
        entries << CustomerImport::ColumnCaption(column);
    }
    entries << NotTakenEntry;
    const CustomerImport::Mapping preselected = CustomerImport::Preselection(table_.ColumnCount);
    for (size_t i = 0; i < CustomerImport::Choices.size(); ++i) {
        QComboBox* box = choice(i);
        box->clear();
        box->addItems(entries);
        const int column = preselected[static_cast<size_t>(CustomerImport::Choices[i].Field)];
        box->setCurrentIndex(column == CustomerImport::NotTaken ? table_.ColumnCount : column);
    }
    return true;
}

CustomerImport::Mapping TFormImport::ChosenMapping() const {
    CustomerImport::Mapping mapping;
    for (size_t i = 0; i < CustomerImport::Choices.size(); ++i) {
        const int index = choice(i)->currentIndex();
        mapping[static_cast<size_t>(CustomerImport::Choices[i].Field)] =
            index >= 0 && index < table_.ColumnCount ? index : CustomerImport::NotTaken;
    }
    return mapping;
}

void TFormImport::reject() {
    done(ResultCancel);
}

void TFormImport::BtnImportClick() {
    try {
        CustomerImport::AppendTo(*list_, CustomerImport::Customers(table_, ChosenMapping()));
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
        return;
    }
    done(ResultOK);
}
