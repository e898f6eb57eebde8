#include <gtest/gtest.h>

#include <QFile>

#include "AmountText.h"
#include "Clock.h"
#include "IniFile.h"
#include "QualifiedFixture.h"
#include "ReceiptSlip.h"
#include "SlipLayout.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TSlipPdfTemplates.h"
#include "TaxBreakdown.h"
#include "TempDir.h"
#include "TotalClaimSlip.h"

namespace {

using PK = TSlipPageKind;

TEST(QualifiedSlipLayout, RateRowsOfAMixedInvoice) {
    const QualifiedSlip slip;
    const std::vector<TSlipRateRow> rows = SlipRateRows(slip.Source());
    ASSERT_EQ(rows.size(), 3u);
    const struct {
        const char* caption;
        const char* base;
        const char* taxCaption;
        const char* tax;
    } expected[] = {{"10%対象", "￥3,000", "消費税", "￥300"},
                    {"8%対象", "￥1,500", "消費税", "￥120"},
                    {"非課税対象", "￥500", "", ""}};
    for (size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(rows[k].Caption, QString::fromUtf8(expected[k].caption));
        EXPECT_EQ(rows[k].Base, QString::fromUtf8(expected[k].base));
        EXPECT_EQ(rows[k].TaxCaption, QString::fromUtf8(expected[k].taxCaption));
        EXPECT_EQ(rows[k].Tax, QString::fromUtf8(expected[k].tax));
    }
    // The totals rows hold the sums over the rates, the tax row without a single rate.
    const auto totals = SlipTotalRows(slip.Source());
    EXPECT_EQ(totals[0].Amount, QStringLiteral("5,000"));
    EXPECT_EQ(totals[1].Caption, QStringLiteral("消費税"));
    EXPECT_EQ(totals[1].Amount, QStringLiteral("420"));
    EXPECT_EQ(totals[2].Amount, QStringLiteral("5,420"));
}

TEST(QualifiedSlipLayout, WhenTheBlockAndTheNumberPrint) {
    const struct {
        const char* what;
        bool on;
        const char* number;
        TSlipKind kind;
        TTaxChoice tax;
        bool amounts;  // PrintSubTotalAndTotal
        bool block;
        const char* taxCaption;
    } cases[] = {
        {"off", false, "T7123456789012", skSeikyu, TTaxChoice::BeforeTax, true, false,
         "消費税(10%)"},
        {"registered", true, "T7123456789012", skSeikyu, TTaxChoice::BeforeTax, true, true,
         "消費税"},
        {"blank number", true, "  ", skSeikyu, TTaxChoice::BeforeTax, true, false, "消費税"},
        {"tax included", true, "T7123456789012", skMitsu, TTaxChoice::TaxIn, true, true, "消費税"},
        {"no tax shown", true, "T7123456789012", skSeikyu, TTaxChoice::NoTax, true, false, ""},
        {"no amounts rows", true, "T7123456789012", skTanka, TTaxChoice::BeforeTax, true, false,
         "消費税"},
        {"amounts not printed", true, "T7123456789012", skNouhin, TTaxChoice::BeforeTax, false,
         true, "消費税"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QualifiedSlip slip(c.on);
        slip.kind = c.kind;
        slip.options.Tax = c.tax;
        slip.options.PrintSubTotalAndTotal = c.amounts;
        slip.profiles.Items(0).RegistrationNo = QString::fromUtf8(c.number);
        EXPECT_EQ(ShowsRateBlock(slip.Source()), c.block);
        const std::vector<TSlipRateRow> rows = SlipRateRows(slip.Source());
        EXPECT_EQ(rows.size(), c.block ? 3u : 0u);
        if (c.block) {
            // Without amounts the captions stay, for writing the figures by hand.
            EXPECT_EQ(rows[0].Caption, QStringLiteral("10%対象"));
            EXPECT_EQ(rows[0].Base.isEmpty(), !c.amounts);
        }
        EXPECT_EQ(SlipTotalRows(slip.Source())[1].Caption, QString::fromUtf8(c.taxCaption));
        const bool registered = c.on && QString::fromUtf8(c.number).trimmed() != QString();
        EXPECT_EQ(RegistrationNoText(slip.document, slip.profiles.Items(0)),
                  registered ? QStringLiteral("登録番号 T7123456789012") : QString());
        EXPECT_EQ(LacksRegistrationNo(slip.document, slip.profiles.Items(0)), c.on && !registered);
    }
}

TEST(QualifiedSlipLayout, ReducedLinesCarryTheMarkAndTheSlipTheNote) {
    const struct {
        const char* what;
        bool on;
        bool reduced;
        bool exempt;
        bool subtotalRow;
        bool marked;
    } cases[] = {
        {"reduced", true, true, false, false, true},
        {"standard", true, false, false, false, false},
        {"exempt wins over reduced", true, true, true, false, false},
        {"subtotal row has no rate", true, true, false, true, false},
        {"setting off", false, true, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QualifiedSlip slip(c.on);
        for (int i = 0; i < 4; ++i) {
            slip.document.Items(i).Reduced = false;
        }
        TThEstimateObject& line = slip.document.Items(0);
        line.Reduced = c.reduced;
        line.NoTax = c.exempt;
        line.SubTotalRow = c.subtotalRow;
        EXPECT_EQ(SlipLineRow(slip.Source(), line).ItemName,
                  c.marked ? QStringLiteral("コピー用紙 ※") : QStringLiteral("コピー用紙"));
        EXPECT_EQ(ReducedNoteText(slip.document), c.marked ? ReducedRateNote : QString());
    }
    // An empty line prints nothing, marked or not.
    QualifiedSlip slip;
    slip.document.Items(10).Reduced = true;
    EXPECT_EQ(SlipLineRow(slip.Source(), slip.document.Items(10)).ItemName, QString());
}

TEST(QualifiedSlipLayout, ReceiptBreakdownStartsWithTheRates) {
    auto rate = [](int percent, bool reduced, int base, int tax) {
        return RateTotal{Currency::fromUnits(percent), reduced, Currency::fromUnits(base),
                         Currency::fromUnits(tax)};
    };
    struct Case {
        const char* what;
        TaxBreakdown breakdown;
        QStringList rows;  // name=amount
    };
    TaxBreakdown both;
    both.Rates = {rate(10, false, 3000, 300), rate(8, true, 1500, 120)};
    TaxBreakdown bothAndExempt = both;
    bothAndExempt.HasExempt = true;
    bothAndExempt.Exempt = Currency::fromUnits(500);
    TaxBreakdown oneAndExempt;
    oneAndExempt.Rates = {rate(8, true, 1080, 80)};
    oneAndExempt.HasExempt = true;
    oneAndExempt.Exempt = Currency::fromUnits(200);
    for (TaxBreakdown* b : {&both, &bothAndExempt, &oneAndExempt}) {
        SumBreakdown(*b, false);
    }
    const Case cases[] = {
        {"two rates", both, {"10%対象=3,000", "消費税(10%)=300", "8%対象=1,500", "消費税(8%)=120"}},
        // Five rows do not fit four: the bases name their rates and one row holds the tax.
        {"two rates and exempt",
         bothAndExempt,
         {"10%対象=3,000", "8%対象=1,500", "非課税=500", "消費税=420"}},
        {"one rate and exempt", oneAndExempt, {"8%対象=1,080", "消費税(8%)=80", "非課税=200"}},
        {"nothing", TaxBreakdown(), {"消費税=0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList rows;
        for (const TReceiptRateRow& row : ReceiptRateRows(c.breakdown)) {
            rows << row.Name + QLatin1Char('=') + FormatAmount(true, row.Amount, false);
        }
        EXPECT_EQ(rows, c.rows);
    }
}

// The PDF of the slip, read back by pdftotext.
QString SlipPdfText(TSlipPdfTemplates& templates, const TSlipSource& source, const TempDir& dir,
                    const QString& name) {
    const QString path = dir.path(name);
    templates.SaveSlipPdf(source, path);
    return PdfText(path);
}

TEST(QualifiedSlipPdf, EveryRequiredItemInBothOrientations) {
    TempDir dir;
    const struct {
        bool landscape;
        int extraLines;  // pushes the totals to a last page
    } cases[] = {{false, 0}, {true, 0}, {false, 30}, {true, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.landscape << " " << c.extraLines);
        QualifiedSlip slip;
        slip.options.Landscape = c.landscape;
        for (int i = 0; i < c.extraLines; ++i) {
            slip.document.Items(4 + i).ItemName = QStringLiteral("行%1").arg(i + 1);
        }
        TSlipPdfTemplates templates(slip.config);
        const QString text = Words(SlipPdfText(templates, slip.Source(), dir, "q.pdf"));
        EXPECT_TRUE(text.contains(QStringLiteral("登録番号 T7123456789012"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("緑茶 ※")));
        EXPECT_FALSE(text.contains(QStringLiteral("トナー ※")));
        EXPECT_TRUE(text.contains(QStringLiteral("※は軽減税率対象")));
        EXPECT_TRUE(text.contains(QStringLiteral("10%対象 ￥3,000 消費税 ￥300")));
        EXPECT_TRUE(text.contains(QStringLiteral("8%対象 ￥1,500 消費税 ￥120")));
        EXPECT_TRUE(text.contains(QStringLiteral("非課税対象 ￥500")));
        EXPECT_TRUE(text.contains(QStringLiteral("小計 5,000")));
        EXPECT_TRUE(text.contains(QStringLiteral("消費税 420")));
        EXPECT_TRUE(text.contains(QStringLiteral("合計 5,420")));
        EXPECT_FALSE(text.contains(QStringLiteral("消費税(10%)")));
    }
}

TEST(QualifiedSlipPdf, WithoutANumberOnlyTheMarksPrint) {
    TempDir dir;
    QualifiedSlip slip;
    slip.profiles.Items(0).RegistrationNo.clear();
    TSlipPdfTemplates templates(slip.config);
    const QString text = Words(SlipPdfText(templates, slip.Source(), dir, "q.pdf"));
    EXPECT_FALSE(text.contains(QStringLiteral("登録番号")));
    EXPECT_FALSE(text.contains(QStringLiteral("対象 ￥")));
    EXPECT_TRUE(text.contains(QStringLiteral("緑茶 ※")));
    EXPECT_TRUE(text.contains(QStringLiteral("※は軽減税率対象")));
    // Two rates in one tax row: no single rate is named.
    EXPECT_TRUE(text.contains(QStringLiteral("消費税 420")));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Files written now compare byte for byte.
struct FixedClock {
    FixedClock() { Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 0))); }
    ~FixedClock() { Clock::unfix(); }
};

TEST(QualifiedSlipPdf, SwitchedOffTheNewFactsChangeNoByte) {
    const FixedClock clock;
    TempDir dir;
    for (bool landscape : {false, true}) {
        for (TSlipKind kind : {skMitsu, skJuryo}) {
            SCOPED_TRACE(testing::Message() << landscape << " " << kind);
            QualifiedSlip marked(false);
            QualifiedSlip plain(false);
            for (QualifiedSlip* slip : {&marked, &plain}) {
                slip->options.Landscape = landscape;
                slip->kind = kind;
                slip->options.ChangeSR = kind == skJuryo;
            }
            for (int i = 0; i < 4; ++i) {
                plain.document.Items(i).Reduced = false;
            }
            plain.profiles.Items(0).RegistrationNo.clear();
            plain.document.CalcTotal();
            // The same long-lived templates, after a qualified page moved their captions.
            QualifiedSlip qualified;
            qualified.options.Landscape = landscape;
            TSlipPdfTemplates templates(plain.config);
            templates.SaveSlipPdf(qualified.Source(), dir.path("q.pdf"));
            templates.SaveSlipPdf(marked.Source(), dir.path("marked.pdf"));
            TSlipPdfTemplates fresh(plain.config);
            fresh.SaveSlipPdf(plain.Source(), dir.path("plain.pdf"));
            EXPECT_EQ(FileBytes(dir.path("marked.pdf")), FileBytes(dir.path("plain.pdf")));
        }
    }
}

TEST(QualifiedSlipPdf, TheBlockMovesTheTotalsCaptionsAndPutsThemBack) {
    QualifiedSlip slip;
    TSlipPdfTemplates templates(slip.config);
    const TPRPage& page = templates.Template(false, PK::pkSingle);
    auto left = [&](const char* role) {
        return page
            .Find<TPRLabel>(QStringLiteral("PRLabelTateMitsuFirstPage") + QLatin1String(role))
            ->Left;
    };
    templates.BuildSlipPdfPage(slip.Source(), PK::pkSingle, 1, 1);
    EXPECT_EQ(left("FindingSubTotal"), templates.TemplateVar("TateMitsuFirstPage", "UP_L"));
    EXPECT_EQ(left("FindingTotal"), left("ItemUnitPrice21"));
    slip.options.PrintNote = false;
    templates.BuildSlipPdfPage(slip.Source(), PK::pkSingle, 1, 1);
    EXPECT_EQ(left("FindingTax"), templates.TemplateVar("TateMitsuFirstPage", "UP_L_NO_ETC"));
    slip.document.QualifiedInvoice = false;
    templates.BuildSlipPdfPage(slip.Source(), PK::pkSingle, 1, 1);
    for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) {
        EXPECT_EQ(left(role), 191) << role;
    }
    for (const char* role :
         {"RateName1", "RateBase2", "RateTax1", "ReducedNote", "RegistrationNo"}) {
        EXPECT_EQ(
            page.Find<TPRLabel>(QStringLiteral("PRLabelTateMitsuFirstPage") + QLatin1String(role))
                ->Caption(),
            QString())
            << role;
    }
}

TEST(QualifiedSlipPdf, ReceiptAndTotalInvoiceCarryTheNumberAndTheRates) {
    TempDir dir;
    QualifiedSlip slip;
    TSlipPdfTemplates templates(slip.config);

    const TReceiptOptions receipt =
        LoadReceiptOptions(IniFile::Load(dir.path("print.ini")), slip.config, slip.document);
    SaveReceiptPdf(templates, {slip.document, slip.config, slip.profiles.Items(0), receipt},
                   dir.path("r.pdf"));
    const QString receiptText = Words(PdfText(dir.path("r.pdf")));
    EXPECT_EQ(receiptText.count(QStringLiteral("登録番号 T7123456789012")), 2);
    // The amounts end in "-", which pdftotext may read as another hyphen.
    for (const char* row : {"10%対象 ￥3,000", "8%対象 ￥1,500", "非課税 ￥500", "消費税 ￥420"}) {
        EXPECT_EQ(receiptText.count(QString::fromUtf8(row)), 2) << row;
    }

    // The total invoice prints the breakdown it was given, not one of its own.
    TThEstimateObjectList& d = slip.document;
    d.TotalClaimMode = true;
    d.Breakdown.Rates = {
        {Currency::fromUnits(10), false, Currency::fromUnits(20000), Currency::fromUnits(2000)},
        {Currency::fromUnits(8), true, Currency::fromUnits(5000), Currency::fromUnits(400)}};
    d.Breakdown.HasExempt = false;
    SumBreakdown(d.Breakdown, false);
    d.SubTotal = d.Breakdown.SubTotal;
    d.Tax = d.Breakdown.Tax;
    d.Total = d.Breakdown.Total;
    const TTotalClaimOptions claim;
    SaveTotalClaimPdf(templates, {d, slip.config, slip.profiles.Items(0), claim},
                      dir.path("t.pdf"));
    const QString claimText = Words(PdfText(dir.path("t.pdf")));
    EXPECT_EQ(claimText.count(QStringLiteral("登録番号 T7123456789012")), 2);
    EXPECT_EQ(claimText.count(QStringLiteral("10%対象 ￥20,000 消費税 ￥2,000")), 2);
    EXPECT_EQ(claimText.count(QStringLiteral("8%対象 ￥5,000 消費税 ￥400")), 2);
    EXPECT_FALSE(claimText.contains(QStringLiteral("非課税対象")));

    slip.profiles.Items(0).RegistrationNo.clear();
    SaveTotalClaimPdf(templates, {d, slip.config, slip.profiles.Items(0), claim},
                      dir.path("t2.pdf"));
    const QString unregistered = Words(PdfText(dir.path("t2.pdf")));
    EXPECT_FALSE(unregistered.contains(QStringLiteral("登録番号")));
    EXPECT_FALSE(unregistered.contains(QStringLiteral("10%対象")));
}

}  // namespace
