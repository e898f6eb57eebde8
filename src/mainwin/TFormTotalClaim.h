#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

class TFormSearchFile;

namespace Ui {
class TFormTotalClaim;
}

// "データの選択": the saved documents a total invoice is built from, several at once.
class TFormTotalClaim : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormTotalClaim(QWidget* parent = nullptr);
    ~TFormTotalClaim() override;

    // The filter window, created once beside this one.
    void SetSearchWindow(TFormSearchFile* search) { search_ = search; }
    // Before each showing: the folder listed.
    void Bind(const QString& dataFolder);

    // After ResultOK: the chosen files from top to bottom as the list shows them.
    QStringList SelectedPaths() const;

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BtnOKClick();

    std::unique_ptr<Ui::TFormTotalClaim> ui_;
    TFormSearchFile* search_ = nullptr;
    QString dataFolder_;
};
