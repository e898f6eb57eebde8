#pragma once

#include <QDialog>
#include <memory>

class TThEstimateObjectList;

namespace Ui {
class TFormSave;
}

// "保存": the name and comment a document is saved under in the data folder. It closes
// only after a successful save (ResultOK) or キャンセル (ResultCancel).
class TFormSave : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormSave(QWidget* parent = nullptr);
    ~TFormSave() override;

    // Before each showing: the document to save, the folder it goes to and the proposed
    // name and comment.
    void Bind(const TThEstimateObjectList& document, const QString& dataFolder,
              const QString& fileName, const QString& comment);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BtnOKClick();

    std::unique_ptr<Ui::TFormSave> ui_;
    const TThEstimateObjectList* document_ = nullptr;
    QString dataFolder_;
};
