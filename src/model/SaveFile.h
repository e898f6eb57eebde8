#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes beside path and renames them over it only when every byte arrived, so a
// failing write (full disk, read-only folder) raises EFileError and keeps the old file.
void SaveFileAtomically(const QString& path, const QByteArray& bytes);

// The two halves of SaveFileAtomically, for files that must be replaced together: the
// constructor writes every byte beside path (EFileError, nothing left behind, when it
// cannot), Commit renames them over path. Uncommitted bytes are removed with the object.
class StagedFile {
  public:
    StagedFile(const QString& path, const QByteArray& bytes);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    void Commit();

  private:
    QString path_;
    QByteArray temporary_;  // empty once committed
};

// The whole content of a file; EFileError with the file system's reason when it cannot be
// read, EFileFormatError when it is larger than maxSize.
QByteArray ReadWholeFile(const QString& path, qint64 maxSize);
