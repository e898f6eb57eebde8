#pragma once

#include <QDialog>
#include <memory>

class TFormSave;
class TThEstimateObjectList;

namespace Ui {
class TFormListFileSave;
}

// "保存": the document files of the data folder, to save the document under a new name or
// over a listed file; it stays open after a save until the user closes it.
class TFormListFileSave : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultCancel = 2 };

    explicit TFormListFileSave(QWidget* parent = nullptr);
    ~TFormListFileSave() override;

    // The window that asks for the name and comment, created once beside this one.
    void SetSaveWindow(TFormSave* save) { save_ = save; }
    // Before each showing: the document to save and the folder listed.
    void Bind(const TThEstimateObjectList& document, const QString& dataFolder);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BtnNewClick();
    void BtnOverClick();
    void openSave(const QString& fileName, const QString& comment);

    std::unique_ptr<Ui::TFormListFileSave> ui_;
    TFormSave* save_ = nullptr;
    const TThEstimateObjectList* document_ = nullptr;
    QString dataFolder_;
};
