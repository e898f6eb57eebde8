#include <gtest/gtest.h>

#include <QDir>

#include "IniFile.h"
#include "QtPrint.h"
#include "SlipLayout.h"
#include "TPrintOptions.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"

namespace {

Currency Yen(int units) {
    return Currency::fromUnits(units);
}

// A document whose lines 1..used are filled (each 100 yen), the rest empty.
struct Slip {
    TThEstimateObjectList document;
    TThConfigInfo config{QStringLiteral("/nonexistent/")};
    TThCampanyInfo profile;
    TPrintOptions options;
    TSlipKind kind = skMitsu;

    explicit Slip(int used = 0, bool landscape = false) {
        config.LoadFromFile(QStringLiteral("/nonexistent/conf.ini"));
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        for (int i = 0; i < used; ++i) {
            document.Items(i).ItemName = QStringLiteral("品%1").arg(i + 1);
            document.Items(i).TotalPrice = Yen(100);
        }
        document.TaxRate = Yen(10);
        document.CalcTotal();
        options.Landscape = landscape;
        options.Tax = TTaxChoice::BeforeTax;
    }
    TSlipSource Source() const { return {document, config, profile, options, kind}; }
};

TEST(SlipLayout, PageKinds) {
    EXPECT_EQ(SlipPageKindOf(1, 1), TSlipPageKind::pkSingle);
    EXPECT_EQ(SlipPageKindOf(1, 2), TSlipPageKind::pkFirst);
    EXPECT_EQ(SlipPageKindOf(2, 2), TSlipPageKind::pkLast);
    EXPECT_EQ(SlipPageKindOf(2, 3), TSlipPageKind::pkMiddle);
}

TEST(SlipLayout, PageCounts) {
    struct Case {
        TSlipKind kind;
        bool landscape;
        int used;
        int pages;
    };
    const Case cases[] = {
        {skMitsu, false, 0, 1},  {skMitsu, false, 20, 1}, {skMitsu, false, 21, 2},
        {skMitsu, false, 60, 2}, {skMitsu, false, 61, 3}, {skMitsu, false, 100, 3},
        {skTanka, false, 23, 1}, {skTanka, false, 64, 2}, {skTanka, false, 65, 3},
        {skSeikyu, true, 10, 1}, {skSeikyu, true, 40, 2}, {skSeikyu, true, 41, 3},
        {skTanka, true, 44, 2},  {skTanka, true, 45, 3},
    };
    for (const Case& c : cases) {
        Slip slip(c.used, c.landscape);
        slip.kind = c.kind;
        EXPECT_EQ(SlipPageCount(slip.Source()), c.pages)
            << c.kind << " " << c.landscape << " " << c.used;
    }
}

TEST(SlipLayout, LineRanges) {
    // Landscape estimate with 41 lines: 1-15, 16-45, 46-70.
    Slip slip(41, true);
    const TSlipSource source = slip.Source();
    struct Case {
        int n;
        int first;
        int count;
    };
    for (const Case& c : {Case{1, 0, 15}, Case{2, 15, 30}, Case{3, 45, 25}}) {
        const TSlipLineRange range = SlipLineRange(source, c.n, 3);
        EXPECT_EQ(range.First, c.first) << c.n;
        EXPECT_EQ(range.Count, c.count) << c.n;
    }
    // Only line 30 used: two pages, line 30 in row 5 of page 2.
    Slip sparse;
    sparse.document.Items(29).ItemName = QStringLiteral("三十");
    ASSERT_EQ(SlipPageCount(sparse.Source()), 2);
    EXPECT_EQ(SlipLineRange(sparse.Source(), 2, 2).First + 4, 29);
    // A range stops at the end of the document.
    Slip full(100);
    EXPECT_EQ(SlipLineRange(full.Source(), 3, 3).Count, 100 - 65);
}

TEST(SlipLayout, PageTotalLeavesOutSubtotalLines) {
    Slip slip(3);
    slip.document.Items(1).SubTotalRow = true;
    slip.document.Items(1).TotalPrice = Yen(5000);
    EXPECT_EQ(PageTotalText(slip.Source(), {0, 25}), "200");
    slip.options.PrintSubTotalAndTotal = false;
    EXPECT_EQ(PageTotalText(slip.Source(), {0, 25}), "");
}

TEST(SlipLayout, TotalRowsAndTheirSuppression) {
    Slip slip(2);  // 200 + 10 % tax
    auto rows = SlipTotalRows(slip.Source());
    EXPECT_EQ(rows[0].Caption, "小　計");
    EXPECT_EQ(rows[0].Amount, "200");
    EXPECT_EQ(rows[1].Caption, "消費税(10%)");
    EXPECT_EQ(rows[1].Amount, "20");
    EXPECT_EQ(rows[2].Amount, "220");
    slip.options.Tax = TTaxChoice::NoTax;
    slip.config.NOTAXNOSUB = true;
    rows = SlipTotalRows(slip.Source());
    EXPECT_EQ(rows[0].Caption, "");
    EXPECT_EQ(rows[1].Caption, "");
    EXPECT_EQ(rows[1].Amount, "");
    EXPECT_EQ(rows[2].Caption, "合　計");
    slip.config.NOTAXNOSUB = false;
    EXPECT_EQ(SlipTotalRows(slip.Source())[0].Amount, "200");
}

TEST(SlipLayout, GrandTotalTexts) {
    struct Case {
        TSlipKind kind;
        TTaxChoice tax;
        bool amount;
        const char* text;
    };
    const Case cases[] = {
        {skMitsu, TTaxChoice::BeforeTax, true, " 御見積金額  ￥200- (消費税別) "},
        {skSeikyu, TTaxChoice::TaxIn, false, " 合計金額  　　　　　　　 (消費税込) "},
        {skNouhin, TTaxChoice::NoTax, true, " 合計金額  ￥220- "},
        {skNouhin, TTaxChoice::NoTax, false, " 合計金額  　　　　　　　 　　　　　 "},
        {skTanka, TTaxChoice::TaxIn, true, ""},
    };
    for (const Case& c : cases) {
        Slip slip(2);
        slip.kind = c.kind;
        slip.options.Tax = c.tax;
        slip.options.PrintGrandTotal = c.amount;
        EXPECT_EQ(GrandTotalText(slip.Source()), QString::fromUtf8(c.text));
    }
}

TEST(SlipLayout, RemarksKeepFourLines) {
    Slip slip;
    slip.document.Etc = QStringLiteral("1\r\n2\r\n3\r\n4\r\n5\r\n6");
    EXPECT_EQ(RemarkRows(slip.document),
              QStringList({"備　考：1", "　　　　2", "　　　　3", "　　　　4"}));
    slip.document.Etc.clear();
    EXPECT_TRUE(RemarkRows(slip.document).isEmpty());
}

TEST(SlipLayout, BankAccountOrConditions) {
    Slip slip;
    slip.document.Delivery = QStringLiteral("別途");
    slip.document.PrintDelivery = true;
    slip.document.Limit = QStringLiteral("30日");
    slip.document.PrintLimit = true;
    EXPECT_EQ(BankOrConditionLines(slip.Source(), true),
              QStringList({"1. 受渡期日  別途", "2. 有効期限  30日"}));
    EXPECT_EQ(BankOrConditionLines(slip.Source(), false),
              QStringList({"受渡期日  別途", "有効期限  30日"}));
    slip.options.PrintBank = true;
    slip.options.PayBank = 1;
    slip.profile.BankAccount(1) = {QStringLiteral("銀行"), QStringLiteral("普通 1"),
                                   QStringLiteral("名義")};
    EXPECT_EQ(BankOrConditionLines(slip.Source(), false), QStringList({"銀行", "普通 1", "名義"}));
}

TEST(SlipLayout, NameLinesPutTheSuffixAfterTheLastName) {
    const QString s = QStringLiteral(" 様");
    EXPECT_EQ(NameLines("A", "", "", s)[0], "A 様");
    EXPECT_EQ(NameLines("A", "B", " ", s)[1], "B 様");
    const auto three = NameLines("A", " ", "C", s);
    EXPECT_EQ(three[1], " ");
    EXPECT_EQ(three[2], "C 様");
}

TEST(SlipLayout, FitLogo) {
    struct Case {
        int w, h, maxW, maxH, fitW, fitH;
    };
    for (const Case& c : {Case{100, 100, 70, 25, 24, 24}, Case{400, 100, 70, 25, 70, 18},
                          Case{400, 100, 179, 65, 179, 45}, Case{50, 200, 70, 25, 6, 25}}) {
        const TLogoSize size = FitLogo(QImage(c.w, c.h, QImage::Format_RGB32), c.maxW, c.maxH);
        EXPECT_EQ(size.Width, c.fitW) << c.w << "x" << c.h;
        EXPECT_EQ(size.Height, c.fitH) << c.w << "x" << c.h;
    }
}

TEST(SlipLayout, TaxChoicesFollowTheDocument) {
    Slip slip(1);
    EXPECT_EQ(TaxChoicesOf(slip.document).Checked, TTaxChoice::BeforeTax);
    EXPECT_FALSE(TaxChoicesOf(slip.document).NoTax);
    slip.document.Items(0).NoTax = true;
    const TTaxChoices exempt = TaxChoicesOf(slip.document);
    EXPECT_TRUE(exempt.NoTax && !exempt.BeforeTax && !exempt.TaxIn);
    slip.document.TaxIn = true;
    const TTaxChoices in = TaxChoicesOf(slip.document);
    EXPECT_TRUE(!in.NoTax && !in.BeforeTax && in.TaxIn);
}

TEST(SlipLayout, TitlesOfTheKinds) {
    Slip slip;
    // Every text of the settings holds its own key, so a kind that reads another's is seen.
    for (const SettingKey<TThConfigInfo>& key : TThConfigInfo::Keys()) {
        if (auto* text = std::get_if<QString TThConfigInfo::*>(&key.member)) {
            slip.config.*(*text) = key.key;
        }
    }
    const struct {
        TSlipKind kind;
        const char* title;  // nullptr: the kind has no title of the settings
        const char* message;
    } cases[] = {
        {skMitsu, "EST_TITLE", "EST_MSG"},
        {skTanka, "UNIT_PRICE_EST_TITLE", "UNIT_PRICE_EST_MSG"},
        {skNouhin, "DELIVER_TITLE", "DELIVER_MSG"},
        {skSeikyu, "CLAIM_TITLE", "CLAIM_MSG"},
        {skJuryo, "RECEIVE_TITLE", "RECEIVE_MSG"},
        {skRyoshu, "RECEIPT_TITLE", "RECEIPT_MSG"},
        {skSeikyuMeisai, "CLAIM_DETAIL_TITLE", "CLAIM_DETAIL_MSG"},
        {skTotalClaim, "TOTAL_CLAIM_TITLE", "TOTAL_CLAIM_MSG"},
        {skFax, "FAX_TITLE", ""},
        {skItemList, nullptr, nullptr},
        {skCustomerList, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        QString title = QStringLiteral("keep");
        QString message = QStringLiteral("keep");
        EXPECT_EQ(GetSlipTitle(slip.config, c.kind, title, message), c.title != nullptr)
            << int(c.kind);
        EXPECT_EQ(title, c.title != nullptr ? c.title : "keep") << int(c.kind);
        EXPECT_EQ(message, c.message != nullptr ? c.message : "keep") << int(c.kind);
    }
}

TEST(SlipKinds, EveryKindHasItsSectionCaptionAndFamily) {
    const struct {
        TSlipKind kind;
        const char* section;
        const char* caption;
        TSlipFamily family;
    } cases[] = {
        {skMitsu, "MITSU", "見積書印刷", TSlipFamily::MainSlip},
        {skTanka, "TANKA", "単価見積書印刷", TSlipFamily::MainSlip},
        {skNouhin, "NOUHIN", "納品書印刷", TSlipFamily::MainSlip},
        {skSeikyu, "SEIKYU", "請求書印刷", TSlipFamily::MainSlip},
        {skJuryo, "JYURYO", "受領書印刷", TSlipFamily::MainSlip},
        {skRyoshu, "RYOSYU", "領収書印刷", TSlipFamily::Receipt},
        {skSeikyuMeisai, "SEIKYU_MEISAI", "請求明細書印刷", TSlipFamily::MainSlip},
        {skTotalClaim, "GOUKEI_SEIKYU", "合計請求書印刷", TSlipFamily::TotalClaim},
        {skFax, "FAX", "FAX送信状印刷", TSlipFamily::FaxSender},
        {skItemList, "ITEM_LIST", "品名リスト印刷", TSlipFamily::MasterList},
        {skCustomerList, "CUSTOMER_LIST", "お客様一覧印刷", TSlipFamily::MasterList},
    };
    ASSERT_EQ(SlipKinds().size(), std::size(cases));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        EXPECT_EQ(PrintSectionName(c.kind), c.section);
        EXPECT_EQ(PrintWindowCaption(c.kind), c.caption);
        EXPECT_EQ(SlipKindFacts(c.kind).Family, c.family);
        EXPECT_EQ(SlipKindFromSection(QString::fromLatin1(c.section).toLower()), c.kind);
    }
    EXPECT_EQ(PrintSectionName(static_cast<TSlipKind>(11)), "none");
    EXPECT_FALSE(SlipKindFromSection("none").has_value());
}

TEST(SlipKinds, CapacityFollowsTheAmountsRowsOfTheKind) {
    // Portrait and landscape line capacities of single, first, middle and last pages.
    const struct {
        TSlipKind kind;
        bool landscape;
        TSlipCapacity capacity;
    } cases[] = {
        {skMitsu, false, {20, 25, 40, 35}},
        {skTanka, false, {23, 26, 41, 38}},
        {skJuryo, true, {10, 15, 30, 25}},
        {skTanka, true, {13, 16, 31, 28}},
    };
    for (const auto& c : cases) {
        const TSlipCapacity got = SlipCapacity(c.kind, c.landscape);
        EXPECT_EQ(got.Single, c.capacity.Single) << int(c.kind) << c.landscape;
        EXPECT_EQ(got.First, c.capacity.First) << int(c.kind) << c.landscape;
        EXPECT_EQ(got.Middle, c.capacity.Middle) << int(c.kind) << c.landscape;
        EXPECT_EQ(got.Last, c.capacity.Last) << int(c.kind) << c.landscape;
    }
}

TEST(PrintOptions, LoadFromPrintIniAndSaveBack) {
    TempDir dir;
    QDir().mkpath(dir.path("img"));
    QImage(2, 2, QImage::Format_RGB32).save(dir.path("img/pstamp3.bmp"), "BMP");
    TThConfigInfo config(dir.path("img") + "/");
    Slip slip(1);
    IniFile ini = IniFile::Load(dir.path("print.ini"));

    // Defaults of a missing file.
    TPrintOptions options = LoadPrintOptions(ini, skSeikyu, config, slip.document);
    EXPECT_TRUE(options.PrintNote && options.PrintStampArea && options.PrintGrandTotalFrame);
    EXPECT_FALSE(options.Landscape || options.PrintBank || options.ChangeSR);
    EXPECT_EQ(options.CheckStampMsg, "検　印");
    EXPECT_EQ(options.Tax, TTaxChoice::BeforeTax);

    ini.WriteString("SEIKYU", "CHECK_STAMP", "捺印4");
    ini.WriteString("SEIKYU", "PERSONAL_STAMP", "捺印1");  // its picture is gone
    ini.WriteString("SEIKYU", "CUSTOMER_INFO", "会社情報3");
    ini.WriteString("SEIKYU", "PAY_BANK", "振込先情報2");
    ini.WriteString("SEIKYU", "PRINT_DIRECTION", "1");
    ini.WriteString("SEIKYU", "PRINT_NOTE", "0");
    ini.WriteString("SETTING", "YOKO", "1");
    options = LoadPrintOptions(ini, skSeikyu, config, slip.document);
    EXPECT_EQ(options.CheckStamp, 4);
    EXPECT_EQ(options.PersonalStamp, 0);
    EXPECT_EQ(options.CustomerInfo, 2);
    EXPECT_EQ(options.PayBank, 1);
    EXPECT_TRUE(options.Landscape);
    EXPECT_FALSE(options.PrintNote);
    // Another kind's own portrait wins over the last landscape state.
    EXPECT_FALSE(LoadPrintOptions(ini, skMitsu, config, slip.document).Landscape);

    IniFile other = IniFile::Load(dir.path("other.ini"));
    SavePrintOptions(other, skSeikyu, options);
    EXPECT_EQ(other.ReadString("SEIKYU", "CHECK_STAMP", ""), "捺印4");
    EXPECT_EQ(other.ReadString("SEIKYU", "PERSONAL_STAMP", ""), "印刷なし");
    EXPECT_TRUE(other.ReadBool("SETTING", "YOKO", false));
    const TPrintOptions again = LoadPrintOptions(other, skSeikyu, config, slip.document);
    EXPECT_EQ(again.CustomerInfo, 2);
    EXPECT_FALSE(again.PrintNote);
}

}  // namespace
