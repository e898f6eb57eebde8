#include "BrokenFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "Clock.h"
#include "ModelError.h"
#include "SaveFile.h"

namespace {

// Larger files are none of the program's data files; they are left alone, uncopied.
constexpr qint64 MaxCopySize = 512LL * 1024 * 1024;

bool loadsCompletely(const QString& path, FileCheck check) {
    try {
        check(path);
        return true;
    } catch (const EModelError&) {
        return false;
    }
}

bool isBroken(const QString& path, FileCheck check) {
    return QFileInfo::exists(path) && !loadsCompletely(path, check);
}

// The files whose load failed in this run and that have no copy yet: what the program holds
// of them is incomplete even when the file reads again later (its permissions mended).
QSet<QString>& heldIncompletely() {
    static QSet<QString> paths;
    return paths;
}

// The copies made on earlier days or starts, oldest name first.
QStringList earlierCopies(const QFileInfo& file) {
    const QRegularExpression copyName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + QStringLiteral(R"(\.broken-\d{8}(-\d+)?)")));
    QStringList copies;
    for (const QString& name : file.dir().entryList({file.fileName() + QStringLiteral(".broken-*")},
                                                    QDir::Files | QDir::Hidden, QDir::Name)) {
        if (copyName.match(name).hasMatch()) {
            copies << file.dir().filePath(name);
        }
    }
    return copies;
}

}  // namespace

QString KeepBrokenCopy(const QString& path) {
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path, MaxCopySize);
    } catch (const EFileError&) {
        return {};
    }
    for (const QString& copy : earlierCopies(QFileInfo(path))) {
        if (QFileInfo(copy).size() == bytes.size()) {
            try {
                if (ReadWholeFile(copy, MaxCopySize) == bytes) {
                    return copy;
                }
            } catch (const EFileError&) {
                // An unreadable copy is no copy; another one is made.
            }
        }
    }
    const QString base =
        path + QStringLiteral(".broken-") + Clock::now().toString(QStringLiteral("yyyyMMdd"));
    QString copy = base;
    for (int n = 2; QFileInfo::exists(copy); ++n) {
        copy = base + QStringLiteral("-%1").arg(n);
    }
    try {
        SaveFileAtomically(copy, bytes);
    } catch (const EFileError&) {
        return {};
    }
    return copy;
}

void GuardBeforeReplacing(const QString& path, FileCheck check) {
    const bool incomplete = heldIncompletely().contains(path) && QFileInfo::exists(path);
    if (!incomplete && !isBroken(path, check)) {
        return;
    }
    if (KeepBrokenCopy(path).isEmpty()) {
        throw EFileError(QStringLiteral("「%1」に保存できません: 元のファイルを正しく読み込めず、"
                                        "その控えも作れないため、上書きしません。")
                             .arg(path));
    }
    heldIncompletely().remove(path);
}

QString BrokenFileNotice(const QString& path, FileCheck check) {
    if (!isBroken(path, check)) {
        return {};
    }
    const QString copy = KeepBrokenCopy(path);
    if (copy.isEmpty()) {
        heldIncompletely().insert(path);
        return QStringLiteral("元のファイルの控えを作れないため、このファイルは上書きしません。");
    }
    return QStringLiteral("元のファイルは「%1」に控えてあります。").arg(copy);
}
