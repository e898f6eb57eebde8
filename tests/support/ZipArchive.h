#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A zip archive of one member, as Japan Post ships ken_all.zip.
QByteArray ZipArchiveOf(const QString& memberName, const QByteArray& content,
                        const QDateTime& modified);
