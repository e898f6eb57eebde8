#include "TPdfArray.h"

#include <algorithm>

#include "Exception.h"
#include "TPdfName.h"
#include "TPdfNumber.h"

namespace pdf {

std::unique_ptr<TPdfArray> TPdfArray::MakeNumberArray(const TPdfObjectMgr* objectMgr,
                                                      std::initializer_list<std::int32_t> values) {
    auto array = std::make_unique<TPdfArray>(objectMgr);
    for (std::int32_t value : values) {
        array->Append(std::make_unique<TPdfNumber>(value));
    }
    return array;
}

TPdfObject* TPdfArray::Append(std::unique_ptr<TPdfObject> item) {
    if (item == nullptr) {
        throw EPdfInvalidValue("internal error. wrong object.");
    }
    items_.push_back(ContainedForm(std::move(item)));
    return items_.back().get();
}

void TPdfArray::Append(TPdfObject& object) {
    if (object.ObjectType() != TPdfObjectType::Direct) {
        items_.push_back(ReferenceTo(object));
        return;
    }
    bool isItem = std::any_of(items_.begin(), items_.end(),
                              [&](const auto& item) { return item.get() == &object; });
    if (!isItem) {
        throw EPdfInvalidOperation("Append --a direct object must be handed over");
    }
}

TPdfObject* TPdfArray::Item(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return ResolveReference(items_[static_cast<std::size_t>(index)].get(), objectMgr_);
}

TPdfName* TPdfArray::FindName(std::string_view text) const {
    for (int i = 0; i < Count(); ++i) {
        auto* name = dynamic_cast<TPdfName*>(Item(i));
        if (name != nullptr && name->Value() == text) {
            return name;
        }
    }
    return nullptr;
}

bool TPdfArray::DeleteName(std::string_view text) {
    TPdfName* name = FindName(text);
    if (name == nullptr) {
        return false;
    }
    // Erasing the item destroys a direct name; a reference goes, its target stays.
    auto found = std::find_if(items_.begin(), items_.end(), [&](const auto& item) {
        return ResolveReference(item.get(), objectMgr_) == name;
    });
    items_.erase(found);
    return true;
}

void TPdfArray::WriteValue(TPdfWriteStream& stream) {
    stream.Write("[");
    for (auto& item : items_) {
        item->Write(stream);
        stream.Write(" ");
    }
    stream.Write("]");
}

}  // namespace pdf
