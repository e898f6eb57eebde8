#pragma once

#include "TPdfDictionary.h"

namespace pdf {

// Edits one dictionary that the cross-reference table owns.
class TPdfDictionaryWrapper {
  public:
    virtual ~TPdfDictionaryWrapper() = default;
    TPdfDictionaryWrapper() = default;
    TPdfDictionaryWrapper(const TPdfDictionaryWrapper&) = delete;
    TPdfDictionaryWrapper& operator=(const TPdfDictionaryWrapper&) = delete;

    TPdfDictionary* Data() const { return data_; }
    virtual void SetData(TPdfDictionary* dictionary) { data_ = dictionary; }

  private:
    TPdfDictionary* data_ = nullptr;
};

}  // namespace pdf
