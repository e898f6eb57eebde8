#pragma once

#include "TPdfObject.h"

namespace pdf {

class TPdfNull : public TPdfObject {
  public:
    void WriteValue(TPdfWriteStream& stream) override { stream.Write("null"); }
};

}  // namespace pdf
