#include "TPRPage.h"

#include "TPRCanvas.h"
#include "TPRPanel.h"

TPRPage::TPRPage() : TPRControl(596, 842), measuringCanvas_(&measuring_.StartMeasuringDocument()) {}

void TPRPage::Render(TPRCanvas& canvas) {
    canvas.PdfCanvas->SetPageHeight(Height);
    canvas.PdfCanvas->SetPageWidth(Width);
    if (OnPrintPage) {
        OnPrintPage(*this, canvas);
    }
    for (const auto& child : Children()) {
        if (auto* panel = dynamic_cast<TPRPanel*>(child.get())) {
            panel->Render(canvas, {child->Left, child->Top, child->Left + child->Width,
                                   child->Top + child->Height});
        }
    }
}

void TPRPage::Register(TPRControl& control) {
    if (!control.Name.isEmpty()) {
        index_.insert(control.Name, &control);
    }
    for (const auto& child : control.Children()) {
        Register(*child);
    }
}

void TPRPage::CheckChild(const TPRControl& child) const {
    if (dynamic_cast<const TPRPanel*>(&child) == nullptr) {
        TPRControl::CheckChild(child);
    }
}
