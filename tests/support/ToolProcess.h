#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the real dorvani4-tool.
struct ToolRun {
    int status;
    QString out;
    QString err;
};

inline ToolRun tool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(DORVANI4_TOOL), arguments);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
