#include "CopyOwner.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QHash>
#include <QList>
#include <cerrno>

namespace {

QString systemHost() {
    const QByteArray forced = qgetenv("DORVANI4_LOCK_HOST");
    if (!forced.isEmpty()) {
        return QString::fromUtf8(forced);
    }
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') {
        return QStringLiteral("localhost");
    }
    return QString::fromLocal8Bit(name);
}

QString systemUser() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return QString::number(::geteuid());
}

// Field 22 of /proc/<pid>/stat; 0 when it cannot be read (no /proc, or the process is gone).
qint64 processStart(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold spaces; the fields after it do not.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) {
        return 0;
    }
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    constexpr int StartField = 22 - 3;  // fields 1 and 2 precede the ')'
    return fields.size() > StartField ? fields.at(StartField).toLongLong() : 0;
}

CopyOwner& current() {
    static CopyOwner owner = [] {
        CopyOwner o;
        o.Host = systemHost();
        o.User = systemUser();
        o.Pid = ::getpid();
        o.Program = QStringLiteral("dorvani4");
        o.Started = QDateTime::currentDateTime();
        o.ProcessStart = processStart(o.Pid);
        return o;
    }();
    return owner;
}

}  // namespace

const CopyOwner& CopyOwner::Current() {
    return current();
}

void CopyOwner::SetProgram(const QString& program) {
    current().Program = program;
}

QByteArray CopyOwner::Serialize() const {
    QByteArray out;
    out += "host=" + Host.toUtf8() + '\n';
    out += "user=" + User.toUtf8() + '\n';
    out += "pid=" + QByteArray::number(Pid) + '\n';
    out += "program=" + Program.toUtf8() + '\n';
    out += "started=" + Started.toString(Qt::ISODate).toUtf8() + '\n';
    out += "process-start=" + QByteArray::number(ProcessStart) + '\n';
    return out;
}

std::optional<CopyOwner> CopyOwner::Parse(const QByteArray& bytes) {
    QHash<QByteArray, QString> fields;
    for (const QByteArray& line : bytes.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0) {
            fields.insert(line.left(equals), QString::fromUtf8(line.mid(equals + 1)));
        }
    }
    // The last field is written last: a record without it was cut.
    if (!fields.contains("host") || !fields.contains("pid") || !fields.contains("process-start")) {
        return std::nullopt;
    }
    CopyOwner o;
    o.Host = fields.value("host");
    o.User = fields.value("user");
    bool ok = false;
    o.Pid = fields.value("pid").toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    o.Program = fields.value("program");
    o.Started = QDateTime::fromString(fields.value("started"), Qt::ISODate);
    o.ProcessStart = fields.value("process-start").toLongLong();
    return o;
}

bool CopyOwner::ProcessAlive() const {
    if (Pid <= 0 || (::kill(static_cast<pid_t>(Pid), 0) != 0 && errno == ESRCH)) {
        return false;
    }
    // A start recorded as 0 could not be read; the pid alone has to do then.
    return ProcessStart == 0 || processStart(Pid) == ProcessStart;
}

QString CopyOwner::Describe() const {
    const QString program = Program == QLatin1String("dorvani4-tool")
                                ? QStringLiteral("ツール")
                                : QStringLiteral("ウィンドウ");
    return QStringLiteral("PC「%1」のユーザー「%2」（%3）").arg(Host, User, program);
}

QString CopyOwner::FileNameHost(const QString& host) {
    QString out;
    for (const QChar c : host) {
        if (out.size() == 24) {
            break;
        }
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-';
        out += plain ? c : u'-';
    }
    return out.isEmpty() ? QStringLiteral("host") : out;
}
