// The master files: customers, items and units, each a Shift-JIS CSV of its own.
#include "FuzzInput.h"
#include "ModelError.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"

namespace {

template <typename List>
void load(const QString& path) {
    List list;
    try {
        list.LoadFromFile(path);
    } catch (const EModelError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        FuzzInput::AsFile(QStringLiteral("master.dat"), FuzzInput::Bytes(data, size));
    load<TThCustomerObjectList>(path);
    load<TThItemObjectList>(path);
    load<TThItemUnitObjectList>(path);
    return 0;
}
