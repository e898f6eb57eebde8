#include "TPRPanel.h"

#include "TPRItem.h"
#include "TPRPage.h"

void TPRPanel::Render(TPRCanvas& canvas, const TPRBounds& rect) {
    for (const auto& child : Children()) {
        const TPRBounds bounds{rect.Left + child->Left, rect.Top + child->Top,
                               rect.Left + child->Left + child->Width,
                               rect.Top + child->Top + child->Height};
        if (auto* panel = dynamic_cast<TPRPanel*>(child.get())) {
            panel->Render(canvas, bounds);
        } else if (auto* item = dynamic_cast<TPRItem*>(child.get()); item && item->Printable) {
            item->Render(canvas, bounds);
        }
    }
}

void TPRPanel::CheckChild(const TPRControl& child) const {
    if (dynamic_cast<const TPRPage*>(&child) != nullptr) {
        TPRControl::CheckChild(child);
    }
}
