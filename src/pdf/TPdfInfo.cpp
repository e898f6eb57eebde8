#include "TPdfInfo.h"

#include "TPdfText.h"

namespace pdf {

void TPdfInfo::SetText(std::string_view key, std::string_view text) {
    Data()->SetEntry(key, std::make_unique<TPdfText>(std::string(text)));
}

}  // namespace pdf
