#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

#include "SharedSave.h"

class OpenDocument;
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
    // Before each showing: the document to save and the folder listed; open, when given, is
    // the file the window has open, which a save changes.
    void Bind(const TThEstimateObjectList& document, const QString& dataFolder,
              OpenDocument* open = nullptr);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BtnNewClick();
    void BtnOverClick();
    void openSave(const QString& fileName, const QString& comment, const QString& listedPath);
    // Fills the list, the files stamped just before their headers are read.
    void FillList();

    std::unique_ptr<Ui::TFormListFileSave> ui_;
    TFormSave* save_ = nullptr;
    const TThEstimateObjectList* document_ = nullptr;
    QString dataFolder_;
    OpenDocument* open_ = nullptr;
    QHash<QString, SharedSave::FileStamp> listed_;
};
