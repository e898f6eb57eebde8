#include "CommandLine.h"

bool CommandLine::takeFlag(const QString& name) {
    return arguments_.removeAll(name) > 0;
}

std::optional<QString> CommandLine::takeValue(const QString& name) {
    const qsizetype at = arguments_.indexOf(name);
    if (at < 0) {
        return std::nullopt;
    }
    if (at + 1 >= arguments_.size()) {
        throw EUsageError(QStringLiteral("%1 needs a value").arg(name));
    }
    const QString value = arguments_.at(at + 1);
    arguments_.remove(at, 2);
    if (arguments_.contains(name)) {
        throw EUsageError(QStringLiteral("%1 is given twice").arg(name));
    }
    return value;
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
