#include "SmbShare.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstring>

// What two smbnetfs mounts of this smbd showed (Samba 4.17, smbnetfs 0.6.3, libfuse 2.9):
// - open(O_CREAT|O_EXCL) is exclusive across the PCs: the later one gets EEXIST.
// - rename() over an existing file works, but libsmbclient does it as unlink, then rename:
//   for a moment the other PC sees no file at all, and the rename fails with EEXIST while
//   the other PC holds the target open, even for the instant of its stat().
// - unlink() of a file the other PC holds open fails with EBUSY.
// - link() fails with EPERM, symlink() with ENOSYS.
// - open(O_WRONLY|O_APPEND) fails with EIO (libsmbclient cannot learn the size through a
//   write-only handle); O_RDWR|O_APPEND works.
// - By default FUSE keeps names and attributes for 1 s and the pages of an open file: the
//   other PC's stat() showed an old size or a removed file, and an open file its old bytes.
//   attr_timeout=0, entry_timeout=0, negative_timeout=0 and direct_io remove all three, so
//   the other PC's writes show at once; direct_io also refuses shared mmap (ENODEV).
// - After any failed call smbnetfs takes the server for unreachable for neg_cache_timeout
//   (3 s): every call through that mount fails with EIO meanwhile. It is cut to 50 ms here;
//   neg_cache=false instead hangs smbnetfs before it mounts.
// - By default smbnetfs answers ENOENT for names like HEAD, .git and Desktop.ini near the
//   top of a share (a workaround for file managers); the workaround is switched off.
//
// smbnetfs takes a server's port from the path: <mount>/127.0.0.1:PORT/share reaches
// smb://127.0.0.1:PORT/share, whereas libsmbclient ignores "smb ports" in its smb.conf. So
// smbd listens on a free port of its own and never meets a system smbd on 445.

namespace {

constexpr int kWaitMs = 15000;
constexpr char kShare[] = "data";
constexpr char kMountOptions[] =
    "auto_unmount,direct_io,attr_timeout=0,entry_timeout=0,negative_timeout=0,"
    "neg_cache_timeout=50";

QString FindProgram(const QString& name) {
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty()) {
        return found;
    }
    // A shell of a plain user may have no sbin in its PATH.
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/local/sbin"});
}

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

// The last lines of a log, so that a skip or a failure tells what the daemon said.
QString Tail(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).trimmed().split('\n');
    if (lines.size() > 6) {
        lines = lines.mid(lines.size() - 6);
    }
    return lines.join(" | ");
}

template <typename Done>
bool Poll(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > kWaitMs) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

// Like Poll, but gives up as soon as the daemon ends; without an event loop only a wait
// tells QProcess that its process has ended.
template <typename Done>
bool PollWhileRunning(QProcess& daemon, Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > kWaitMs || daemon.state() == QProcess::NotRunning ||
            daemon.waitForFinished(50)) {
            return false;
        }
    }
    return true;
}

int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
}

// mountinfo writes blanks, tabs, newlines and backslashes of a path as \ooo.
QByteArray Unescape(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

bool IsMounted(const QString& path) {
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray target = QFile::encodeName(path);
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4 && Unescape(fields[4]) == target) {
            return true;
        }
    }
    return false;
}

// Whether a process of the session lives on; /proc/N/stat reads "pid (name) state ppid
// pgrp session ...", and the name may hold blanks and parentheses.
bool SessionAlive(pid_t session) {
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool numeric = false;
        entry.toInt(&numeric);
        QFile file(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!numeric || !file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray stat = file.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 3 && fields[0] != "Z" && fields[3].toInt() == session) {
            return true;
        }
    }
    return false;
}

// Runs a short helper to its end; its exit code, or -1 when it did not run or finish.
int Run(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) {
        return -1;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(5000);
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::unique_ptr<QProcess> Daemon(const QString& output, const QProcessEnvironment& environment) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(output);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessEnvironment(environment);
    // A test program that dies must not leave a server or a mount behind: SIGTERM makes
    // smbnetfs unmount and smbd end.
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    return process;
}

// The test mains set a Japanese locale with decimal commas; the daemons need none of it.
QProcessEnvironment DaemonEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

}  // namespace

