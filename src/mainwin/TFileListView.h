#pragma once

#include <QTableView>
#include <vector>

#include "FileList.h"

class TFileListModel;
class TFormSearchFile;

// The list of document files that TFormOpen, TFormListFileSave and TFormTotalClaim share:
// filling, filtering, deleting and the column sort, whose state stays between showings.
class TFileListView : public QTableView {
    Q_OBJECT

  public:
    explicit TFileListView(QWidget* parent = nullptr);

    // FillFileList: every document file of dataFolder in folder order; afterwards one
    // message names the files that could not be read.
    void FillFileList(const QString& dataFolder);
    // 条件絞込み: shows search and, when it closes with OK, lists only the matching files.
    void Filter(TFormSearchFile* search, const QString& dataFolder);
    // 削除 of the selected file, with its question and messages.
    void DeleteSelected(const QString& dataFolder);

    // The selected entries from top to bottom as displayed; the first one or nullptr.
    std::vector<const FileList::Entry*> SelectedEntries() const;
    const FileList::Entry* SelectedEntry() const;

    void LVFileListColumnClick(int column);

  private:
    void showListing(FileList::Listing listing);

    TFileListModel* model_;
    // Inverted before every sort, whatever the column: the first sort is ascending.
    bool ascending_ = false;
};
