#include "StartFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace StartFolders {

QString Export() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

}  // namespace StartFolders
