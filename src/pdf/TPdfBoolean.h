#pragma once

#include "TPdfObject.h"

namespace pdf {

class TPdfBoolean : public TPdfObject {
  public:
    explicit TPdfBoolean(bool value = false) : value_(value) {}

    bool Value() const { return value_; }
    void SetValue(bool value) { value_ = value; }
    void WriteValue(TPdfWriteStream& stream) override { stream.Write(value_ ? "true" : "false"); }

  private:
    bool value_;
};

}  // namespace pdf
