#pragma once

#include <cstdint>

#include "PdfNumberFormat.h"
#include "TPdfObject.h"

namespace pdf {

class TPdfNumber : public TPdfObject {
  public:
    explicit TPdfNumber(std::int32_t value = 0) : value_(value) {}

    std::int32_t Value() const { return value_; }
    void SetValue(std::int32_t value) { value_ = value; }
    void WriteValue(TPdfWriteStream& stream) override { stream.Write(FormatInteger(value_)); }

  private:
    std::int32_t value_;
};

}  // namespace pdf
