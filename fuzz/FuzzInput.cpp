#include "FuzzInput.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace FuzzInput {

QString AsFile(const QString& name, const QByteArray& bytes) {
    static const QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::abort();  // the harness itself is broken, not the reader
    }
    return path;
}

}  // namespace FuzzInput
