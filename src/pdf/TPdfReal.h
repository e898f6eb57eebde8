#pragma once

#include "PdfNumberFormat.h"
#include "TPdfObject.h"

namespace pdf {

class TPdfReal : public TPdfObject {
  public:
    explicit TPdfReal(double value = 0) : value_(value) {}

    double Value() const { return value_; }
    void SetValue(double value) { value_ = value; }
    void WriteValue(TPdfWriteStream& stream) override { stream.Write(FormatReal(value_)); }

  private:
    double value_;
};

}  // namespace pdf
