#include "TFormCustomer.h"

#include <QCollator>
#include <QFileDialog>
#include <QHeaderView>
#include <algorithm>
#include <vector>

#include "ConflictQuestion.h"
#include "CustomerField.h"
#include "Messages.h"
#include "ModelError.h"
#include "StartFolders.h"
#include "TCustomerTableModel.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TFormImport.h"
#include "TPngButton.h"
#include "TThCustomerObjectList.h"
#include "ui_TFormCustomer.h"

TFormCustomer::TFormCustomer(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormCustomer>()),
      model_(new TCustomerTableModel(this)) {
    ui_->setupUi(this);
    setFixedSize(size());

    QTableView* view = ui_->LVCustomer;
    view->setModel(model_);
    for (size_t i = 0; i < CustomerFields.size(); ++i) {
        view->setColumnWidth(static_cast<int>(i), CustomerFields[i].ColumnWidth);
    }
    view->horizontalHeader()->setSectionsClickable(true);
    // The list's own smaller font lets postal codes and telephone numbers fit their columns.
    QFont font = view->font();
    font.setPixelSize(12);
    view->setFont(font);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    // The selected row stays visible while a button has the focus.
    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    view->setPalette(palette);

    const struct {
        QPushButton* button;
        TPngButton* picture;
        void (TFormCustomer::*handler)();
    } buttons[] = {
        {ui_->BtnAdd, ui_->PNGBtnAdd, &TFormCustomer::BtnAddClick},
        {ui_->BtnImport, ui_->PNGBtnImport, &TFormCustomer::BtnImportClick},
        {ui_->BtnEdit, ui_->PNGBtnEdit, &TFormCustomer::BtnEditClick},
        {ui_->BtnDelete, ui_->PNGBtnDelete, &TFormCustomer::BtnDeleteClick},
        {ui_->BtnExport, ui_->PNGBtnExport, &TFormCustomer::BtnExportClick},
        {ui_->BtnPrint, ui_->PNGBtnPrint, nullptr},
        {ui_->BtnSelect, ui_->PNGBtnSelect, &TFormCustomer::BtnSelectClick},
        {ui_->BtnClose, ui_->PNGBtnClose, &TFormCustomer::BtnCloseClick},
    };
    for (const auto& [button, picture, handler] : buttons) {
        button->hide();
        picture->SetStandardButton(button);
        if (handler != nullptr) {
            connect(button, &QPushButton::clicked, this, handler);
        }
    }
    connect(ui_->BtnPrint, &QPushButton::clicked, this, [this] { print_(this); });
    SetImportWindow(nullptr);
    SetPrintCommand({});
    connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFormCustomer::LVCustomerColumnClick);
    connect(view, &QTableView::doubleClicked, this, &TFormCustomer::LVCustomerDblClick);
}

TFormCustomer::~TFormCustomer() = default;

void TFormCustomer::SetEntryWindows(TFormCustomAdd* add, TFormCustomEdit* edit) {
    add_ = add;
    edit_ = edit;
}

void TFormCustomer::SetImportWindow(TFormImport* import) {
    import_ = import;
    ui_->BtnImport->setEnabled(import_ != nullptr);
}

void TFormCustomer::SetPrintCommand(PrintCommand print) {
    print_ = std::move(print);
    ui_->BtnPrint->setEnabled(bool(print_));
}

