#include "TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

TempDir::TempDir() : dir_(QDir::tempPath() + "/dorvani4-test-XXXXXX") {
    if (!dir_.isValid()) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
}

QString TempDir::path(const QString& name) const {
    return dir_.filePath(name);
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
    }
}
