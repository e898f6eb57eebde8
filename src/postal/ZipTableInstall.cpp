#include "ZipTableInstall.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "Cp932.h"
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

// A second name of the old table, so that its rename can be undone.
class KeptTable {
  public:
    explicit KeptTable(const QString& path) : path_(QFile::encodeName(path)) {
        if (::access(path_.constData(), F_OK) != 0) {
            return;
        }
        QByteArray name = path_.left(path_.lastIndexOf('/') + 1) + ".kept-XXXXXX";
        const int fd = ::mkstemp(name.data());
        if (fd >= 0) {
            ::close(fd);
            ::unlink(name.constData());
        }
        if (fd < 0 || ::link(path_.constData(), name.constData()) != 0) {
            throw EFileError(QStringLiteral("「%1」を更新できません: %2")
                                 .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        }
        kept_ = name;
    }
    ~KeptTable() {
        if (!kept_.isEmpty()) {
            ::unlink(kept_.constData());
        }
    }
    KeptTable(const KeptTable&) = delete;
    KeptTable& operator=(const KeptTable&) = delete;

    // Puts the old table back, or removes the new one when there was none.
    void Restore() {
        if (kept_.isEmpty()) {
            ::unlink(path_.constData());
        } else if (::rename(kept_.constData(), path_.constData()) == 0) {
            kept_.clear();
        }
    }

  private:
    QByteArray path_;
    QByteArray kept_;
};

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
    const QString tablePath = zipFolder + QLatin1String(FileName);
    StagedFile newTable(tablePath, table);
    StagedFile newVersion(zipFolder + QLatin1String(VersionFileName), version);
    KeptTable oldTable(tablePath);
    newTable.Commit();
    try {
        newVersion.Commit();
    } catch (const EFileError&) {
        oldTable.Restore();
        throw;
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
