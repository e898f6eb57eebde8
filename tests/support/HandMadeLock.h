#pragma once

#include <sys/time.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "CopyOwner.h"
#include "DataLock.h"
#include "TempDir.h"

// A lock file as another copy of the program leaves it, written by hand: its owner, and the
// file's age in seconds on this machine's clock (negative: ahead of it, which keeps the lock
// fresh however slowly the test runs).
inline bool writeHandMadeLock(const QString& root, const QString& name, const CopyOwner& owner,
                              int ageSeconds) {
    const QString path = DataLock::Folder(root) + name + QStringLiteral(".lock");
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFileBytes(path, owner.Serialize() + "token=1\nbeat=0\n");
    timeval times[2];
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= ageSeconds;
    times[1] = times[0];
    return utimes(QFile::encodeName(path).constData(), times) == 0;
}

// A copy of the program on another PC of the shop.
inline CopyOwner otherPcOwner(const QString& user = QStringLiteral("sato")) {
    CopyOwner owner;
    owner.Host = QStringLiteral("other-pc");
    owner.User = user;
    owner.Pid = 4242;
    owner.Program = QStringLiteral("dorvani4");
    owner.Started = QDateTime::currentDateTime();
    owner.ProcessStart = 1;
    return owner;
}

// The pid of a process that has ended.
inline qint64 endedPid() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid > 0 ? pid : 4194303;
}
