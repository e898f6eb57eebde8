// Seal and logo pictures: read as the settings read them, then handed to the PDF writer.
#include "Exception.h"
#include "FuzzInput.h"
#include "ModelError.h"
#include "PictureFile.h"
#include "TPRImage.h"
#include "TPdfImageCreator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        FuzzInput::AsFile(QStringLiteral("pstamp0.bmp"), FuzzInput::Bytes(data, size));
    QImage picture;
    try {
        picture = PictureFile::Load(path);
    } catch (const EModelError&) {
        return 0;
    }
    if (picture.isNull()) {
        return 0;
    }
    try {
        pdf::CreateImageFromGraphic(TPRImage::ToPdfBitmap(picture), "Pdf-Bitmap");
    } catch (const pdf::Exception&) {
    }
    return 0;
}
