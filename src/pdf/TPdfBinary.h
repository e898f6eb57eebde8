#pragma once

#include <string>

#include "TPdfObject.h"

namespace pdf {

// Bytes that are already in PDF syntax, written as they are.
class TPdfBinary : public TPdfObject {
  public:
    TPdfBinary() = default;
    explicit TPdfBinary(std::string bytes) : stream_(std::move(bytes)) {}

    std::string& Stream() { return stream_; }
    const std::string& Stream() const { return stream_; }
    void WriteValue(TPdfWriteStream& stream) override { stream.Write(stream_); }

  private:
    std::string stream_;
};

}  // namespace pdf
