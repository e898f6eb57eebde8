#include "TFileListView.h"

#include <QAbstractTableModel>
#include <QFile>
#include <QHeaderView>
#include <QSet>
#include <algorithm>

#include "ChildWindow.h"
#include "MessageList.h"
#include "Messages.h"
#include "TFormSearchFile.h"

// The entries as the rows of the view; the view's own sorting is off, the list sorts itself.
class TFileListModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    std::vector<FileList::Entry>& Entries() { return entries_; }
    void Reset(std::vector<FileList::Entry> entries) {
        beginResetModel();
        entries_ = std::move(entries);
        endResetModel();
    }
    void Sort(FileList::Column column, bool ascending) {
        beginResetModel();
        FileList::Sort(entries_, column, ascending);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : FileList::ColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return entries_.at(static_cast<size_t>(index.row()))
            .Text(static_cast<FileList::Column>(index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
            return {};
        }
        static const QString captions[] = {QString(), QStringLiteral("ファイル名"),
                                           QStringLiteral("会社名"), QStringLiteral("コメント"),
                                           QStringLiteral("保存日時")};
        return captions[section];
    }

  private:
    std::vector<FileList::Entry> entries_;
};

namespace {

constexpr int ColumnWidths[FileList::ColumnCount] = {20, 150, 150, 250, 120};

}  // namespace

TFileListView::TFileListView(QWidget* parent)
    : QTableView(parent), model_(new TFileListModel(this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(false);
    for (int column = 0; column < FileList::ColumnCount; ++column) {
        setColumnWidth(column, ColumnWidths[column]);
    }
    QFont small = font();
    small.setPixelSize(12);
    setFont(small);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The selected row stays visible while a button has the focus.
    QPalette colours = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFileListView::LVFileListColumnClick);
}

void TFileListView::showListing(FileList::Listing listing) {
    model_->Reset(std::move(listing.Entries));
    if (listing.Unreadable.isEmpty()) {
        return;
    }
    Messages::Error(window(),
                    QStringLiteral("次のファイルは読み込めないため一覧に表示していません。\r\n") +
                        MessageList(listing.Unreadable));
}

void TFileListView::FillFileList(const QString& dataFolder) {
    showListing(FileList::Read(dataFolder));
}

void TFileListView::Filter(TFormSearchFile* search, const QString& dataFolder) {
    ShowChildWindow(search, this, [this, search, dataFolder](int result) {
        if (result == TFormSearchFile::ResultOK) {
            showListing(FileList::ReadMatching(dataFolder, search->Condition(), search->Word()));
        }
    });
}

void TFileListView::DeleteSelected(const QString& dataFolder) {
    const FileList::Entry* entry = SelectedEntry();
    if (entry == nullptr) {
        Messages::Information(window(), QStringLiteral("削除するファイルを選択してください。"));
        return;
    }
    if (!Messages::Question(window(),
                            entry->FileName + QStringLiteral(" を削除します。\r\nよろしいですか？"),
                            false)) {
        return;
    }
    if (!QFile::remove(entry->Path)) {
        Messages::Information(window(), QStringLiteral("削除できませんでした。"));
        return;
    }
    FillFileList(dataFolder);
    Messages::Information(window(), QStringLiteral("削除しました。"));
}

std::vector<const FileList::Entry*> TFileListView::SelectedEntries() const {
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<const FileList::Entry*> entries;
    for (const QModelIndex& row : rows) {
        entries.push_back(&model_->Entries().at(static_cast<size_t>(row.row())));
    }
    return entries;
}

const FileList::Entry* TFileListView::SelectedEntry() const {
    const std::vector<const FileList::Entry*> entries = SelectedEntries();
    return entries.empty() ? nullptr : entries.front();
}

void TFileListView::LVFileListColumnClick(int column) {
    // The chosen rows stay chosen in their new places.
    QSet<QString> selected;
    for (const FileList::Entry* entry : SelectedEntries()) {
        selected.insert(entry->Path);
    }
    ascending_ = !ascending_;
    model_->Sort(static_cast<FileList::Column>(column), ascending_);
    QItemSelection rows;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (selected.contains(model_->Entries()[static_cast<size_t>(row)].Path)) {
            rows.select(model_->index(row, 0), model_->index(row, FileList::ColumnCount - 1));
        }
    }
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
