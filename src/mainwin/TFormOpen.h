#pragma once

#include <QDialog>
#include <memory>

class OpenDocument;
class TFormSearchFile;
class TThEstimateObjectList;

namespace Ui {
class TFormOpen;
}

// "ファイルを開く": picks a document file of the data folder and reads it into the document
// (ResultOK); the list can be filtered, sorted and files deleted.
class TFormOpen : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    explicit TFormOpen(QWidget* parent = nullptr);
    ~TFormOpen() override;

    // The filter window, created once beside this one.
    void SetSearchWindow(TFormSearchFile* search) { search_ = search; }
    // Before each showing: the document a file is read into and the folder listed; open,
    // when given, learns the file opened and whether it is read-only here.
    void Bind(TThEstimateObjectList& document, const QString& dataFolder,
              OpenDocument* open = nullptr);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BtnOpenClick();

    std::unique_ptr<Ui::TFormOpen> ui_;
    TFormSearchFile* search_ = nullptr;
    TThEstimateObjectList* document_ = nullptr;
    OpenDocument* open_ = nullptr;
    QString dataFolder_;
};
