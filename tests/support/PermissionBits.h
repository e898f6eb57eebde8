#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>
#include <QString>

// Makes the permission bits bind this thread as they bind an ordinary user: root's power
// to read and write any file is set aside for the scope and given back after. Tests run
// as root, and a file root can read cannot show what an unreadable file does.
class PermissionBitsApply {
  public:
    PermissionBitsApply() {
        if (::syscall(SYS_capget, &header_, saved_) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~PermissionBitsApply() {
        if (active_) {
            ::syscall(SYS_capset, &header_, saved_);
        }
    }
    PermissionBitsApply(const PermissionBitsApply&) = delete;
    PermissionBitsApply& operator=(const PermissionBitsApply&) = delete;

    // Takes the read permission of path away, keeping the write permission; false when the
    // file can still be read here.
    static bool MakeUnreadable(const QString& path) {
        QFile::setPermissions(path, QFile::WriteOwner);
        return !QFile(path).open(QIODevice::ReadOnly);
    }

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};
