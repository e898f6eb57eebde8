#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

// Choosing a seal, logo or company-seal picture in the settings windows: the open dialog and
// the decoding of the chosen file. The pictures are kept as BMP files whatever was chosen.
namespace PictureChoice {

// Asks for a picture file, starting in folder; empty when the user cancels.
using Dialog = std::function<QString(QWidget* parent, const QString& folder)>;

// The user's pictures folder, or the home folder when there is none.
QString StartFolder();
// BMP, JPEG and PNG filters; the file must exist.
std::unique_ptr<QFileDialog> OpenDialog(QWidget* parent, const QString& folder);
QString Ask(QWidget* parent, const QString& folder);

// The picture of a .bmp, .jpg, .jpeg or .png file (any case), transparency laid on white as a
// bitmap keeps it. Throws EFileError naming the file when the extension is another one or
// the file cannot be decoded.
QImage Decode(const QString& path);

}  // namespace PictureChoice
