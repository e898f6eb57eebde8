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
    : imageFolder_(imageFolder.endsWith(u'/') ? imageFolder : imageFolder + u'/') {}

QString TThCampanyInfoManager::SectionName(int index) {
    return QStringLiteral("CAMPANY_INFO%1").arg(index);
}

QString TThCampanyInfoManager::LogoPath(int index) const {
    return imageFolder_ + QStringLiteral("logo%1.bmp").arg(index);
}

QString TThCampanyInfoManager::StampPath(int index) const {
    return imageFolder_ + QStringLiteral("stamp%1.bmp").arg(index);
}

void TThCampanyInfoManager::LoadFromFile(const QString& path) {
    LoadFailures failures;
    failures.Run([&] {
        const IniFile ini = IniFile::Load(path);
        for (int p = 0; p < Count; ++p) {
            readProfile(ini, p);
        }
        ini.ThrowIfBroken();
    });
    for (int p = 0; p < Count; ++p) {
        failures.Run([&] { Items(p).LogoImage = PictureFile::Load(LogoPath(p)); });
        failures.Run([&] { Items(p).StampImage = PictureFile::Load(StampPath(p)); });
    }
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

void TThCampanyInfoManager::SaveToFile(const QString& path) const {
    IniFile ini = IniFile::Load(path);
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
    ini.Save();
    for (int p = 0; p < Count; ++p) {
        PictureFile::Store(LogoPath(p), Items(p).LogoImage);
        PictureFile::Store(StampPath(p), Items(p).StampImage);
    }
}
