#include "PdfTestSupport.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "TPdfStream.h"

std::string Sjis(std::string_view utf8) {
    iconv_t handle = iconv_open("CP932", "UTF-8");
    std::string input(utf8);
    std::string output(input.size() * 2 + 1, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
    iconv_close(handle);
    if (result == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "not cp932: " << utf8;
    }
    output.resize(output.size() - outLeft);
    return output;
}

std::string Written(pdf::TPdfObject& object) {
    pdf::TPdfMemoryStream stream;
    object.Write(stream);
    return stream.Data();
}

std::string WrittenIndirect(pdf::TPdfObject& object) {
    pdf::TPdfMemoryStream stream;
    object.WriteIndirect(stream);
    return stream.Data();
}

std::string Saved(pdf::TPdfDoc& doc) {
    pdf::TPdfMemoryStream stream;
    doc.SaveToStream(stream);
    return stream.Data();
}

pdf::TPdfDateTime FixedTime() {
    return {2010, 7, 8, 10, 21, 41};
}

std::string PageContent(pdf::TPdfDoc& doc) {
    return doc.GetCanvas().Contents()->Stream();
}
