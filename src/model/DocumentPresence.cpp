#include "DocumentPresence.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace DocumentPresence {

QString LockName(const QString& path) {
    const QByteArray name =
        QFileInfo(path).fileName().normalized(QString::NormalizationForm_C).toUtf8();
    return QStringLiteral("open-") +
           QString::fromLatin1(QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex());
}

QString RootOfDataFolder(const QString& dataFolder) {
    return QFileInfo(QDir::cleanPath(dataFolder)).path();
}

bool InDataFolder(const QString& root, const QString& path) {
    const QFileInfo folder(QDir(root).filePath(QStringLiteral("data")));
    const QFileInfo parent(QFileInfo(path).absolutePath());
    // Links and ".." may name the folder another way; a folder that is not there yet only by
    // its path.
    if (folder.exists() && parent.exists()) {
        return folder.canonicalFilePath() == parent.canonicalFilePath();
    }
    return QDir::cleanPath(folder.absoluteFilePath()) == QDir::cleanPath(parent.absoluteFilePath());
}

std::unique_ptr<DataLock> Claim(const QString& root, const QString& path,
                                std::optional<CopyOwner>* holder) {
    return DataLock::TryTake(root, LockName(path), holder, DataLock::Timing{});
}

std::optional<CopyOwner> Holder(const QString& root, const QString& path) {
    return DataLock::Holder(root, LockName(path), DataLock::Timing{});
}

QString Who(const std::optional<CopyOwner>& holder) {
    return holder ? holder->Describe() : QStringLiteral("別のコピー");
}

QString InUseText(const QString& name, const std::optional<CopyOwner>& holder) {
    return QStringLiteral("%1 は、%2が開いているため上書きできません。").arg(name, Who(holder));
}

}  // namespace DocumentPresence
