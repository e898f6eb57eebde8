#pragma once

#include <QDialog>
#include <QList>
#include <memory>
#include <optional>

#include "ZipTable.h"

namespace Ui {
class TFormZipSearch;
}

// The choice window of both postal lookups: the caller fills it with the key and the
// matches, shows it modally and takes the selected row when it returns ResultOK.
class TFormZipSearch : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormZipSearch(QWidget* parent = nullptr);
    ~TFormZipSearch() override;

    void SetEntries(const QString& key, const QList<ZipTable::Entry>& entries);
    std::optional<ZipTable::Entry> SelectedEntry() const;

    // Escape and the window manager's close give Cancel, like the close button.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BtnOKClick();
    void BtnCloseClick();
    void LVZipSelectionChanged();
    void LVZipDblClick();

    std::unique_ptr<Ui::TFormZipSearch> ui_;
};
