#include "TPdfStream.h"

#include "TPdfArray.h"
#include "TPdfNumber.h"

namespace pdf {

TPdfStream::TPdfStream(const TPdfObjectMgr* objectMgr)
    : attributes_(std::make_unique<TPdfDictionary>(objectMgr)) {
    attributes_->SetEntry("Length", std::make_unique<TPdfNumber>(0));
    attributes_->SetEntry("Filter", std::make_unique<TPdfArray>(objectMgr));
}

void TPdfStream::WriteValue(TPdfWriteStream& stream) {
    if (TPdfArray* filter = attributes_->EntryAsArray("Filter")) {
        filter->DeleteName("FlateDecode");
    }
    auto length = static_cast<std::int32_t>(stream_.size());
    if (TPdfNumber* number = attributes_->EntryAsNumber("Length")) {
        number->SetValue(length);
    } else {
        attributes_->SetNumberEntry("Length", length);  // a reader cannot do without it
    }
    attributes_->Write(stream);
    stream.Write("\r\nstream\r\n");
    stream.Write(stream_);
    stream.Write("\nendstream");
}

}  // namespace pdf
