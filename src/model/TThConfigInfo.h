#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <vector>

#include "Currency.h"
#include "SettingKey.h"
#include "SettingsSync.h"

// The operating settings: section [SETTING] of "conf.ini" and the six seal pictures
// pstamp0.bmp to pstamp5.bmp of the image folder.
class TThConfigInfo {
  public:
    static inline const QString Section = QStringLiteral("SETTING");
    static constexpr int StampCount = 6;

    explicit TThConfigInfo(const QString& imageFolder);

    // The keys of [SETTING]; the constructor gives each the default of Keys().
    Currency TAX;  // percent
    QString MONETARY;
    bool PRINTCUSCODE;
    bool NOTAXNOSUB;
    bool EXITALERT;
    bool OPENALERT;
    bool PRINTDECIMAL;
    QString EST_TITLE;
    QString EST_MSG;
    QString UNIT_PRICE_EST_TITLE;
    QString UNIT_PRICE_EST_MSG;
    QString DELIVER_TITLE;
    QString DELIVER_MSG;
    QString CLAIM_TITLE;
    QString CLAIM_MSG;
    QString CLAIM_DETAIL_TITLE;
    QString CLAIM_DETAIL_MSG;
    QString TOTAL_CLAIM_TITLE;
    QString TOTAL_CLAIM_MSG;
    QString RECEIVE_TITLE;
    QString RECEIVE_MSG;
    QString RECEIPT_TITLE;
    QString RECEIPT_MSG;
    QString FAX_TITLE;  // read, never written
    QString RECEIVE_DAY;
    QString PLACE;
    QString CONDITION;
    QString LIMIT;
    QString ITEM_NAME;
    QString ART;
    QString UNIT_NAME;
    QString UNIT_PRICE;
    QString PRICE;
    QString NOTE;
    int LINE_COLOR_ODD;   // 0x00BBGGRR
    int LINE_COLOR_EVEN;  // 0x00BBGGRR
    // Qualified invoices (適格請求書): reduced-rate lines and tax per rate; off by default.
    bool QUALIFIED_INVOICE;
    Currency REDUCED_TAX;  // percent
    bool PDF_EMBED_FONTS;  // slip PDFs carry subsets of the fonts they use

    // Point size of the addressee's company name on slips; not kept in the file.
    int NameFontSize = 12;

    // Every key of [SETTING] in file order, with its default.
    static const std::vector<SettingKey<TThConfigInfo>>& Keys();
    // The keys of optional features, after those; each is written only once it leaves its
    // default, so a file stays as it was while they are off.
    static const std::vector<SettingKey<TThConfigInfo>>& ExtensionKeys();

    QImage& Stamp(int index) { return stamps_.at(static_cast<size_t>(index)); }
    const QImage& Stamp(int index) const { return stamps_.at(static_cast<size_t>(index)); }
    QString StampPath(int index) const;

    // Every key with its default (a missing file gives all defaults), then the pictures. Each
    // picture loads on its own; one error names every part that failed, after the keys of
    // the lines before a broken line have been read.
    void LoadFromFile(const QString& path);
    // Every key but FAX_TITLE into [SETTING], keeping the rest of the file; then the pictures.
    // Only what changed since these settings were read is written, into the files as they are
    // now, and the settings then hold what other copies changed too (SettingsSync.h); choose
    // settles keys and pictures both changed.
    void SaveToFile(const QString& path,
                    const SharedSave::ConflictChoice& choose = SharedSave::Refuse);
    // Loads path again when another copy changed it or a picture and nothing here is unsaved;
    // true when it did.
    bool ReloadIfChanged(const QString& path);

  private:
    void writeKeys(IniFile& ini) const;
    void readKeys(const IniFile& ini);
    QList<QImage> stampList() const;

    QString imageFolder_;
    std::array<QImage, StampCount> stamps_;
    SettingsSync sync_;
};
