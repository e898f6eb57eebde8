#include "TThCampanyInfoManager.h"

#include "IniFile.h"
#include "LoadFailures.h"
#include "PictureFile.h"

namespace {

// Keys BankName1, BankNo1, OwnerName1, BankName2, ...
QString bankKey(const char* name, int account) {
    return QLatin1String(name) + QString::number(account + 1);
}

}  // namespace

TThCampanyInfoManager::TThCampanyInfoManager(const QString& imageFolder)
    : imageFolder_(imageFolder.endsWith(u'/') ? imageFolder : imageFolder + u'/') {
    QList<SettingsSync::Picture> files;
    const QString digits = QStringLiteral("１２３");
    for (int p = 0; p < Count; ++p) {
        const QString profile = QStringLiteral("会社情報") + digits.at(p);
        files.append({LogoPath(p), profile + QStringLiteral("の社判")});
        files.append({StampPath(p), profile + QStringLiteral("の会社印")});
    }
    sync_ = SettingsSync(files);
}

QString TThCampanyInfoManager::SectionName(int index) {
    return QStringLiteral("CAMPANY_INFO%1").arg(index);
}

QString TThCampanyInfoManager::LogoPath(int index) const {
    return imageFolder_ + QStringLiteral("logo%1.bmp").arg(index);
}

QString TThCampanyInfoManager::StampPath(int index) const {
    return imageFolder_ + QStringLiteral("stamp%1.bmp").arg(index);
}

QList<QImage> TThCampanyInfoManager::pictures() const {
    QList<QImage> images;
    for (const TThCampanyInfo& profile : profiles_) {
        images << profile.LogoImage << profile.StampImage;
    }
    return images;
}

void TThCampanyInfoManager::setPictures(const QList<QImage>& images) {
    for (int p = 0; p < Count; ++p) {
        Items(p).LogoImage = images.at(2 * p);
        Items(p).StampImage = images.at(2 * p + 1);
    }
}

void TThCampanyInfoManager::LoadFromFile(const QString& path) {
    const QList<SharedSave::FileStamp> stamps = sync_.Stamps(path);
    LoadFailures failures;
    IniFile ini;
    failures.Run([&] {
        ini = IniFile::Load(path);
        for (int p = 0; p < Count; ++p) {
            readProfile(ini, p);
        }
        ini.ThrowIfBroken();
    });
    for (int p = 0; p < Count; ++p) {
        failures.Run([&] { Items(p).LogoImage = PictureFile::Load(LogoPath(p)); });
        failures.Run([&] { Items(p).StampImage = PictureFile::Load(StampPath(p)); });
    }
    sync_.Adopt(
        ini, [this](IniFile& mine) { writeProfiles(mine); }, pictures(), stamps);
    failures.ThrowIfAny();
}

void TThCampanyInfoManager::readProfile(const IniFile& ini, int index) {
    TThCampanyInfo& profile = Items(index);
    const QString section = SectionName(index);
    ReadKeys(profile, TThCampanyInfo::TextKeys(), ini, section);
    for (int j = 0; j < TThCampanyInfo::BankAccountCount; ++j) {
        TThPayBankAccount& account = profile.BankAccount(j);
        account.BankName = ini.ReadString(section, bankKey("BankName", j), QString());
        account.BankNo = ini.ReadString(section, bankKey("BankNo", j), QString());
        account.OwnerName = ini.ReadString(section, bankKey("OwnerName", j), QString());
    }
    ReadKeys(profile, TThCampanyInfo::OptionKeys(), ini, section);
    ReadKeys(profile, TThCampanyInfo::ExtensionKeys(), ini, section);
}

void TThCampanyInfoManager::writeProfiles(IniFile& ini) const {
    for (int p = 0; p < Count; ++p) {
        const TThCampanyInfo& profile = Items(p);
        const QString section = SectionName(p);
        WriteKeys(profile, TThCampanyInfo::TextKeys(), ini, section);
        for (int j = 0; j < TThCampanyInfo::BankAccountCount; ++j) {
            const TThPayBankAccount& account = profile.BankAccount(j);
            ini.WriteString(section, bankKey("BankName", j), account.BankName);
            ini.WriteString(section, bankKey("BankNo", j), account.BankNo);
            ini.WriteString(section, bankKey("OwnerName", j), account.OwnerName);
        }
        WriteKeys(profile, TThCampanyInfo::OptionKeys(), ini, section);
        WriteKeys(profile, TThCampanyInfo::ExtensionKeys(), ini, section);
    }
}

void TThCampanyInfoManager::SaveToFile(const QString& path,
                                       const SharedSave::ConflictChoice& choose) {
    const auto keys = [this](IniFile& mine) { writeProfiles(mine); };
    const SettingsSync::Saved saved = sync_.Save(path, keys, pictures(), choose);
    for (int p = 0; p < Count; ++p) {
        readProfile(saved.Ini, p);
    }
    setPictures(saved.Images);
    sync_.Adopt(saved.Ini, keys, saved.Images, saved.Stamps);
}

bool TThCampanyInfoManager::ReloadIfChanged(const QString& path) {
    return sync_.ReloadIfChanged([this](IniFile& mine) { writeProfiles(mine); }, pictures(),
                                 [&] { LoadFromFile(path); });
}
