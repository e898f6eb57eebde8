// print.ini: the options of every main slip, as its options window opens.
#include "FuzzInput.h"
#include "IniFile.h"
#include "ModelError.h"
#include "TPrintOptions.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        FuzzInput::AsFile(QStringLiteral("print.ini"), FuzzInput::Bytes(data, size));
    static const TThConfigInfo config(QStringLiteral("/nonexistent/"));
    static const TThEstimateObjectList document;
    try {
        const IniFile ini = IniFile::Load(path);
        for (TSlipKind kind : {skMitsu, skTanka, skNouhin, skSeikyu, skJuryo, skSeikyuMeisai}) {
            LoadPrintOptions(ini, kind, config, document);
        }
    } catch (const EModelError&) {
    }
    return 0;
}
