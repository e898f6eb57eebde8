#include "ZipTableInstall.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Cp932.h"
#include "DataFolders.h"
#include "DataLock.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "ZipTable.h"

namespace ZipTable {

namespace {

[[noreturn]] void notATable(const QString& origin, const QString& problem) {
    throw EFileFormatError(
        QStringLiteral("「%1」は郵便番号データではありません: %2").arg(origin, problem));
}

bool isText(QByteArrayView line) {
    for (char c : line) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    try {
        Cp932::decode(line);
        return true;
    } catch (const ECp932Error&) {
        return false;
    }
}

bool isTableLine(QByteArrayView line) {
    constexpr qsizetype CodeLength = 7;
    if (line.size() <= CodeLength || line[CodeLength] != ',') {
        return false;
    }
    for (qsizetype i = 0; i < CodeLength; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return false;
        }
    }
    return isText(line.sliced(CodeLength + 1));
}

// The lines of text split at CR LF, CR or LF; a final line end adds no empty line.
template <class Visit>
void forEachLine(QByteArrayView text, Visit visit) {
    qsizetype start = 0;
    qsizetype number = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        visit(text.sliced(start, end - start), ++number);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray pathOf(const QString& zipFolder, const char* name, const char* suffix = "") {
    return QFile::encodeName(zipFolder) + name + suffix;
}

// The names of the pair, in the order of the renames.
constexpr const char* PairNames[] = {FileName, VersionFileName};

void renameIntoPlace(const QString& zipFolder, const char* name) {
    const QByteArray from = pathOf(zipFolder, name, NewSuffix);
    const QByteArray to = pathOf(zipFolder, name);
    if (!RenameOver(from, to)) {
        throw EFileError(QStringLiteral("「%1」を「%2」に置き換えられません: %3")
                             .arg(QFile::decodeName(from), QFile::decodeName(to), systemError()));
    }
}

void removeFile(const QByteArray& path) {
    if (!RemoveFile(path) && errno != ENOENT) {
        throw EFileError(QStringLiteral("「%1」を削除できません: %2")
                             .arg(QFile::decodeName(path), systemError()));
    }
}

bool exists(const QByteArray& path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

// Orders the renames and removals before the steps that follow them, where the file system
// has a way; a share that has none does them in order anyway.
void syncFolder(const QString& zipFolder) {
    const int fd =
        ::open(QFile::encodeName(zipFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Written in place and closed before any rename: nothing trusts a new file before the marker,
// and a share refuses to rename a file that is still open.
void writeNewFile(const QString& zipFolder, const char* name, const QByteArray& bytes) {
    const QByteArray path = pathOf(zipFolder, name, NewSuffix);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool written = fd >= 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (fd >= 0 && ::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        throw EFileError(
            QStringLiteral("「%1」に保存できません: %2")
                .arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(error))));
    }
}

void makeMarker(const QString& zipFolder) {
    const QByteArray path = pathOf(zipFolder, CommitMarkerName);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw EFileError(QStringLiteral("「%1」を作成できません: %2")
                             .arg(QFile::decodeName(path), systemError()));
    }
    ::close(fd);
}

// Removes the new files unless a marker commits them: a marker that cannot be removed keeps
// them too, and the next settling completes the swap with them.
void undoStaged(const QString& zipFolder) {
    if (::unlink(pathOf(zipFolder, CommitMarkerName).constData()) != 0 && errno != ENOENT) {
        return;
    }
    for (const char* name : PairNames) {
        ::unlink(pathOf(zipFolder, name, NewSuffix).constData());
    }
}

// A rename puts a file only where no folder lies; found before the marker, the old pair
// stays.
void checkReplaceable(const QString& zipFolder) {
    for (const char* name : PairNames) {
        struct stat info {};
        const QByteArray path = pathOf(zipFolder, name);
        if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
            throw EFileError(
                QStringLiteral("「%1」はフォルダのため、郵便番号データを置き換えられません。")
                    .arg(QFile::decodeName(path)));
        }
    }
}

// ".kept-XXXXXX": the hard link to the old table that earlier versions made for a moment.
bool isKeptCopy(const QString& name) {
    return name.size() == 12 && name.startsWith(QLatin1String(".kept-"));
}

}  // namespace

void ValidateTable(QByteArrayView table, qsizetype minLines, const QString& origin) {
    if (table.size() > MaxTableBytes) {
        notATable(origin, QStringLiteral("大きすぎます"));
    }
    qsizetype lines = 0;
    forEachLine(table, [&](QByteArrayView line, qsizetype number) {
        if (!isTableLine(line)) {
            notATable(origin,
                      QStringLiteral("%1 行目が「7桁の郵便番号,住所」ではありません").arg(number));
        }
        lines = number;
    });
    if (lines < minLines) {
        notATable(
            origin,
            QStringLiteral("%1 行しかありません（%2 行以上が必要です）").arg(lines).arg(minLines));
    }
}

void ValidateVersion(QByteArrayView version, const QString& origin) {
    if (version.size() > MaxVersionBytes) {
        notATable(origin, QStringLiteral("版の情報が大きすぎます"));
    }
    bool keyed = false;
    forEachLine(version, [&](QByteArrayView line, qsizetype number) {
        if (number == 1) {
            keyed = !line.isEmpty();
        }
        if (!isText(line)) {
            notATable(origin, QStringLiteral("版の情報の %1 行目が読めません").arg(number));
        }
    });
    if (!keyed) {
        notATable(origin, QStringLiteral("版の情報がありません"));
    }
}

void InstallTable(const QString& zipFolder, const QByteArray& table, const QByteArray& version) {
    // A marker left from before would roll the new files forward while still half written.
    SettleInterruptedSwap(zipFolder);
    checkReplaceable(zipFolder);
    try {
        writeNewFile(zipFolder, FileName, table);
        writeNewFile(zipFolder, VersionFileName, version);
        syncFolder(zipFolder);
        makeMarker(zipFolder);
    } catch (const EFileError&) {
        undoStaged(zipFolder);
        throw;
    }
    syncFolder(zipFolder);
    const bool hadTable = exists(pathOf(zipFolder, FileName));
    bool replacedAny = false;
    try {
        for (const char* name : PairNames) {
            renameIntoPlace(zipFolder, name);
            replacedAny = true;
        }
    } catch (const EFileError& error) {
        // A share renames over a file by removing it first, so a failed rename may have taken
        // the old table already; then only going forward leaves a pair.
        if (replacedAny || (hadTable && !exists(pathOf(zipFolder, FileName)))) {
            throw EFileError(
                error.message() +
                QStringLiteral("\n郵便番号データの入れ替えは、次の起動時に完了します。"));
        }
        // Nothing was replaced yet: the old pair can still stay.
        undoStaged(zipFolder);
        throw;
    }
    syncFolder(zipFolder);
    // Both are in place; a marker that stays only costs the next start a look.
    ::unlink(pathOf(zipFolder, CommitMarkerName).constData());
}

bool HasInterruptedSwap(const QString& zipFolder) {
    const QStringList names = QDir(zipFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QString marker = QLatin1String(CommitMarkerName);
    const QString newTable = QLatin1String(FileName) + QLatin1String(NewSuffix);
    const QString newVersion = QLatin1String(VersionFileName) + QLatin1String(NewSuffix);
    return std::any_of(names.begin(), names.end(), [&](const QString& name) {
        return name == marker || name == newTable || name == newVersion || isKeptCopy(name);
    });
}

void SettleInterruptedSwap(const QString& zipFolder) {
    const QByteArray marker = pathOf(zipFolder, CommitMarkerName);
    if (exists(marker)) {
        // Both new files were complete: whichever is still beside its old one goes in.
        for (const char* name : PairNames) {
            if (exists(pathOf(zipFolder, name, NewSuffix))) {
                renameIntoPlace(zipFolder, name);
            }
        }
        syncFolder(zipFolder);
        removeFile(marker);
    } else {
        // The old pair was never touched.
        for (const char* name : PairNames) {
            removeFile(pathOf(zipFolder, name, NewSuffix));
        }
    }
    const QDir folder(zipFolder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isKeptCopy(name)) {
            removeFile(QFile::encodeName(folder.filePath(name)));
        }
    }
}

void SettleAtStart(const DataFolders& folders) {
    if (!HasInterruptedSwap(folders.ZipFolder())) {
        return;
    }
    // A live holder is in the middle of its swap, which is not cut.
    const std::unique_ptr<DataLock> lock =
        DataLock::TryTake(folders.RootFolder(), DataLock::PostalName, nullptr, DataLock::Timing{});
    if (lock) {
        SettleInterruptedSwap(folders.ZipFolder());
    }
}

void CopyInstalledTable(const QString& zipFolder) {
    const QString target = zipFolder + QLatin1String(FileName);
    const QString installed = InstalledFolder();
    if (QFileInfo::exists(target) || installed.isEmpty()) {
        return;
    }
    for (const char* name : {FileName, VersionFileName}) {
        const QString from = installed + QLatin1String(name);
        const QString to = zipFolder + QLatin1String(name);
        if (QFileInfo::exists(from) && !QFile::copy(from, to)) {
            throw EFileError(
                QStringLiteral("郵便番号データ「%1」を「%2」にコピーできません。").arg(from, to));
        }
    }
}

}  // namespace ZipTable
