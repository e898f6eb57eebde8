#pragma once

#include <QString>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
class TSsEdit;
struct TThEstimateObject;

// The eight controls that show line item Index in the editor. They are named with the
// index as suffix ("EditItemName_3") and carry it as their "tag" property.
struct TItemRow {
    static constexpr int Height = 25;
    static inline const char* const TagProperty = "tag";

    int Index = -1;
    QLabel* LblItemNo = nullptr;
    QLineEdit* EditItemName = nullptr;
    TSsEdit* MemoItemNum = nullptr;
    QLineEdit* MemoItemUnit = nullptr;
    TSsEdit* MemoItemUnitPrice = nullptr;
    TSsEdit* MemoItemTotalPrice = nullptr;
    QLineEdit* EditItemEtc = nullptr;
    QCheckBox* CBItemNoTax = nullptr;
    // The reduced-rate mark of a qualified invoice; hidden and out of the tab order otherwise.
    QCheckBox* CBItemReduced = nullptr;

    // Creates the controls in box at the row's place (in content coordinates).
    static TItemRow Create(QWidget* box, int index);
    void Destroy();

    // The seven input controls in tab order.
    std::array<QWidget*, 7> Inputs() const;
    // The six text and numeric fields, which the highlight colours.
    std::array<QLineEdit*, 6> Fields() const;
    // Quantity, unit price and amount.
    std::array<TSsEdit*, 3> Figures() const;

    void SetMarked(bool marked);
    // Shows the reduced-rate mark, making room for it beside the remark.
    void ShowReducedMark(bool on);
    // Shows the texts and the enabled state; only controls whose state differs are touched,
    // so refreshing every row after each edit stays cheap.
    void Show(const TThEstimateObject& line, const std::array<QString, 3>& figures,
              bool totalClaim);
};
