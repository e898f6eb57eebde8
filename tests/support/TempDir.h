#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh folder per test; paths inside it end up in error messages, so it is readable.
class TempDir {
  public:
    TempDir();
    QString path(const QString& name) const;
    QString root() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};

QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);
