#pragma once

#include <QString>
#include <array>

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
    // Writes the three sections, keeping the rest of the file, then the pictures.
    void SaveToFile(const QString& path) const;

  private:
    void readProfile(const IniFile& ini, int index);

    QString imageFolder_;
    std::array<TThCampanyInfo, Count> profiles_;
};
