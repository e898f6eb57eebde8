#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <memory>

// A private Samba server on 127.0.0.1 serving a temporary folder, mounted twice through
// smbnetfs, as two PCs of a shop see one share. Needs root; Start() tells why not.
class SmbShare {
  public:
    SmbShare();
    ~SmbShare();  // unmounts both, stops smbd, removes every temporary folder
    SmbShare(const SmbShare&) = delete;
    SmbShare& operator=(const SmbShare&) = delete;

    // Empty when both mounts work; otherwise the reason (not root, smbd or smbnetfs missing,
    // no /dev/fuse, mount failed), for GTEST_SKIP.
    QString Start();
    QString ServedFolder() const;  // the folder smbd serves, as the server sees it
    // pc 0 or 1: the share's folder seen through that PC's smbnetfs mount (ends without "/")
    QString Mount(int pc) const;
    // Whether something listens on 127.0.0.1 at port.
    static bool AcceptsOnLoopback(int port);

  private:
    QString StartServer();
    QString StartMount(int pc);
    QString CheckPcsAgree();
    void Unmount(int pc);
    void StopServer();
    QString Path(const QString& name) const;
    QString MountPoint(int pc) const;

    QTemporaryDir dir_;
    int port_ = 0;
    bool started_ = false;
    std::unique_ptr<QProcess> smbd_;
    std::array<std::unique_ptr<QProcess>, 2> smbnetfs_;
};
