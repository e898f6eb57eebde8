#include "TPdfXref.h"

#include "Exception.h"
#include "PdfNumberFormat.h"

namespace pdf {

TPdfXrefEntry::TPdfXrefEntry(std::string entryType, std::int32_t generationNumber,
                             std::unique_ptr<TPdfObject> value)
    : entryType_(std::move(entryType)),
      generationNumber_(generationNumber),
      value_(std::move(value)) {}

std::string TPdfXrefEntry::Line() const {
    return FormatZeroPadded(byteOffset_ < 0 ? 0 : byteOffset_, 10) + " " +
           FormatZeroPadded(generationNumber_, 5) + " " + entryType_ + "\r\n";
}

TPdfXref::TPdfXref() {
    entries_.emplace_back("f", 65535, nullptr);
}

TPdfObject* TPdfXref::AddObject(std::unique_ptr<TPdfObject> object) {
    if (object == nullptr || object->ObjectType() != TPdfObjectType::Direct) {
        throw EPdfInvalidOperation("AddObject --wrong object type.");
    }
    TPdfObject* added = object.get();
    added->objectType_ = TPdfObjectType::Indirect;
    added->objectNumber_ = static_cast<std::int32_t>(entries_.size());
    entries_.emplace_back("n", added->generationNumber_, std::move(object));
    return added;
}

TPdfObject* TPdfXref::GetObject(std::int32_t objectNumber) const {
    if (objectNumber < 0 || objectNumber >= EntryCount()) {
        return nullptr;
    }
    return entries_[static_cast<std::size_t>(objectNumber)].Value();
}

}  // namespace pdf
