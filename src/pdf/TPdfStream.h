#pragma once

#include <memory>
#include <string>

#include "TPdfDictionary.h"

namespace pdf {

// Attributes start with "Length" 0 and an empty "Filter" array; the data is never compressed.
class TPdfStream : public TPdfObject {
  public:
    explicit TPdfStream(const TPdfObjectMgr* objectMgr = nullptr);

    TPdfDictionary& Attributes() { return *attributes_; }
    const TPdfDictionary& Attributes() const { return *attributes_; }
    std::string& Stream() { return stream_; }
    const std::string& Stream() const { return stream_; }

    // Sets "Length" to the data size and takes "FlateDecode" out of "Filter" first.
    void WriteValue(TPdfWriteStream& stream) override;

  private:
    std::unique_ptr<TPdfDictionary> attributes_;
    std::string stream_;
};

class TPdfXObject : public TPdfStream {
  public:
    using TPdfStream::TPdfStream;
};

class TPdfImage : public TPdfXObject {
  public:
    using TPdfXObject::TPdfXObject;
};

}  // namespace pdf
