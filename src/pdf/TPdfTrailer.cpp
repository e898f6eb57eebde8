#include "TPdfTrailer.h"

#include "PdfNumberFormat.h"

namespace pdf {

void TPdfTrailer::WriteToStream(TPdfWriteStream& stream) {
    stream.Write("trailer\r\n");
    attributes_.Write(stream);
    stream.Write("\r\nstartxref\r\n" + FormatInteger(xrefAddress_) + "\r\n%%EOF\r\n");
}

}  // namespace pdf
