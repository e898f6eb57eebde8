#pragma once

#include <string>
#include <string_view>

#include "TPdfObject.h"

namespace pdf {

// A PDF name; the value is kept without its leading slash.
class TPdfName : public TPdfObject {
  public:
    explicit TPdfName(std::string value = {}) : value_(std::move(value)) {}

    const std::string& Value() const { return value_; }
    void SetValue(std::string value) { value_ = std::move(value); }
    void WriteValue(TPdfWriteStream& stream) override;

  private:
    std::string value_;
};

// "/" and the name, with delimiters and bytes outside 0x21-0x7E as "#" and two hex digits.
void AppendEscapedName(std::string& out, std::string_view value);

}  // namespace pdf
