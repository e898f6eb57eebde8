#pragma once

#include "TPdfWriteStream.h"

namespace pdf {

class TPdfHeader {
  public:
    void WriteToStream(TPdfWriteStream& stream) const { stream.Write("%PDF-1.2 \r\n"); }
};

}  // namespace pdf
