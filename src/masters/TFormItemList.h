#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class TFormItemAdd;
class TFormItemEdit;
class TFormUnitAdd;
class TFormUnitEdit;
class TThItemObjectList;
class TThItemUnitObjectList;

namespace Ui {
class TFormItemList;
}

// "品名リスト編集": the item master and the unit master side by side. It works on the
// caller's live lists; the caller saves them after OK and reloads them after Cancel.
class TFormItemList : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultOK = 1, ResultCancel = 2 };

    // 印刷・PDF出力 of the item list; the button stays disabled until it is given.
    using PrintCommand = std::function<void(QWidget* parent)>;

    explicit TFormItemList(QWidget* parent = nullptr);
    ~TFormItemList() override;

    // The four record windows, created once beside this one.
    void SetEntryWindows(TFormItemAdd* itemAdd, TFormItemEdit* itemEdit, TFormUnitAdd* unitAdd,
                         TFormUnitEdit* unitEdit);
    void SetPrintCommand(PrintCommand print);

    // Before each showing: the lists to edit; unitPath is "ItemUnit.dat", whose saved
    // units the item windows offer; printDecimals is PRINTDECIMAL.
    void Bind(TThItemObjectList& items, TThItemUnitObjectList& units, const QString& unitPath,
              bool printDecimals);

    void reject() override;

  private:
    void BtnItemAddClick();
    void BtnItemEditClick();
    void BtnItemDeleteClick();
    void BtnUnitAddClick();
    void BtnUnitEditClick();
    void BtnUnitDeleteClick();

    int selectedItem() const;
    int selectedUnit() const;
    void refreshItems();
    void refreshUnits();
    // Shows a record window without a nested event loop; onOK runs when it closes with OK.
    void openEntry(QDialog* window, std::function<void()> onOK);

    std::unique_ptr<Ui::TFormItemList> ui_;
    TFormItemAdd* itemAdd_ = nullptr;
    TFormItemEdit* itemEdit_ = nullptr;
    TFormUnitAdd* unitAdd_ = nullptr;
    TFormUnitEdit* unitEdit_ = nullptr;
    PrintCommand print_;
    TThItemObjectList* items_ = nullptr;
    TThItemUnitObjectList* units_ = nullptr;
    QString unitPath_;
    bool printDecimals_ = false;
};
