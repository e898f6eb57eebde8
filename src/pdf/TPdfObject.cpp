#include "TPdfObject.h"

#include "Exception.h"
#include "PdfNumberFormat.h"

namespace pdf {

void TPdfObject::Write(TPdfWriteStream& stream) {
    if (objectType_ == TPdfObjectType::Direct) {
        WriteValue(stream);
        return;
    }
    std::string reference;
    AppendInteger(reference, objectNumber_);
    reference += ' ';
    AppendInteger(reference, generationNumber_);
    reference += " R";
    stream.Write(reference);
}

void TPdfObject::WriteIndirect(TPdfWriteStream& stream) {
    if (objectType_ != TPdfObjectType::Indirect) {
        throw EPdfInvalidOperation("internal error wrong object type");
    }
    std::string head;
    AppendInteger(head, objectNumber_);
    head += ' ';
    AppendInteger(head, generationNumber_);
    head += " obj\r\n";
    stream.Write(head);
    WriteValue(stream);
    stream.Write("\r\nendobj\r\n");
}

void TPdfObject::WriteValue(TPdfWriteStream&) {}

TPdfVirtualObject::TPdfVirtualObject() {
    throw Exception("virtualObject must be create by CreateVirtual method.");
}

TPdfVirtualObject::TPdfVirtualObject(std::int32_t objectNumber)
    : TPdfObject(TPdfObjectType::Virtual, objectNumber) {}

std::unique_ptr<TPdfVirtualObject> TPdfVirtualObject::CreateVirtual(std::int32_t objectNumber) {
    return std::unique_ptr<TPdfVirtualObject>(new TPdfVirtualObject(objectNumber));
}

TPdfObject* ResolveReference(TPdfObject* object, const TPdfObjectMgr* objectMgr) {
    if (object == nullptr || object->ObjectType() != TPdfObjectType::Virtual) {
        return object;
    }
    return objectMgr != nullptr ? objectMgr->GetObject(object->ObjectNumber()) : nullptr;
}

std::unique_ptr<TPdfObject> ReferenceTo(const TPdfObject& object) {
    return TPdfVirtualObject::CreateVirtual(object.ObjectNumber());
}

std::unique_ptr<TPdfObject> ContainedForm(std::unique_ptr<TPdfObject> object) {
    if (object != nullptr && object->ObjectType() != TPdfObjectType::Direct) {
        return ReferenceTo(*object);
    }
    return object;
}

}  // namespace pdf
