#pragma once

#include <cstdint>

#include "TPdfDictionary.h"

namespace pdf {

class TPdfTrailer {
  public:
    explicit TPdfTrailer(const TPdfObjectMgr* objectMgr) : attributes_(objectMgr) {}

    TPdfDictionary& Attributes() { return attributes_; }
    std::int32_t XrefAddress() const { return xrefAddress_; }
    void SetXrefAddress(std::int32_t address) { xrefAddress_ = address; }

    // "trailer", the dictionary, "startxref" and the address, "%%EOF".
    void WriteToStream(TPdfWriteStream& stream);

  private:
    TPdfDictionary attributes_;
    std::int32_t xrefAddress_ = 0;
};

}  // namespace pdf
