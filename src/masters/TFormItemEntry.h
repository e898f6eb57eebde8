#pragma once

#include <QDialog>

#include "TThItemObjectList.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// What the item-add and item-edit windows share: name, unit and price fields, the price
// field's format, and the confirm and cancel buttons. Each window brings its own layout;
// after its setupUi it calls SetUpControls, which finds the controls by name.
class TFormItemEntry : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    // Before each showing: the unit choices are "＜なし＞" and the units of unitPath as
    // last saved; the price shows "#,##0.##", or "#,##0.00" with printDecimals.
    void Prepare(const QString& unitPath, bool printDecimals, const TThItemObject& item);

    // Shows the reduced-rate mark of a qualified invoice; hidden, the item keeps its mark.
    void SetQualifiedInvoice(bool on);

    // The fields as an item; an empty price is 0. Valid after the window closed with OK.
    TThItemObject Item() const;

    void reject() override;

  protected:
    explicit TFormItemEntry(QWidget* parent);

    void SetUpControls();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString priceText(Currency price) const;
    void updateConfirm();
    void EdtItemPriceEnter();
    void EdtItemPriceExit();
    void BtnOKClick();

    QLineEdit* name_ = nullptr;
    QComboBox* unit_ = nullptr;
    QLineEdit* price_ = nullptr;
    QCheckBox* reduced_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool printDecimals_ = false;
};
