#pragma once

#include <QDialog>
#include <functional>

#include "TThCustomerObject.h"

class QLineEdit;

// What the add window and the edit window share: the nine customer fields, the two postal
// lookups and the confirm and close buttons. Each window brings its own layout; after its
// setupUi it calls SetUpControls, which finds the controls by name.
class TFormCustomEntry : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    // A postal lookup reads and fills the window's EdtZip and EdtAdd1; window is the parent
    // of its messages and its choice window.
    using Lookup = std::function<void(QWidget* window, QLineEdit* zip, QLineEdit* add1)>;

    // The 郵便番号 and 住所１ buttons stay disabled until their lookups are given.
    void SetLookups(Lookup byCode, Lookup byAddress);

    void SetCustomer(const TThCustomerObject& customer);
    // The nine fields; the code is the first line of MMCusCode. NameTitle stays empty.
    TThCustomerObject Customer() const;

    // Escape and the window manager's close give Cancel, like 閉じる.
    void reject() override;

  protected:
    explicit TFormCustomEntry(QWidget* parent);

    void SetUpControls();

    void showEvent(QShowEvent* event) override;

  private:
    QLineEdit* edit(const char* name) const;
    QLineEdit* field(size_t index) const;
    // False, after telling the user, when a field holds a character that cp932 cannot
    // hold: "Customer.dat" could not be written later.
    bool fieldsCanBeSaved();

    void BtnOKClick();
    void BtnCloseClick();
    void BtnZipClick();
    void BtnAdd1Click();

    Lookup byCode_;
    Lookup byAddress_;
};
