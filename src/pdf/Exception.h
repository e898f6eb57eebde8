#pragma once

#include <stdexcept>
#include <string>

namespace pdf {

// The general error of the writer; callers catch this one class for every writer failure.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class EPdfInvalidValue : public Exception {
  public:
    using Exception::Exception;
};

class EPdfInvalidOperation : public Exception {
  public:
    using Exception::Exception;
};

class EPdfInvalidImageFormat : public Exception {
  public:
    using Exception::Exception;
};

}  // namespace pdf
