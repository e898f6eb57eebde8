#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// Who a running copy of the program is, as lock files, presence markers and the records of
// the last writer name it: another PC on the same data folder reads this to tell its user
// who holds a file, and to decide whether that copy is still alive.
struct CopyOwner {
    QString Host;
    QString User;
    qint64 Pid = 0;
    QString Program;  // "dorvani4" (the window) or "dorvani4-tool"
    QDateTime Started;
    // The process's start in clock ticks since boot: a pid reused by another process after a
    // crash has another one, so its lock is still seen as left behind.
    qint64 ProcessStart = 0;

    // This process. The host name is the system's, or DORVANI4_LOCK_HOST, which only tests
    // set to play several PCs on one machine.
    static const CopyOwner& Current();
    // Set once at start by each program, before any lock is taken.
    static void SetProgram(const QString& program);

    // One line per field, "key=value", Latin-1 keys and UTF-8 values.
    QByteArray Serialize() const;
    // Absent when bytes are not such a record (an empty file of a holder that died while
    // creating it, or one cut while being rewritten).
    static std::optional<CopyOwner> Parse(const QByteArray& bytes);

    bool SameCopy(const CopyOwner& other) const {
        return Host == other.Host && Pid == other.Pid && ProcessStart == other.ProcessStart;
    }
    // Only for this host: whether the process still runs.
    bool ProcessAlive() const;
    // What the user reads: "PC「host」のユーザー「user」（ツール）".
    QString Describe() const;
    // The host in a form a file name may carry: letters, digits and "-", at most 24.
    static QString FileNameHost(const QString& host);
};
