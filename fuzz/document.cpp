// The document file: the header reader, and the whole decoder with a round trip. What a
// decoded document encodes to must decode to the same document again.
#include <QBuffer>
#include <cstdlib>

#include "DocumentFile.h"
#include "FuzzInput.h"
#include "ModelError.h"
#include "TThEstimateObjectList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes = FuzzInput::Bytes(data, size);
    const QString name = QStringLiteral("fuzz.MT4");
    QString comment;
    try {
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        comment = DocumentFile::ReadHeader(device, name).Comment;
    } catch (const EModelError&) {
    }
    TThEstimateObjectList first;
    try {
        DocumentFile::Decode(first, bytes, name);
    } catch (const EModelError&) {
        return 0;
    }
    const QDateTime savedAt(QDate(2024, 4, 1), QTime(9, 30));
    QByteArray encoded;
    try {
        encoded = DocumentFile::Encode(first, comment, savedAt);
    } catch (const EModelError&) {
        return 0;  // a value the newest layout cannot hold is refused, not written wrong
    }
    TThEstimateObjectList second;
    DocumentFile::Decode(second, encoded, name);
    if (DocumentFile::Encode(second, comment, savedAt) != encoded) {
        std::abort();
    }
    return 0;
}
