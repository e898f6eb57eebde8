// The postal update's version.txt: as a server sends it (normalised, then checked) and as
// the installed file whose first line is the local key.
#include <QFileInfo>
#include <cstdlib>

#include "FuzzInput.h"
#include "ModelError.h"
#include "ZipTable.h"
#include "ZipTableInstall.h"
#include "ZipUpdate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzInput::Bytes(data, size);
    const QByteArray version = ZipUpdate::NormaliseVersion(bytes);
    // Normalised text holds no control bytes but its CR LF line ends.
    QByteArray withoutLineEnds = version;
    for (const char c : withoutLineEnds.replace("\r\n", "")) {
        if (static_cast<unsigned char>(c) < 0x20) {
            std::abort();
        }
    }
    try {
        ZipTable::ValidateVersion(version, QStringLiteral("version.txt"));
    } catch (const EModelError&) {
    }
    const QByteArray remoteKey = ZipUpdate::FirstLine(version);
    const QString path = FuzzInput::AsFile(QLatin1String(ZipTable::VersionFileName), bytes);
    try {
        const QByteArray localKey = ZipUpdate::LocalKey(QFileInfo(path).path() + u'/');
        ZipUpdate::Compare(localKey, remoteKey);
    } catch (const EModelError&) {
    }
    return 0;
}
