#include "MasterFile.h"

#include <QFile>

#include "Clock.h"
#include "ModelError.h"

namespace {

QString keepCopy(const QString& path) {
    const QString base =
        path + QStringLiteral(".broken-") + Clock::now().toString(QStringLiteral("yyyyMMdd"));
    QString copy = base;
    for (int n = 2; QFile::exists(copy); ++n) {
        copy = base + QStringLiteral("-%1").arg(n);
    }
    return QFile::copy(path, copy) ? copy : QString();
}

}  // namespace

void RejectBrokenMasterLine(const QString& path, qsizetype line, const QString& problem) {
    const QString copy = keepCopy(path);
    const QString where =
        QStringLiteral("「%1」の %2 行目が壊れているため、その前の行までを読み込みました（%3）。")
            .arg(path)
            .arg(line)
            .arg(problem);
    if (copy.isEmpty()) {
        throw EFileFormatError(where +
                               QStringLiteral("元のファイルの控えを作れませんでした。保存する前にフ"
                                              "ァイルを別の場所へ複製してください。"));
    }
    throw EFileFormatError(where +
                           QStringLiteral("元のファイルは「%1」に控えてあります。").arg(copy));
}
