// conf.ini: every setting key read through its table, as the program starts.
#include "FuzzInput.h"
#include "ModelError.h"
#include "TThConfigInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        FuzzInput::AsFile(QStringLiteral("conf.ini"), FuzzInput::Bytes(data, size));
    TThConfigInfo config(QStringLiteral("/nonexistent/"));
    try {
        config.LoadFromFile(path);
    } catch (const EModelError&) {
    }
    return 0;
}
