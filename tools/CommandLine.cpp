#include "CommandLine.h"

bool CommandLine::takeFlag(const QString& name) {
    return arguments_.removeAll(name) > 0;
}

std::optional<QString> CommandLine::takeValue(const QString& name) {
    const QStringList values = takeValues(name);
    if (values.size() > 1) {
        throw EUsageError(QStringLiteral("%1 is given twice").arg(name));
    }
    return values.isEmpty() ? std::nullopt : std::optional<QString>(values.first());
}

QStringList CommandLine::takeValues(const QString& name) {
    QStringList values;
    for (qsizetype at = arguments_.indexOf(name); at >= 0; at = arguments_.indexOf(name, at)) {
        if (at + 1 >= arguments_.size()) {
            throw EUsageError(QStringLiteral("%1 needs a value").arg(name));
        }
        values << arguments_.at(at + 1);
        arguments_.remove(at, 2);
    }
    return values;
}

QStringList CommandLine::positional(int count, const QString& usage) {
    for (const QString& argument : arguments_) {
        if (argument.startsWith(QLatin1String("--"))) {
            throw EUsageError(QStringLiteral("unknown option %1\nusage: %2").arg(argument, usage));
        }
    }
    if (arguments_.size() != count) {
        throw EUsageError(QStringLiteral("usage: %1").arg(usage));
    }
    return arguments_;
}
