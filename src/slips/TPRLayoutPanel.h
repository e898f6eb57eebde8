#pragma once

#include <functional>

#include "TPRPanel.h"

// The panel that covers a template page; hooks run around its painting.
class TPRLayoutPanel : public TPRPanel {
  public:
    using TPRPrintPanelEvent = std::function<void(TPRLayoutPanel&, TPRCanvas&, const TPRBounds&)>;

    TPRPrintPanelEvent BeforePrint;
    TPRPrintPanelEvent AfterPrint;

    QString ClassName() const override { return QStringLiteral("TPRLayoutPanel"); }
    void Render(TPRCanvas& canvas, const TPRBounds& rect) override {
        if (BeforePrint) {
            BeforePrint(*this, canvas, rect);
        }
        TPRPanel::Render(canvas, rect);
        if (AfterPrint) {
            AfterPrint(*this, canvas, rect);
        }
    }
};
