#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "TPdfObject.h"

namespace pdf {

class TPdfName;

class TPdfArray : public TPdfObject {
  public:
    explicit TPdfArray(const TPdfObjectMgr* objectMgr = nullptr) : objectMgr_(objectMgr) {}

    static std::unique_ptr<TPdfArray> MakeNumberArray(const TPdfObjectMgr* objectMgr,
                                                      std::initializer_list<std::int32_t> values);

    // Takes a direct object over, or stores a reference for a virtual one; returns the item.
    TPdfObject* Append(std::unique_ptr<TPdfObject> item);
    // A numbered object is stored as a reference; a direct object that is already an item
    // is left where it is (the array owns it); any other direct object is refused, since
    // only its owner may hand it over.
    void Append(TPdfObject& object);

    int Count() const { return static_cast<int>(items_.size()); }
    // Zero-based; references are resolved; null when out of range or unresolvable.
    TPdfObject* Item(int index) const;
    TPdfName* FindName(std::string_view text) const;
    bool DeleteName(std::string_view text);

    const TPdfObjectMgr* ObjectMgr() const { return objectMgr_; }
    void WriteValue(TPdfWriteStream& stream) override;

  private:
    std::vector<std::unique_ptr<TPdfObject>> items_;
    const TPdfObjectMgr* objectMgr_;
};

}  // namespace pdf
