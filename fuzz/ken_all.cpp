// Japan Post's KEN_ALL and JIGYOSYO files, bare or in an archive: the input is taken for
// each of the two and turned into zip.dat lines.
#include "FuzzInput.h"
#include "KenAll.h"
#include "ModelError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzInput::Bytes(data, size);
    try {
        const KenAll::Csv csv = KenAll::IsArchive(bytes)
                                    ? KenAll::FromArchive(bytes, QStringLiteral("fuzz.zip"))
                                    : KenAll::Csv{bytes, {}};
        const KenAll::Named input{csv.Bytes, QStringLiteral("fuzz.csv")};
        const KenAll::Named none{QByteArrayView(), QStringLiteral("none.csv")};
        KenAll::KindOf(input);
        KenAll::ToZipTable(input, none);
        KenAll::ToZipTable(none, input);
    } catch (const EModelError&) {
    }
    return 0;
}