void TFormCustomer::Bind(TThCustomerObjectList& list, const QString& savePath,
                         const TThCustomerObject& addressee) {
    list_ = &list;
    savePath_ = savePath;
    addressee_ = addressee;
    chosen_.reset();
    try {
        // Another copy may have changed the master since this one last showed it.
        list_->ReloadIfChanged(savePath_);
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
    model_->SetList(list_);
}

std::unique_ptr<QFileDialog> TFormCustomer::ExportFileDialog(QWidget* parent,
                                                             const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), folder,
                                                QStringLiteral("CSVファイル(*.csv)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    return dialog;
}

QString TFormCustomer::AskExportFile(QWidget* parent, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = ExportFileDialog(parent, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().first();
}

std::unique_ptr<QFileDialog> TFormCustomer::ImportFileDialog(QWidget* parent,
                                                             const QString& folder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), folder,
                                                QStringLiteral("CSVファイル(*.csv)"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    return dialog;
}

QString TFormCustomer::AskImportFile(QWidget* parent, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = ImportFileDialog(parent, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().first();
}

void TFormCustomer::done(int result) {
    if (list_ != nullptr) {
        try {
            list_->SaveToFile(savePath_, AskConflicts(this));
        } catch (const EModelError& error) {
            // The edits stay in memory and are saved again at the next closing.
            Messages::Error(this, error.message());
        }
    }
    QDialog::done(result);
}

void TFormCustomer::reject() {
    done(ResultCancel);
}

int TFormCustomer::selectedRow() const {
    const QModelIndexList rows = ui_->LVCustomer->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TFormCustomer::selectRow(int row) {
    ui_->LVCustomer->clearSelection();
    if (row >= 0 && row < list_->Count()) {
        ui_->LVCustomer->selectRow(row);
        ui_->LVCustomer->scrollTo(model_->index(row, 0));
    }
}

void TFormCustomer::refresh(int keep) {
    model_->Refresh();
    selectRow(keep);
}

void TFormCustomer::openEntry(QDialog* window, std::function<void()> onOK) {
    connect(
        window, &QDialog::finished, this,
        [onOK = std::move(onOK)](int result) {
            if (result == TFormCustomEntry::ResultOK) {
                onOK();
            }
        },
        Qt::SingleShotConnection);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

void TFormCustomer::BtnAddClick() {
    add_->SetCustomer(addressee_);
    openEntry(add_, [this, keep = selectedRow()] {
        list_->Add(std::make_unique<TThCustomerObject>(add_->Customer()));
        refresh(keep);
    });
}

void TFormCustomer::BtnEditClick() {
    const int row = selectedRow();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("編集するお客様情報を選択して下さい。"));
        return;
    }
    edit_->SetCustomer(list_->Items(row));
    openEntry(edit_, [this, row] {
        CopyCustomerFields(edit_->Customer(), list_->Items(row));
        refresh(row);
    });
}

void TFormCustomer::BtnDeleteClick() {
    const int row = selectedRow();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("削除するお客様情報を選択して下さい。"));
        return;
    }
    const QString question =
        list_->Items(row).Name1 + QStringLiteral("　を削除します、よろしいですか？");
    if (!Messages::Question(this, question, false)) {
        return;
    }
    list_->Delete(row);
    refresh(-1);
}

void TFormCustomer::BtnImportClick() {
    const QString path = importDialog_(this, StartFolders::Export());
    if (path.isEmpty() || !import_->Bind(*list_, path)) {
        return;
    }
    openEntry(import_, [this, keep = selectedRow()] { refresh(keep); });
}

void TFormCustomer::BtnExportClick() {
    const QString path = exportDialog_(this, StartFolders::Export());
    if (path.isEmpty()) {
        return;
    }
    try {
        list_->ExportToFile(path);
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void TFormCustomer::BtnSelectClick() {
    const int row = selectedRow();
    if (row < 0) {
        Messages::Information(this, QStringLiteral("お客様情報を選択して下さい。"));
        return;
    }
    chosen_ = list_->Items(row);
    done(ResultOK);
}

void TFormCustomer::BtnCloseClick() {
    done(ResultCancel);
}

void TFormCustomer::LVCustomerColumnClick(int column) {
    const int row = selectedRow();
    const TThCustomerObject* selected = row < 0 ? nullptr : &list_->Items(row);
    ascending_ = !ascending_;

    // The records leave the list for the sort and come back in the new order; Put hands
    // each one over without copying it.
    std::vector<std::unique_ptr<TThCustomerObject>> records;
    records.reserve(static_cast<size_t>(list_->Count()));
    for (int i = 0; i < list_->Count(); ++i) {
        records.push_back(list_->Put(i, nullptr));
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const QString TThCustomerObject::*member =
        CustomerFields.at(static_cast<size_t>(column)).Member;
    std::sort(records.begin(), records.end(), [&](const auto& a, const auto& b) {
        const int order = collator.compare(*a.*member, *b.*member);
        return ascending_ ? order < 0 : order > 0;
    });
    for (int i = 0; i < list_->Count(); ++i) {
        list_->Put(i, std::move(records[static_cast<size_t>(i)]));
    }
    refresh(selected == nullptr ? -1 : list_->IndexOf(selected));
}

void TFormCustomer::LVCustomerDblClick() {
    ui_->BtnSelect->click();
}
