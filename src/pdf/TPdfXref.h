#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TPdfObject.h"

namespace pdf {

class TPdfXrefEntry {
  public:
    TPdfXrefEntry(std::string entryType, std::int32_t generationNumber,
                  std::unique_ptr<TPdfObject> value);

    // "n" for an object in use, "f" for the free head entry.
    const std::string& EntryType() const { return entryType_; }
    // -1 until the document is written.
    std::int32_t ByteOffset() const { return byteOffset_; }
    void SetByteOffset(std::int32_t offset) { byteOffset_ = offset; }
    std::int32_t GenerationNumber() const { return generationNumber_; }
    TPdfObject* Value() const { return value_.get(); }

    // Ten-digit offset, five-digit generation, type, CR LF: 20 bytes.
    std::string Line() const;

  private:
    std::string entryType_;
    std::int32_t byteOffset_ = -1;
    std::int32_t generationNumber_;
    std::unique_ptr<TPdfObject> value_;
};

// Numbers the indirect objects 1, 2, 3, ... in the order they are added and owns them.
class TPdfXref : public TPdfObjectMgr {
  public:
    TPdfXref();

    // EPdfInvalidOperation unless the object is direct.
    TPdfObject* AddObject(std::unique_ptr<TPdfObject> object) override;
    TPdfObject* GetObject(std::int32_t objectNumber) const override;

    template <class T>
    T* Add(std::unique_ptr<T> object) {
        T* added = object.get();
        AddObject(std::move(object));
        return added;
    }

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    TPdfXrefEntry& EntryAt(int index) { return entries_.at(static_cast<std::size_t>(index)); }
    const TPdfXrefEntry& EntryAt(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }

  private:
    std::vector<TPdfXrefEntry> entries_;
};

}  // namespace pdf
