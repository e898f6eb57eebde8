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

    void LoadFromFile(const QString& path);
    // Writes the three sections, keeping the rest of the file, then the pictures.
    void SaveToFile(const QString& path) const;

  private:
    QString imageFolder_;
    std::array<TThCampanyInfo, Count> profiles_;
};
