#pragma once

#include <QImage>

#include "TPrintOptions.h"
#include "TSlipSource.h"
#include "TThCampanyInfo.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

// A slip of a document whose lines 1..used are filled (two at 500 yen each), with default
// settings but unembedded fonts, and an image folder that may hold seal pictures.
struct SlipFixture {
    TThEstimateObjectList document;
    TThConfigInfo config;
    TThCampanyInfoManager profiles;
    TPrintOptions options;
    TSlipKind kind = skMitsu;

    explicit SlipFixture(int used, const QString& imageFolder = QStringLiteral("/nonexistent/"))
        : config(imageFolder), profiles(imageFolder) {
        config.LoadFromFile(imageFolder + QStringLiteral("conf.ini"));
        config.PDF_EMBED_FONTS = false;  // the byte checks are of the files that name their fonts
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        for (int i = 0; i < used; ++i) {
            TThEstimateObject& line = document.Items(i);
            line.ItemName = QStringLiteral("品目%1").arg(i + 1);
            line.Num = Currency::fromUnits(2);
            line.UnitName = QStringLiteral("個");
            line.UnitPrice = Currency::fromUnits(500);
            line.CalcTotalPrice();
        }
        document.Customer.Zip = QStringLiteral("530-0001");
        document.Customer.Add1 = QStringLiteral("大阪府大阪市北区梅田");
        document.Customer.Name1 = QStringLiteral("株式会社テスト");
        document.Customer.NameTitle = QStringLiteral("御中");
        document.SlipCode = QStringLiteral("A-100");
        document.Year = QStringLiteral("令和8");
        document.Month = QStringLiteral("12");
        document.Day = QStringLiteral("10");
        document.Etc = QStringLiteral("納期は別途\r\nご相談ください");
        document.TaxRate = Currency::fromUnits(10);
        document.CalcTotal();
        TThCampanyInfo& profile = profiles.Items(0);
        profile.ZipNo = QStringLiteral("100-0001");
        profile.Address1 = QStringLiteral("東京都千代田区千代田1-1");
        profile.CampanyName1 = QStringLiteral("自社商事株式会社");
        profile.CampanyName2 = QStringLiteral("営業部");
        profile.TelFax = QStringLiteral("TEL 03-0000-0000");
        options.Tax = TTaxChoice::BeforeTax;
    }
    TSlipSource Source() const {
        return {document, config, profiles.Items(options.CustomerInfo), options, kind};
    }
};

// A picture of one colour, standing for a seal or logo.
inline QImage SolidPicture(QColor colour, int width = 40, int height = 40) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
