// A lock file or presence marker as another copy of the program, on this PC or another one
// on the share, left it: its owner is read, and what reads writes back to the same owner.
#include <cstdlib>

#include "CopyOwner.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<CopyOwner> owner = CopyOwner::Parse(FuzzInput::Bytes(data, size));
    if (!owner) {
        return 0;
    }
    owner->Describe();
    const std::optional<CopyOwner> again = CopyOwner::Parse(owner->Serialize());
    if (!again || again->Host != owner->Host || again->User != owner->User ||
        again->Pid != owner->Pid || again->Program != owner->Program ||
        again->ProcessStart != owner->ProcessStart) {
        std::abort();
    }
    return 0;
}
