#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "DataFolders.h"
#include "JapaneseEra.h"
#include "QtPrint.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"
#include "TempDir.h"
#include "ToolProcess.h"

namespace {

QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A document file made through the tool itself, in a fresh data root.
QString document(const TempDir& dir, const QByteArray& json) {
    writeFileBytes(dir.path("doc.json"), json);
    EXPECT_EQ(
        tool({"--data-root", dir.root(), "convert", dir.path("doc.json"), dir.path("doc.MT4")})
            .status,
        0);
    return dir.path("doc.MT4");
}

const char* const Estimate = R"({"Customer": {"Name1": "株式会社テスト", "NameTitle": "御中"},
  "Etc": "備考の行", "lines": [{"ItemName": "ボルト", "Num": "12", "UnitPrice": "150", "TotalPrice": "1800", "Etc": "行の注記"}]})";

TEST(PdfCommand, WritesTheSlipWithTheOptionsOfPrintIni) {
    TempDir dir;
    const QString file = document(dir, Estimate);
    writeFileBytes(dir.path("print.ini"), "[MITSU]\r\nPRINT_NOTE=1\r\n");
    const ToolRun run =
        tool({"--data-root", dir.root(), "pdf", "mitsu", file, dir.path("a.pdf"), "--set",
              "PRINT_GRAND_TOTAL=0", "--tax", "in", "--set", "PRINT_NOTE=0"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(dir.path("a.pdf"));
    EXPECT_TRUE(text.contains("株式会社テスト 御中"));
    EXPECT_TRUE(text.contains("ボルト"));
    EXPECT_TRUE(text.contains("(消費税込)"));
    // Every --set counts, the later one over print.ini.
    EXPECT_FALSE(text.contains("￥"));
    EXPECT_FALSE(text.contains("行の注記"));
    // --set changes nothing on disk.
    EXPECT_EQ(readFileBytes(dir.path("print.ini")), QByteArray("[MITSU]\r\nPRINT_NOTE=1\r\n"));
}

TEST(PdfCommand, EmbedsTheFontsAsTheDataFolderSays) {
    struct Case {
        const char* conf;  // null: no conf.ini
        bool embedded;
    };
    const Case cases[] = {
        {nullptr, true},
        {"[SETTING]\r\nPDF_EMBED_FONTS=0\r\n", false},
        {"[SETTING]\r\nPDF_EMBED_FONTS=1\r\n", true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const QString file = document(dir, Estimate);
        if (c.conf != nullptr) {
            writeFileBytes(dir.path("conf.ini"), c.conf);
        }
        const ToolRun run =
            tool({"--data-root", dir.root(), "pdf", "mitsu", file, dir.path("a.pdf")});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QByteArray bytes = readFileBytes(dir.path("a.pdf"));
        EXPECT_EQ(bytes.contains("/FontFile2"), c.embedded) << (c.conf ? c.conf : "no conf.ini");
        EXPECT_TRUE(pdfText(dir.path("a.pdf")).contains("株式会社テスト 御中"));
    }
}

TEST(PdfCommand, RefusesWhatTheDocumentOrTheCallDoesNotAllow) {
    struct Case {
        QByteArray json;
        QStringList extra;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {Estimate, {"--tax", "notax"}, 2, "before (税別), in (税込み)"},
        {Estimate, {"--set", "NOPE=1"}, 2, "PRINT_NOTE"},
        {Estimate, {"--landscape", "--portrait"}, 2, "--landscape"},
        {R"({"TotalClaimMode": true, "lines": []})",
         {},
         1,
         "この機能は合計請求モードでは使用できません。"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const QString file = document(dir, c.json);
        const ToolRun run =
            tool(QStringList{"--data-root", dir.root(), "pdf", "SEIKYU", file, dir.path("b.pdf")} +
                 c.extra);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
}

TEST(PdfCommand, QualifiedInvoicesFollowTheDataRootsSettings) {
    const char* const invoice = R"({"lines": [
      {"ItemName": "部品", "Num": "1", "UnitPrice": "1000", "TotalPrice": "1000"},
      {"ItemName": "部品", "Num": "1", "UnitPrice": "2000", "TotalPrice": "2000"},
      {"ItemName": "印紙代", "Num": "1", "UnitPrice": "500", "TotalPrice": "500", "NoTax": true}]})";
    const struct {
        const char* conf;
        bool block;
    } cases[] = {
        {"[SETTING]\r\nTAX=10\r\n", false},
        {"[SETTING]\r\nTAX=10\r\nQUALIFIED_INVOICE=1\r\n"
         "[CAMPANY_INFO0]\r\nRegistrationNo=T7123456789012\r\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.conf);
        TempDir dir;
        const QString file = document(dir, invoice);
        writeFileBytes(dir.path("conf.ini"), c.conf);
        const ToolRun run = tool(
            {"--data-root", dir.root(), "pdf", "SEIKYU", file, dir.path("q.pdf"), "--landscape"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QString text = pdfText(dir.path("q.pdf")).simplified();
        EXPECT_EQ(text.contains("登録番号 T7123456789012"), c.block) << text.toStdString();
        EXPECT_EQ(text.contains("10%対象 ￥3,000 消費税 ￥300"), c.block);
        EXPECT_EQ(text.contains("非課税対象 ￥500"), c.block);
        EXPECT_EQ(text.contains("消費税(10%) 300"), !c.block);
    }
}

TEST(PdfCommand, WritesTheTotalInvoiceOnlyInTotalInvoiceMode) {
    TempDir dir;
    const QString file = document(
        dir,
        R"({"TotalClaimMode": true, "Customer": {"Name1": "株式会社テスト", "NameTitle": "御中"},
          "Total": "31500", "lines": [{"ItemName": "見積 A-1", "TotalPrice": "31500"}]})");
    const ToolRun run = tool({"--data-root", dir.root(), "pdf", "goukei_seikyu", file,
                              dir.path("g.pdf"), "--pre-claim", "12,000", "--pre-paid", "2000.5"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(dir.path("g.pdf"));
    EXPECT_EQ(text.count("9,999.5"), 2) << text.toStdString();
    EXPECT_EQ(text.count("￥41,499.5"), 2);

    const QString normal = document(dir, Estimate);
    const ToolRun refused =
        tool({"--data-root", dir.root(), "pdf", "GOUKEI_SEIKYU", normal, dir.path("h.pdf")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("この機能は合計請求モード以外では使用できません。"));
    EXPECT_EQ(tool({"--data-root", dir.root(), "pdf", "GOUKEI_SEIKYU", file, dir.path("i.pdf"),
                    "--pre-claim", "many"})
                  .status,
              2);
}

// A data root whose masters hold 48 items and 16 customers.
void WriteMasters(const TempDir& dir) {
    const DataFolders folders(dir.root());
    TThItemObjectList items;
    for (int i = 1; i <= 48; ++i) {
        items.Add(std::make_unique<TThItemObject>(
            TThItemObject{QStringLiteral("品目%1").arg(i), "個", Currency::fromUnits(100)}));
    }
    items.SaveToFile(folders.ItemListPath());
    TThCustomerObjectList customers;
    for (int i = 1; i <= 16; ++i) {
        auto customer = std::make_unique<TThCustomerObject>();
        customer->Name1 = QStringLiteral("得意先%1").arg(i);
        customers.Add(std::move(customer));
    }
    customers.SaveToFile(folders.CustomerPath());
}

QString pageText(const QString& path, int page) {
    QProcess process;
    const QString n = QString::number(page);
    process.start(QStringLiteral("pdftotext"), {"-layout", "-f", n, "-l", n, path, "-"});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(PdfCommand, WritesTheListsOfTheMastersDatedTodayOrByDate) {
    TempDir dir;
    WriteMasters(dir);
    const struct {
        const char* kind;
        QStringList date;
        QString dateText;
        const char* lastRow;
    } cases[] = {
        {"ITEM_LIST", {"--date", "2026-04-01"}, "令和08年04月01日", "品目48"},
        {"customer_list", {}, JapaneseEra::LongDate(QDate::currentDate()), "得意先16"},
    };
    for (const auto& c : cases) {
        const QString out = dir.path(QStringLiteral("%1.pdf").arg(c.kind));
        const ToolRun run =
            tool(QStringList{"--data-root", dir.root(), "pdf", c.kind, out} + c.date);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, out + ": 2 ページ\n");
        const QString second = pageText(out, 2);
        EXPECT_TRUE(second.contains(c.dateText)) << second.toStdString();
        EXPECT_TRUE(second.contains(c.lastRow));
        EXPECT_TRUE(second.contains("( 2 / 2 )"));
    }
}

TEST(PdfCommand, ListsTakeNoDocumentAndOnlyADate) {
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{"ITEM_LIST", "doc.MT4", "out.pdf"}, "usage"},
        {{"ITEM_LIST", "out.pdf", "--profile", "1"}, "--date だけ"},
        {{"CUSTOMER_LIST", "out.pdf", "--landscape"}, "--date だけ"},
        {{"ITEM_LIST", "out.pdf", "--date", "2026-13-01"}, "YYYY-MM-DD"},
        {{"ITEM_LIST", "out.pdf", "--date", "1800-01-01"}, "明治以降"},
        {{"MITSU", "doc.MT4", "out.pdf", "--date", "2026-01-01"}, "ITEM_LIST と CUSTOMER_LIST"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const ToolRun run = tool(QStringList{"--data-root", dir.root(), "pdf"} + c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.path("out.pdf")));
    }
}

TEST(PdfCommand, WritesTheReceiptWithTheProvisoAndBreakdownGiven) {
    TempDir dir;
    const QString file = document(dir, Estimate);
    const ToolRun run =
        tool({"--data-root", dir.root(), "pdf", "ryosyu", file, dir.path("r.pdf"), "--proviso",
              "お品代として", "--breakdown", "現　金=(1,980)", "--breakdown", "小切手="});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(dir.path("r.pdf"));
    EXPECT_EQ(text.count("お品代として"), 2) << text.toStdString();
    EXPECT_EQ(text.count(QRegularExpression("1,980[-\u2011]")), 2);
    EXPECT_EQ(text.count("小切手"), 2);
    EXPECT_FALSE(text.contains("消費税")) << "the rows given replace the tax row";

    const struct {
        QStringList arguments;
        const char* message;
    } refused[] = {
        {{"RYOSYU", file, dir.path("s.pdf"), "--breakdown", "現金=many"}, "--breakdown 現金=many"},
        {{"RYOSYU", file, dir.path("s.pdf"), "--breakdown", "a=1", "--breakdown", "b=1",
          "--breakdown", "c=1", "--breakdown", "d=1", "--breakdown", "e=1"},
         "4 行まで"},
        {{"MITSU", file, dir.path("s.pdf"), "--proviso", "x"}, "--proviso は RYOSYU"},
    };
    for (const auto& r : refused) {
        const ToolRun bad = tool(QStringList{"--data-root", dir.root(), "pdf"} + r.arguments);
        EXPECT_EQ(bad.status, 2) << r.message;
        EXPECT_TRUE(bad.err.contains(QString::fromUtf8(r.message))) << bad.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.path("s.pdf")));
}

TEST(PdfCommand, WritesTheFaxCoverWithTheFieldsGiven) {
    TempDir dir;
    const QString file = document(dir, Estimate);
    const ToolRun run = tool({"--data-root", dir.root(), "pdf", "fax", file, dir.path("f.pdf"),
                              "--subject", "見積書送付の件", "--pages", "3", "--content",
                              "一行目\n二行目", "--request", "4", "--set", "OPTION1=1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(dir.path("f.pdf"));
    for (const char* shown : {"要件：見積書送付の件", "送付枚数：3枚", "一行目", "二行目"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << text.toStdString();
    }
    EXPECT_EQ(text.count("Ｖ"), 2) << "request 4 and OPTION1";

    const struct {
        QStringList arguments;
        const char* message;
    } refused[] = {
        {{"FAX", file, dir.path("g.pdf"), "--request", "5"}, "--request 5"},
        {{"FAX", file, dir.path("g.pdf"), "--pages", "0"}, "--pages"},
        {{"RYOSYU", file, dir.path("g.pdf"), "--subject", "x"}, "--subject は FAX"},
    };
    for (const auto& r : refused) {
        const ToolRun bad = tool(QStringList{"--data-root", dir.root(), "pdf"} + r.arguments);
        EXPECT_EQ(bad.status, 2) << r.message;
        EXPECT_TRUE(bad.err.contains(QString::fromUtf8(r.message))) << bad.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.path("g.pdf")));
    const ToolRun help = tool({"--help"});
    for (const char* kind : {"GOUKEI_SEIKYU", "RYOSYU", "FAX", "--proviso", "--breakdown",
                             "--subject", "--pages", "--content", "--request"}) {
        EXPECT_TRUE(help.out.contains(QLatin1String(kind))) << kind;
    }
}

}  // namespace
