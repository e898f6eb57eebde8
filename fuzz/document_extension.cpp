// The extension block after the line records: the input follows a fixed three-line body.
// Whatever it holds, the document loads; a block that reads must write back to itself.
#include <cstdlib>

#include "DocumentFile.h"
#include "FuzzInput.h"
#include "ModelError.h"
#include "TThEstimateObjectList.h"

namespace {

const QDateTime SavedAt(QDate(2024, 4, 1), QTime(9, 30));

QByteArray Body() {
    TThEstimateObjectList d;
    for (int i = 0; i < 3; ++i) {
        d.Add(std::make_unique<TThEstimateObject>());
        d.Items(i).ItemName = QStringLiteral("品%1").arg(i);
        d.Items(i).TotalPrice = Currency::fromUnits(100 * (i + 1));
    }
    return DocumentFile::Encode(d, QString(), SavedAt);
}

TThEstimateObjectList Read(const QByteArray& bytes) {
    TThEstimateObjectList d;
    d.QualifiedInvoice = true;
    DocumentFile::Decode(d, bytes, QStringLiteral("fuzz.MT4"));
    return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QByteArray body = Body();
    const QByteArray bytes = body + FuzzInput::Bytes(data, size);
    TThEstimateObjectList first;
    try {
        first = Read(bytes);
    } catch (const EModelError&) {
        std::abort();  // the body is sound: nothing after it may keep the document from loading
    }
    if (first.Count() != 3 || first.Items(2).TotalPrice != Currency::fromUnits(300)) {
        std::abort();
    }
    if (!first.LoadNotice.isEmpty()) {
        return 0;
    }
    QByteArray encoded;
    try {
        encoded = DocumentFile::Encode(first, QString(), SavedAt);
    } catch (const EModelError&) {
        return 0;
    }
    const TThEstimateObjectList second = Read(encoded);
    if (!second.LoadNotice.isEmpty() || second.Breakdown != first.Breakdown ||
        DocumentFile::Encode(second, QString(), SavedAt) != encoded) {
        std::abort();
    }
    return 0;
}
