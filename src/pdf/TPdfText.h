#pragma once

#include <string>

#include "TPdfObject.h"

namespace pdf {

// A PDF string holding Shift-JIS bytes.
class TPdfText : public TPdfObject {
  public:
    explicit TPdfText(std::string value = {}) : value_(std::move(value)) {}

    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    // Japanese text becomes a UTF-16BE hex string with a language prefix, anything else a
    // literal string.
    void WriteValue(TPdfWriteStream& stream) override;

  private:
    std::string value_;
};

}  // namespace pdf
