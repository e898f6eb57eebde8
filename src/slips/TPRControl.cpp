#include "TPRControl.h"

#include "Exception.h"
#include "TPRItem.h"
#include "TPRPage.h"

TPRControl::~TPRControl() = default;

TPRPage* TPRControl::Page() {
    for (TPRControl* control = this; control != nullptr; control = control->parent_) {
        if (auto* page = dynamic_cast<TPRPage*>(control)) {
            return page;
        }
    }
    return nullptr;
}

void TPRControl::CheckChild(const TPRControl& child) const {
    if (dynamic_cast<const TPRItem*>(&child) != nullptr) {
        throw pdf::Exception("this component must set on TPRPanel");
    }
    throw pdf::Exception("TPRPage can not set on " + ClassName().toStdString());
}

void TPRControl::Adopt(std::unique_ptr<TPRControl> child) {
    CheckChild(*child);
    child->parent_ = this;
    TPRControl* added = child.get();
    children_.push_back(std::move(child));
    if (TPRPage* page = Page()) {
        page->Register(*added);
    }
}
