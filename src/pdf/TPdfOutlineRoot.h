#pragma once

#include "TPdfDictionaryWrapper.h"

namespace pdf {

// The root of the outline tree; documents here never have outline entries.
class TPdfOutlineRoot : public TPdfDictionaryWrapper {
  public:
    // Writes the entry count the tree has when the document is saved.
    void Save() { Data()->SetNumberEntry("Count", 0); }
};

}  // namespace pdf
