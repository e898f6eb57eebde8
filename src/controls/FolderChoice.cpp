#include "FolderChoice.h"

#include <QFileDialog>

namespace {

FolderChoice::Chooser& chooser() {
    static FolderChoice::Chooser current;
    return current;
}

}  // namespace

namespace FolderChoice {

QString Choose(QWidget* parent, const QString& prompt) {
    if (chooser()) {
        return chooser()(parent, prompt);
    }
    // Modal: the program's other windows stay disabled while it is open.
    return QFileDialog::getExistingDirectory(
        parent, prompt, QString(), QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

void SetChooser(Chooser c) {
    chooser() = std::move(c);
}

}  // namespace FolderChoice
