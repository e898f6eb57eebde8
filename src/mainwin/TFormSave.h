#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "OpenDocument.h"

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
    // name and comment; open is the file the window has open, which the save changes (when
    // absent, one of this window's own), and listed the file picked to be overwritten.
    void Bind(const TThEstimateObjectList& document, const QString& dataFolder,
              const QString& fileName, const QString& comment, OpenDocument* open = nullptr,
              const std::optional<OpenDocument::Listed>& listed = std::nullopt);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BtnOKClick();

    std::unique_ptr<Ui::TFormSave> ui_;
    const TThEstimateObjectList* document_ = nullptr;
    QString dataFolder_;
    OpenDocument* open_ = nullptr;
    std::unique_ptr<OpenDocument> unbound_;
    std::optional<OpenDocument::Listed> listed_;
};
