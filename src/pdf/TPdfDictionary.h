#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TPdfName.h"
#include "TPdfObject.h"

namespace pdf {

class TPdfArray;
class TPdfNumber;
class TPdfReal;
class TPdfText;

class TPdfDictionaryElement {
  public:
    // EPdfInvalidValue for a null value.
    TPdfDictionaryElement(std::string key, std::unique_ptr<TPdfObject> value, bool isInternal);

    const TPdfName& Key() const { return *key_; }
    TPdfObject* Value() const { return value_.get(); }
    // Kept for look-ups, left out of the file.
    bool IsInternal() const { return isInternal_; }

  private:
    std::unique_ptr<TPdfName> key_;
    std::unique_ptr<TPdfObject> value_;
    bool isInternal_;
};

class TPdfDictionary : public TPdfObject {
  public:
    explicit TPdfDictionary(const TPdfObjectMgr* objectMgr = nullptr) : objectMgr_(objectMgr) {}

    // Replaces any element of that key and puts the new one last in the written order.
    // A virtual object is stored as a reference. Returns the stored value.
    TPdfObject* SetEntry(std::string_view key, std::unique_ptr<TPdfObject> value);
    // The same for an object the dictionary does not own: it must be numbered (or virtual)
    // and is stored as a reference.
    void SetEntry(std::string_view key, TPdfObject& numbered);
    TPdfObject* SetHiddenEntry(std::string_view key, std::unique_ptr<TPdfObject> value);
    void SetNumberEntry(std::string_view key, std::int32_t value);
    void SetNameEntry(std::string_view key, std::string value);
    void DeleteEntry(std::string_view key);

    // The value under the key with references resolved; null when missing or unresolvable.
    TPdfObject* Entry(std::string_view key) const;
    // Null too when the value is of another class.
    TPdfNumber* EntryAsNumber(std::string_view key) const;
    TPdfText* EntryAsText(std::string_view key) const;
    TPdfReal* EntryAsReal(std::string_view key) const;
    TPdfName* EntryAsName(std::string_view key) const;
    TPdfDictionary* EntryAsDictionary(std::string_view key) const;
    TPdfArray* EntryAsArray(std::string_view key) const;

    int ElementCount() const { return static_cast<int>(elements_.size()); }
    // Zero-based, in insertion order; null when out of range.
    const TPdfDictionaryElement* Element(int index) const;

    const TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }
    void WriteValue(TPdfWriteStream& stream) override;

  private:
    TPdfObject* Put(std::string_view key, std::unique_ptr<TPdfObject> value, bool isInternal);

    std::vector<TPdfDictionaryElement> elements_;
    const TPdfObjectMgr* objectMgr_;
};

// The "Type" name of the dictionary, or "" when it has none.
std::string DictionaryType(const TPdfDictionary& dictionary);

}  // namespace pdf
