#include "DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "IniFile.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TThConfigInfo.h"

namespace {

// The choice lives beside the drop-downs' histories, under the program's registry key.
const QString ChosenRootKey = QStringLiteral("Software/Hestrel/Pelkano3/DataFolder/Root");

const QString CheckShare = QStringLiteral("ネットワークの共有がつながっているか確かめてください。");

// One spelling per folder, so that the default is recognised however it was written.
QString samePath(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

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

QString DataFolders::UserSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/HESTREL/Pelkano4.ini");
}

QString DataFolders::RememberedRoot() {
    const QSettings settings(UserSettingsPath(), QSettings::IniFormat);
    return settings.value(ChosenRootKey).toString();
}

void DataFolders::RememberRoot(const QString& root) {
    QSettings settings(UserSettingsPath(), QSettings::IniFormat);
    const QString path = root.isEmpty() ? QString() : samePath(root);
    if (path.isEmpty() || path == samePath(DefaultRoot())) {
        settings.remove(ChosenRootKey);
    } else {
        settings.setValue(ChosenRootKey, path);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        throw EFileError(
            QStringLiteral("設定ファイル「%1」に保存できません。").arg(UserSettingsPath()));
    }
}

QString DataFolders::ChosenRoot() {
    const QString remembered = RememberedRoot();
    return remembered.isEmpty() ? DefaultRoot() : DataFolders(remembered).RootFolder();
}

DataFolders::RootState DataFolders::StateOf(const QString& root) {
    const DataFolders folders(root);
    if (!FolderExists(folders.RootFolder())) {
        return RootState::Missing;
    }
    if (!QFileInfo::exists(folders.ConfPath()) && !FolderExists(folders.DataFolder())) {
        return RootState::Empty;
    }
    return RootState::Usable;
}

QString DataFolders::ChosenRootProblem() {
    const QString remembered = RememberedRoot();
    if (remembered.isEmpty()) {
        return {};
    }
    const RootState state = StateOf(remembered);
    return state == RootState::Usable ? QString() : UnusableText(remembered, state);
}

QString DataFolders::UnusableText(const QString& root, RootState state) {
    const QString shown = QDir::cleanPath(root);
    switch (state) {
        case RootState::Missing:
            return QStringLiteral("データフォルダ「%1」が見つかりません。%2")
                .arg(shown, CheckShare);
        case RootState::Empty:
            return QStringLiteral("データフォルダ「%1」にデータがありません。%2")
                .arg(shown, CheckShare);
        case RootState::Usable:
            break;
    }
    return {};
}

DataFolders::DataFolders(const QString& root) : root_(QDir::cleanPath(root) + u'/') {}

bool DataFolders::FolderExists(const QString& path) {
    return QFileInfo(path).isDir();
}

void DataFolders::Prepare() const {
    prepare(!FolderExists(root_));
}

void DataFolders::StartNew() const {
    prepare(true);
}

void DataFolders::prepare(bool newRoot) const {
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
