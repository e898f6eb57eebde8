#pragma once

#include <QString>
#include <array>

#include "SettingsSync.h"
#include "TThCampanyInfo.h"

// The three sender profiles, sections CAMPANY_INFO0 to CAMPANY_INFO2 of "conf.ini".
class TThCampanyInfoManager {
  public:
    static constexpr int Count = 3;

    explicit TThCampanyInfoManager(const QString& imageFolder);

    TThCampanyInfo& Items(int index) { return profiles_.at(static_cast<size_t>(index)); }
    const TThCampanyInfo& Items(int index) const {
        return profiles_.at(static_cast<size_t>(index));
    }

    static QString SectionName(int index);
    QString LogoPath(int index) const;
    QString StampPath(int index) const;

    // Every profile and every picture loads on its own: one that fails keeps none of the
    // others from loading, and one error names every failure.
    void LoadFromFile(const QString& path);
    // Writes the three sections, keeping the rest of the file, then the pictures: only what
    // changed since the profiles were read, into the files as they are now; the profiles then
    // hold what other copies changed too (SettingsSync.h). choose settles what both changed.
    void SaveToFile(const QString& path,
                    const SharedSave::ConflictChoice& choose = SharedSave::Refuse);
    // Loads path again when another copy changed it or a picture and nothing here is unsaved;
    // true when it did.
    bool ReloadIfChanged(const QString& path);

  private:
    void readProfile(const IniFile& ini, int index);
    void writeProfiles(IniFile& ini) const;
    // logo0, stamp0, logo1, stamp1, ...
    QList<QImage> pictures() const;
    void setPictures(const QList<QImage>& pictures);

    QString imageFolder_;
    std::array<TThCampanyInfo, Count> profiles_;
    SettingsSync sync_;
};
