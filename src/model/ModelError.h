#pragma once

#include <QString>
#include <stdexcept>

// Errors of the core travel as exceptions and carry a message the user can read; the
// program's top level shows it, the command-line tool prints it.
class EModelError : public std::runtime_error {
  public:
    explicit EModelError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

// Text that Shift-JIS (cp932) cannot hold, or bytes that are not Shift-JIS.
class ECp932Error : public EModelError {
    using EModelError::EModelError;
};

// Text that is not a number, or a number outside the range of its type.
class EConvertError : public EModelError {
    using EModelError::EModelError;
};

// A file that cannot be opened, created, written or renamed.
class EFileError : public EModelError {
    using EModelError::EModelError;
};

// A file that opens but whose content is broken.
class EFileFormatError : public EFileError {
    using EFileError::EFileError;
};
