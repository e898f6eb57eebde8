#pragma once

#include <QString>
#include <stdexcept>

// What the user reads when an allocation failed; the work is stopped, the program goes on.
inline const QString OutOfMemoryText =
    QStringLiteral("メモリが不足しているため、処理を中止しました。");

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

// A text file that could be read only up to a line: a byte there is not Shift-JIS, or the
// line does not fit the file's format. What came before that line was read.
class EBrokenLineError : public EFileFormatError {
  public:
    EBrokenLineError(const QString& path, qsizetype line, const QString& problem)
        : EFileFormatError(
              QStringLiteral(
                  "「%1」の %2 行目が壊れているため、その前の行までを読み込みました（%3）。")
                  .arg(path)
                  .arg(line)
                  .arg(problem.endsWith(u'。') ? problem.chopped(1) : problem)),
          path_(path),
          line_(line) {}
    const QString& path() const { return path_; }
    qsizetype line() const { return line_; }

  private:
    QString path_;
    qsizetype line_;
};