bool SmbShare::AcceptsOnLoopback(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

SmbShare::SmbShare() : dir_(QDir::tempPath() + QStringLiteral("/dorvani4-smb-XXXXXX")) {}

SmbShare::~SmbShare() {
    for (int pc : {0, 1}) {
        Unmount(pc);
    }
    StopServer();
    // Removing the folder would walk into a mount that outlived every attempt.
    for (int pc : {0, 1}) {
        if (IsMounted(MountPoint(pc))) {
            dir_.setAutoRemove(false);
        }
    }
}

QString SmbShare::Start() {
    if (started_) {
        return {};
    }
    if (geteuid() != 0) {
        return QStringLiteral("not root: the share forces its files to root, FUSE needs root");
    }
    if (!dir_.isValid()) {
        return QStringLiteral("no temporary folder: ") + dir_.errorString();
    }
    const int fuse = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fuse < 0) {
        return QStringLiteral("no /dev/fuse: ") + QString::fromLocal8Bit(strerror(errno));
    }
    close(fuse);
    if (FindProgram(QStringLiteral("smbd")).isEmpty()) {
        return QStringLiteral("smbd is missing (scripts/setup installs samba)");
    }
    if (FindProgram(QStringLiteral("smbnetfs")).isEmpty()) {
        return QStringLiteral("smbnetfs is missing (scripts/setup installs it)");
    }
    QString reason = StartServer();
    for (int pc : {0, 1}) {
        if (reason.isEmpty()) {
            reason = StartMount(pc);
        }
    }
    if (reason.isEmpty()) {
        reason = CheckPcsAgree();
    }
    started_ = reason.isEmpty();
    return reason;
}

QString SmbShare::ServedFolder() const {
    return Path(QStringLiteral("served"));
}

QString SmbShare::Mount(int pc) const {
    return MountPoint(pc) + QStringLiteral("/127.0.0.1:%1/%2").arg(port_).arg(kShare);
}

QString SmbShare::Path(const QString& name) const {
    // The real path: mountinfo names mount points by it.
    return QFileInfo(dir_.path()).canonicalFilePath() + '/' + name;
}

QString SmbShare::MountPoint(int pc) const {
    return Path(QStringLiteral("pc%1/mnt").arg(pc));
}

QString SmbShare::StartServer() {
    const QString server = Path(QStringLiteral("server"));
    for (const char* folder : {"lock", "state", "cache", "pid", "private", "ncalrpc", "log"}) {
        QDir().mkpath(server + '/' + folder);
    }
    QDir().mkpath(ServedFolder());
    const QString conf = server + QStringLiteral("/smb.conf");
    const QString log = server + QStringLiteral("/log/log.smbd");
    // Another run may take the port between the probe and smbd's bind; smbd then ends, and
    // the next free port is tried.
    for (int attempt = 0; attempt < 3; ++attempt) {
        port_ = FreePort();
        if (port_ == 0) {
            return QStringLiteral("no free TCP port on 127.0.0.1");
        }
        const QString text = QStringLiteral(
                                 "[global]\n"
                                 "server role = standalone server\n"
                                 "smb ports = %1\n"
                                 "interfaces = 127.0.0.1\n"
                                 "bind interfaces only = yes\n"
                                 "disable netbios = yes\n"
                                 // samba-dcerpcd would log to /var/log/samba; the share is
                                 // reached by its name, so no list of shares is needed.
                                 "rpc start on demand helpers = no\n"
                                 "lock directory = %2/lock\n"
                                 "state directory = %2/state\n"
                                 "cache directory = %2/cache\n"
                                 "pid directory = %2/pid\n"
                                 "private dir = %2/private\n"
                                 "ncalrpc dir = %2/ncalrpc\n"
                                 "passdb backend = tdbsam:%2/private/passdb.tdb\n"
                                 "log level = 1\n"
                                 "map to guest = Bad User\n"
                                 "idmap config * : range = 3000-7999\n"
                                 "load printers = no\n"
                                 "printing = bsd\n"
                                 "printcap name = /dev/null\n"
                                 "disable spoolss = yes\n"
                                 // No PC may keep what it read: the other one's writes must
                                 // show at once.
                                 "oplocks = no\n"
                                 "level2 oplocks = no\n"
                                 "smb2 leases = no\n"
                                 "[%3]\n"
                                 "path = %4\n"
                                 "guest ok = yes\n"
                                 "guest only = yes\n"
                                 "force user = root\n"
                                 "read only = no\n"
                                 "create mask = 0644\n"
                                 "map archive = no\n")
                                 .arg(port_)
                                 .arg(server, QString::fromLatin1(kShare), ServedFolder());
        if (!WriteText(conf, text)) {
            return QStringLiteral("cannot write ") + conf;
        }
        smbd_ = Daemon(server + QStringLiteral("/log/smbd.out"), DaemonEnvironment());
        // smbd sends SIGTERM to its whole process group as it ends, so it keeps the session
        // of its own that it makes without --no-process-group. -l keeps even the log it opens
        // before it reads its configuration out of /var.
        smbd_->start(FindProgram(QStringLiteral("smbd")),
                     {"-F", "-s", conf, "-l", server + "/log"});
        if (!smbd_->waitForStarted(kWaitMs)) {
            return QStringLiteral("smbd does not start: ") + smbd_->errorString();
        }
        if (PollWhileRunning(*smbd_, [&] { return AcceptsOnLoopback(port_); })) {
            return {};
        }
        if (smbd_->state() != QProcess::NotRunning) {
            return QStringLiteral("smbd does not listen on port %1: ").arg(port_) + Tail(log);
        }
    }
    return QStringLiteral("smbd ends at start: ") + Tail(log);
}

