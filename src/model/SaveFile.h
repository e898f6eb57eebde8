#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes beside path and renames them over it only when every byte arrived, so a
// failing write (full disk, read-only folder) raises EFileError and keeps the old file.
// A write past the process's file size limit fails the same way, instead of ending it.
void SaveFileAtomically(const QString& path, const QByteArray& bytes);

// The two halves of SaveFileAtomically, for files that must be replaced together: the
// constructor writes every byte beside path and holds the file locked (EFileError, nothing
// left behind, when it cannot), Commit renames it over path. Uncommitted bytes are removed
// with the object.
class StagedFile {
  public:
    StagedFile(const QString& path, const QByteArray& bytes);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    void Commit();

  private:
    QString path_;
    QByteArray temporary_;
    int fd_ = -1;  // -1 once committed
};

// Removes the temporary files a save killed part-way left in folder: only files of the
// name the saves of this host use (".saving-<host>-XXXXXX"), and only those no running save
// of this host holds. Another PC's files stay, since its locks are not seen through a share.
// Returns how many went.
int RemoveStaleTemporaryFiles(const QString& folder);

// Every byte to the descriptor, or false with errno set: a short write (a full disk, a file
// size limit) is a failure.
bool WriteAll(int fd, const QByteArray& bytes);

// rename() and unlink() that wait out, for up to ten seconds, the moments in which a network
// share refuses them (another PC has the file open, or smbnetfs answers EIO for a moment after
// a refusal); false with errno set when they fail for good.
bool RenameOver(const QByteArray& from, const QByteArray& to);
bool RemoveFile(const QByteArray& path);

// Whether path is a regular file or a link to one. FIFOs, devices and sockets are not: a
// FIFO blocks its reader for ever and a device such as /dev/zero never ends.
bool IsRegularFile(const QString& path);

// A descriptor for reading path, open only when it is a regular file; EFileError naming the
// file otherwise. Opening never blocks, and the type is checked again on the descriptor, so
// a file swapped for a FIFO after the first look is refused too.
int OpenRegularFile(const QString& path);

// The whole content of a regular file; EFileError with the file system's reason when it
// cannot be read, EFileFormatError when it is larger than maxSize. The limit counts the
// bytes actually read, never the size the file system reports.
QByteArray ReadWholeFile(const QString& path, qint64 maxSize);
