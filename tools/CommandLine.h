#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A mistake in how the tool was called; it exits with status 2.
class EUsageError : public std::runtime_error {
  public:
    explicit EUsageError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

// The arguments of one command: options are taken out by name, the rest are positional.
class CommandLine {
  public:
    explicit CommandLine(QStringList arguments) : arguments_(std::move(arguments)) {}

    bool takeFlag(const QString& name);
    // An option given at most once.
    std::optional<QString> takeValue(const QString& name);
    // An option that may be repeated, in the order given.
    QStringList takeValues(const QString& name);
    const QStringList& rest() const { return arguments_; }
    // The remaining arguments, which must be exactly count positional ones.
    QStringList positional(int count, const QString& usage);

  private:
    QStringList arguments_;
};
