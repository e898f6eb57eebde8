#pragma once

#include <QHash>
#include <functional>

#include "TPRControl.h"
#include "TPdfDoc.h"

// One report page: a template whose panels are painted onto a fresh PDF page. It keeps an
// index of its components by name, so the slip code finds them the way it names them.
class TPRPage : public TPRControl {
  public:
    using TPRPrintPageEvent = std::function<void(TPRPage&, TPRCanvas&)>;

    TPRPage();
    QString ClassName() const override { return QStringLiteral("TPRPage"); }

    int MarginTop() const { return margins_[0]; }
    int MarginLeft() const { return margins_[1]; }
    int MarginRight() const { return margins_[2]; }
    int MarginBottom() const { return margins_[3]; }
    // Negative margins are ignored.
    void SetMarginTop(int value) { SetMargin(0, value); }
    void SetMarginLeft(int value) { SetMargin(1, value); }
    void SetMarginRight(int value) { SetMargin(2, value); }
    void SetMarginBottom(int value) { SetMargin(3, value); }

    TPRPrintPageEvent OnPrintPage;

    void Render(TPRCanvas& canvas);

    // The component of that name and class; null when the page has none.
    template <class T>
    T* Find(const QString& name) const {
        return dynamic_cast<T*>(index_.value(name, nullptr));
    }

    // The canvas that measures text for the labels of this page; it never writes.
    pdf::TPdfCanvas& MeasuringCanvas() { return *measuringCanvas_; }

    // Puts a control just added somewhere under this page, and its children, in the index.
    void Register(TPRControl& control);

  protected:
    void CheckChild(const TPRControl& child) const override;

  private:
    void SetMargin(int index, int value) {
        if (value >= 0) {
            margins_[index] = value;
        }
    }

    int margins_[4] = {32, 32, 32, 32};
    QHash<QString, TPRControl*> index_;
    pdf::TPdfDoc measuring_;
    pdf::TPdfCanvas* measuringCanvas_;
};
