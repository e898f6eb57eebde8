#pragma once

#include <QDialog>
#include <memory>

#include "FileList.h"

namespace Ui {
class TFormSearchFile;
}

// "条件絞込み": one condition and its word for the file lists. A date picked in the
// calendar becomes the word "yyyy/mm/dd"; the mode is picked from 通常 and 合計請求.
class TFormSearchFile : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormSearchFile(QWidget* parent = nullptr);
    ~TFormSearchFile() override;

    FileList::Condition Condition() const;
    QString Word() const;

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CBHeadChange();
    void CBModeChange();
    void DateTimePicker1Change(QDate date);
    void EdtWordChange();

    std::unique_ptr<Ui::TFormSearchFile> ui_;
};
