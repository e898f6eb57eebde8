#pragma once

#include <cstdint>
#include <memory>

#include "TPdfWriteStream.h"

namespace pdf {

enum class TPdfObjectType : std::uint8_t { Direct = 0, Indirect = 1, Virtual = 2 };

class TPdfXref;

class TPdfObject {
  public:
    TPdfObject() = default;
    virtual ~TPdfObject() = default;
    TPdfObject(const TPdfObject&) = delete;
    TPdfObject& operator=(const TPdfObject&) = delete;

    TPdfObjectType ObjectType() const { return objectType_; }
    std::int32_t ObjectNumber() const { return objectNumber_; }
    std::int32_t GenerationNumber() const { return generationNumber_; }

    // A numbered or virtual object writes "<number> <generation> R"; others their value.
    void Write(TPdfWriteStream& stream);
    // "<number> <generation> obj\r\n", the value, "\r\nendobj\r\n"; only for numbered objects.
    void WriteIndirect(TPdfWriteStream& stream);
    // Not const: a stream sets its Length while it is written.
    virtual void WriteValue(TPdfWriteStream& stream);

  protected:
    TPdfObject(TPdfObjectType type, std::int32_t number)
        : objectType_(type), objectNumber_(number) {}

  private:
    friend class TPdfXref;  // the only one that numbers objects

    TPdfObjectType objectType_ = TPdfObjectType::Direct;
    std::int32_t objectNumber_ = -1;
    std::int32_t generationNumber_ = 0;
};

// Owns the indirect objects of a document and finds them by number.
class TPdfObjectMgr {
  public:
    virtual ~TPdfObjectMgr() = default;
    // Takes the object over and numbers it; returns it for further use.
    virtual TPdfObject* AddObject(std::unique_ptr<TPdfObject> object) = 0;
    // Null for a number that is not in use.
    virtual TPdfObject* GetObject(std::int32_t objectNumber) const = 0;
};

// Stands in a container in place of a numbered object.
class TPdfVirtualObject : public TPdfObject {
  public:
    // Always fails: a reference needs the number of the object it stands for.
    TPdfVirtualObject();
    static std::unique_ptr<TPdfVirtualObject> CreateVirtual(std::int32_t objectNumber);

  private:
    explicit TPdfVirtualObject(std::int32_t objectNumber);
};

// The object itself, or, for a reference, what the manager holds under its number (null
// without a manager).
TPdfObject* ResolveReference(TPdfObject* object, const TPdfObjectMgr* objectMgr);

// What a container stores for an object handed to it: the object, or a new reference to it
// when it is not direct.
std::unique_ptr<TPdfObject> ContainedForm(std::unique_ptr<TPdfObject> object);
std::unique_ptr<TPdfObject> ReferenceTo(const TPdfObject& object);

}  // namespace pdf
