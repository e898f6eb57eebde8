#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// What the unit-add and unit-edit windows share: one unit field and the confirm and
// cancel buttons. Each window brings its own layout and prompt; after its setupUi it calls
// SetUpControls, which finds the controls by name.
class TFormUnitEntry : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    void SetUnit(const QString& unit);
    // The field exactly as typed.
    QString Unit() const;

    void reject() override;

  protected:
    explicit TFormUnitEntry(QWidget* parent);

    void SetUpControls();

    void showEvent(QShowEvent* event) override;

  private:
    void updateConfirm();
    void EdtUnitReturn();

    QLineEdit* unit_ = nullptr;
    QPushButton* ok_ = nullptr;
};
