#include "TPdfDictionary.h"

#include <algorithm>

#include "Exception.h"
#include "TPdfArray.h"
#include "TPdfNumber.h"
#include "TPdfReal.h"
#include "TPdfText.h"

namespace pdf {

TPdfDictionaryElement::TPdfDictionaryElement(std::string key, std::unique_ptr<TPdfObject> value,
                                             bool isInternal)
    : key_(std::make_unique<TPdfName>(std::move(key))),
      value_(std::move(value)),
      isInternal_(isInternal) {
    if (value_ == nullptr) {
        throw EPdfInvalidValue("internal error. wrong object.");
    }
}

TPdfObject* TPdfDictionary::Put(std::string_view key, std::unique_ptr<TPdfObject> value,
                                bool isInternal) {
    TPdfDictionaryElement element(std::string(key), ContainedForm(std::move(value)), isInternal);
    DeleteEntry(key);
    elements_.push_back(std::move(element));
    return elements_.back().Value();
}

TPdfObject* TPdfDictionary::SetEntry(std::string_view key, std::unique_ptr<TPdfObject> value) {
    return Put(key, std::move(value), false);
}

void TPdfDictionary::SetEntry(std::string_view key, TPdfObject& numbered) {
    if (numbered.ObjectType() == TPdfObjectType::Direct) {
        throw EPdfInvalidOperation("SetEntry --a direct object must be handed over");
    }
    Put(key, ReferenceTo(numbered), false);
}

TPdfObject* TPdfDictionary::SetHiddenEntry(std::string_view key,
                                           std::unique_ptr<TPdfObject> value) {
    return Put(key, std::move(value), true);
}

void TPdfDictionary::SetNumberEntry(std::string_view key, std::int32_t value) {
    SetEntry(key, std::make_unique<TPdfNumber>(value));
}

void TPdfDictionary::SetNameEntry(std::string_view key, std::string value) {
    SetEntry(key, std::make_unique<TPdfName>(std::move(value)));
}

void TPdfDictionary::DeleteEntry(std::string_view key) {
    auto found = std::find_if(elements_.begin(), elements_.end(),
                              [&](const auto& element) { return element.Key().Value() == key; });
    if (found != elements_.end()) {
        elements_.erase(found);
    }
}

TPdfObject* TPdfDictionary::Entry(std::string_view key) const {
    for (const auto& element : elements_) {
        if (element.Key().Value() == key) {
            return ResolveReference(element.Value(), objectMgr_);
        }
    }
    return nullptr;
}

TPdfNumber* TPdfDictionary::EntryAsNumber(std::string_view key) const {
    return dynamic_cast<TPdfNumber*>(Entry(key));
}

TPdfText* TPdfDictionary::EntryAsText(std::string_view key) const {
    return dynamic_cast<TPdfText*>(Entry(key));
}

TPdfReal* TPdfDictionary::EntryAsReal(std::string_view key) const {
    return dynamic_cast<TPdfReal*>(Entry(key));
}

TPdfName* TPdfDictionary::EntryAsName(std::string_view key) const {
    return dynamic_cast<TPdfName*>(Entry(key));
}

TPdfDictionary* TPdfDictionary::EntryAsDictionary(std::string_view key) const {
    return dynamic_cast<TPdfDictionary*>(Entry(key));
}

TPdfArray* TPdfDictionary::EntryAsArray(std::string_view key) const {
    return dynamic_cast<TPdfArray*>(Entry(key));
}

const TPdfDictionaryElement* TPdfDictionary::Element(int index) const {
    if (index < 0 || index >= ElementCount()) {
        return nullptr;
    }
    return &elements_[static_cast<std::size_t>(index)];
}

void TPdfDictionary::WriteValue(TPdfWriteStream& stream) {
    stream.Write("<<\r\n");
    for (auto& element : elements_) {
        if (element.IsInternal()) {
            continue;
        }
        std::string key;
        AppendEscapedName(key, element.Key().Value());
        key += ' ';
        stream.Write(key);
        element.Value()->Write(stream);
        stream.Write("\r\n");
    }
    stream.Write(">>");
}

std::string DictionaryType(const TPdfDictionary& dictionary) {
    TPdfName* type = dictionary.EntryAsName("Type");
    return type != nullptr ? type->Value() : std::string();
}

}  // namespace pdf