QString SmbShare::StartMount(int pc) {
    const QString base = Path(QStringLiteral("pc%1").arg(pc));
    const QString home = base + QStringLiteral("/home");
    for (const char* folder : {"home/.smb", "mnt", "lock", "state", "cache", "private"}) {
        QDir().mkpath(base + '/' + folder);
    }
    // libsmbclient reads $HOME/.smb/smb.conf; its state stays with this PC.
    const QString client = QStringLiteral(
                               "[global]\n"
                               "disable netbios = yes\n"
                               "lock directory = %1/lock\n"
                               "state directory = %1/state\n"
                               "cache directory = %1/cache\n"
                               "private dir = %1/private\n"
                               "log file = %1/libsmbclient.log\n")
                               .arg(base);
    const QString log = base + QStringLiteral("/smbnetfs.log");
    const QString smbnetfsConf = QStringLiteral(
                                     "auth \"guest\" \"\"\n"
                                     "use_libsecret \"false\"\n"
                                     "smb_query_browsers \"false\"\n"
                                     "local_charset \"UTF-8\"\n"
                                     "samba_charset \"UTF-8\"\n"
                                     "stat_workaround_enable_default_entries \"false\"\n"
                                     "stat_workaround_depth 0\n"
                                     "log_file \"%1\"\n")
                                     .arg(log);
    const QString conf = home + QStringLiteral("/.smb/smbnetfs.conf");
    if (!WriteText(home + QStringLiteral("/.smb/smb.conf"), client) ||
        !WriteText(conf, smbnetfsConf)) {
        return QStringLiteral("cannot write the configuration of PC %1").arg(pc);
    }
    // smbnetfs ignores its "auth" lines in a file that others may read.
    QFile::setPermissions(conf, QFile::ReadOwner | QFile::WriteOwner);

    QProcessEnvironment environment = DaemonEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    auto& process = smbnetfs_[pc];
    process = Daemon(base + QStringLiteral("/smbnetfs.out"), environment);
    process->start(FindProgram(QStringLiteral("smbnetfs")),
                   {MountPoint(pc), "-f", "-o", QString::fromLatin1(kMountOptions)});
    if (!process->waitForStarted(kWaitMs)) {
        return QStringLiteral("smbnetfs does not start: ") + process->errorString();
    }
    if (!PollWhileRunning(*process, [&] { return QFileInfo(Mount(pc)).isDir(); })) {
        return QStringLiteral("PC %1 does not see %2 through smbnetfs: ").arg(pc).arg(Mount(pc)) +
               Tail(log) + ' ' + Tail(base + QStringLiteral("/smbnetfs.out"));
    }
    return {};
}

QString SmbShare::CheckPcsAgree() {
    const QString name = QStringLiteral("/.dorvani4-smb-probe");
    const QByteArray bytes = "written on PC 0\n";
    QFile probe(Mount(0) + name);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        probe.write(bytes) != bytes.size()) {
        return QStringLiteral("cannot write through PC 0's mount: ") + probe.errorString();
    }
    probe.close();
    const bool seen = Poll([&] {
        QFile file(Mount(1) + name);
        return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
    });
    QFile::remove(Mount(0) + name);
    if (!seen) {
        return QStringLiteral("a file written through PC 0's mount does not show through PC 1's");
    }
    return {};
}

void SmbShare::Unmount(int pc) {
    const QString point = MountPoint(pc);
    int unmounted = -1;
    if (IsMounted(point)) {
        QString fusermount = FindProgram(QStringLiteral("fusermount"));
        if (fusermount.isEmpty()) {
            fusermount = FindProgram(QStringLiteral("fusermount3"));
        }
        unmounted = Run(fusermount, {"-u", point});
    }
    QProcess* process = smbnetfs_[pc].get();
    // smbnetfs ends by itself once unmounted; a busy mount makes it wait for SIGTERM, on
    // which it detaches the mount.
    if (process && (unmounted != 0 || !process->waitForFinished(5000))) {
        Stop(*process);
    }
    if (IsMounted(point)) {
        Run(FindProgram(QStringLiteral("umount")), {"-l", point});
    }
}

void SmbShare::StopServer() {
    if (!smbd_ || smbd_->state() == QProcess::NotRunning) {
        return;
    }
    // smbd's children serve on for a moment after it ends and still write into the folder;
    // they are in the session smbd made, named by its process id.
    const pid_t session = static_cast<pid_t>(smbd_->processId());
    Stop(*smbd_);
    kill(-session, SIGTERM);
    if (!Poll([&] { return !SessionAlive(session); })) {
        kill(-session, SIGKILL);
        Poll([&] { return !SessionAlive(session); });
    }
}
