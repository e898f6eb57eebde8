#include "DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "IniFile.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TThConfigInfo.h"

namespace {

void makeFolder(const QString& path) {
    if (!QDir().mkpath(path)) {
        throw EFileError(QStringLiteral("フォルダ「%1」を作成できません。").arg(path));
    }
}

}  // namespace

QString DataFolders::DefaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/HESTREL/Pelkano4/");
}

DataFolders::DataFolders(const QString& root) : root_(QDir::cleanPath(root) + u'/') {}

bool DataFolders::FolderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

void DataFolders::Prepare() const {
    const bool newRoot = !FolderExists(root_);
    makeFolder(root_);
    for (const QString& folder : {ImgFolder(), DataFolder(), ZipFolder()}) {
        makeFolder(folder);
    }
    for (const QString& folder : {root_, ImgFolder(), DataFolder(), ZipFolder()}) {
        RemoveStaleTemporaryFiles(folder);
    }
    if (newRoot) {
        IniFile conf = IniFile::Load(ConfPath());
        conf.WriteString(TThConfigInfo::Section, QStringLiteral("TAX"), QStringLiteral("10"));
        conf.Save();
    }
}
