// zip.dat lines: the first line of the input is the key, the rest is the table; both
// lookups run over it.
#include "FuzzInput.h"
#include "ModelError.h"
#include "ZipTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzInput::Bytes(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QString key = QString::fromUtf8(bytes.left(end < 0 ? bytes.size() : end));
    const QString path =
        FuzzInput::AsFile(QStringLiteral("zip.dat"), end < 0 ? QByteArray() : bytes.mid(end + 1));
    for (const auto& lookup : {ZipTable::FindByCode, ZipTable::FindByAddress}) {
        try {
            lookup(path, key);
        } catch (const EModelError&) {
        }
    }
    return 0;
}
