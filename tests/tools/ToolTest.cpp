#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <sys/resource.h>

#include "Cp932.h"
#include "DataFolders.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "ToolProcess.h"

namespace {

QJsonObject parse(const QString& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

const char* const Estimate = R"({
  "comment": "見積の控え",
  "Customer": {"CusCode": "C001", "Name1": "株式会社テスト", "NameTitle": "御中", "Zip": "100-0001"},
  "Year": "令和08", "Month": "12", "Day": "10", "SlipCode": "No.12",
  "Delivery": "別途協議", "PrintDelivery": true, "Etc": "一行目\r\n二行目",
  "TaxRounding": "rmRoundUp", "SubTotalRounding": "rmRoundOff",
  "lines": [
    {"ItemName": "ボルト①", "Num": "12.5", "UnitName": "本", "UnitPrice": "158.4", "TotalPrice": "1980"},
    {"ItemName": "送料", "TotalPrice": "500", "NoTax": true},
    {"ItemName": "■ 小計 ■", "SubTotalRow": true},
    {"ItemName": "値引き", "TotalPrice": "-1.5", "Etc": "～端数－"}
  ]
})";

TEST(Tool, ConvertToFileAndBackGivesTheSameJson) {
    TempDir dir;
    writeFileBytes(dir.path("in.json"), Estimate);
    const QStringList saved = {"--saved", "2008/04/01 09:05"};
    ASSERT_EQ(tool(QStringList{"convert", dir.path("in.json"), dir.path("a.MT4")} + saved).status,
              0);
    ASSERT_EQ(tool({"convert", dir.path("a.MT4"), dir.path("a.json")}).status, 0);
    ASSERT_EQ(tool(QStringList{"convert", dir.path("a.json"), dir.path("b.MT4")} + saved).status,
              0);
    ASSERT_EQ(tool({"convert", dir.path("b.MT4"), dir.path("b.json")}).status, 0);

    EXPECT_EQ(readFileBytes(dir.path("a.MT4")), readFileBytes(dir.path("b.MT4")));
    EXPECT_EQ(readFileBytes(dir.path("a.json")), readFileBytes(dir.path("b.json")));

    const QJsonObject json = parse(QString::fromUtf8(readFileBytes(dir.path("a.json"))));
    EXPECT_EQ(json["layout"].toString(), "MITSU4_100");
    EXPECT_EQ(json["saved"].toString(), "2008/04/01 09:05");
    EXPECT_EQ(json["comment"].toString(), "見積の控え");
    EXPECT_EQ(json["Customer"].toObject()["Name1"].toString(), "株式会社テスト");
    EXPECT_EQ(json["Etc"].toString(), "一行目\r\n二行目");
    EXPECT_EQ(json["TaxRounding"].toString(), "rmRoundUp");
    EXPECT_TRUE(json["PrintDelivery"].toBool());
    const QJsonArray lines = json["lines"].toArray();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].toObject()["Num"].toString(), "12.5");
    EXPECT_EQ(lines[3].toObject()["TotalPrice"].toString(), "-1.5");
    EXPECT_EQ(lines[3].toObject()["Etc"].toString(), "～端数－");
}

TEST(Tool, ShowComputesTotalsWithTheGivenRateAndBasis) {
    TempDir dir;
    writeFileBytes(dir.path("in.json"), Estimate);
    ASSERT_EQ(tool({"convert", dir.path("in.json"), dir.path("a.MT4")}).status, 0);

    struct Case {
        QStringList options;
        const char* tax;
        const char* total;
    };
    // Taxable 1980 − 1.5 = 1978.5; subtotal 2478.5 rounds off to 2479; tax rounds up, per
    // line the discount's −0.15 away from zero to −1.
    for (const Case& c : {Case{{}, "99", "2578"}, Case{{"--tax-rate", "10"}, "198", "2677"},
                          Case{{"--tax-rate", "10", "--per-row"}, "197", "2676"}}) {
        const ToolRun run = tool(QStringList{"show", dir.path("a.MT4")} + c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QJsonObject json = parse(run.out);
        EXPECT_EQ(json["SubTotal"].toString(), "2479") << c.options.join(' ').toStdString();
        EXPECT_EQ(json["Tax"].toString(), c.tax) << c.options.join(' ').toStdString();
        EXPECT_EQ(json["Total"].toString(), c.total) << c.options.join(' ').toStdString();
        EXPECT_EQ(json["lines"].toArray()[2].toObject()["TotalPrice"].toString(), "2480");
    }
}

TEST(Tool, MissingLinesMeanANewDocumentsHundredEmptyLines) {
    TempDir dir;
    writeFileBytes(dir.path("in.json"), R"({"Customer": {"Name1": "x"}})");
    ASSERT_EQ(tool({"convert", dir.path("in.json"), dir.path("a.MT4")}).status, 0);
    const ToolRun run = tool({"show", dir.path("a.MT4")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = parse(run.out);
    EXPECT_EQ(json["lines"].toArray().size(), 100);
    EXPECT_EQ(json["TaxRate"].toString(), "5");
    EXPECT_EQ(json["lines"].toArray()[99].toObject()["Num"].toString(), "0");
}

TEST(Tool, ShowTakesItsDefaultRateFromTheDataRoot) {
    TempDir dir;
    writeFileBytes(dir.path("in.json"), R"({"lines": [{"TotalPrice": "1000"}]})");
    ASSERT_EQ(tool({"convert", dir.path("in.json"), dir.path("a.MT4")}).status, 0);
    writeFileBytes(dir.path("conf.ini"), "[SETTING]\r\nTAX=8\r\n");
    const ToolRun withRoot = tool({"--data-root", dir.root(), "show", dir.path("a.MT4")});
    ASSERT_EQ(withRoot.status, 0) << withRoot.err.toStdString();
    EXPECT_EQ(parse(withRoot.out)["TaxRate"].toString(), "8");
    EXPECT_EQ(parse(withRoot.out)["Tax"].toString(), "80");
    // Without a conf.ini the rate is the one older installations had.
    const ToolRun empty = tool({"show", dir.path("a.MT4"), "--data-root", dir.path("nothing")});
    EXPECT_EQ(parse(empty.out)["Tax"].toString(), "50");
}

// Without --data-root the tool works in the folder the window on this PC was given, and
// refuses one that is not there rather than reading an empty set of data.
TEST(Tool, DefaultRootFollowsTheWindowsChoice) {
    struct Case {
        const char* name;
        const char* remembered;  // folder of the test folder; "" keeps the default
        bool withRoot;           // --data-root DIR/chosen
        int status;
        const char* tax;      // shown when status is 0
        const char* message;  // on stderr otherwise, "DIR" standing for the test folder
    };
    const std::vector<Case> cases = {
        {"default", "", false, 0, "50", ""},
        {"chosen", "chosen", false, 0, "80", ""},
        {"gone", "gone", false, 1, "",
         "dorvani4-tool: データフォルダ「DIR/gone」が見つかりません。ネットワークの共有がつながって"
         "いるか確かめてください。\n"},
        {"unmounted", "mnt", false, 1, "",
         "dorvani4-tool: データフォルダ「DIR/mnt」にデータがありません。ネットワークの共有がつな"
         "がっているか確かめてください。\n"},
        {"given root wins", "gone", true, 0, "80", ""},
    };
    TempDir dir;
    // The tool runs with this process's environment: the user's choice lives in the sandbox.
    struct Sandboxed {
        const char* name;
        QByteArray saved;
        Sandboxed(const char* n, const QString& path) : name(n), saved(qgetenv(n)) {
            qputenv(name, path.toUtf8());
        }
        ~Sandboxed() { qputenv(name, saved); }
    };
    const Sandboxed config("XDG_CONFIG_HOME", dir.path("config"));
    const Sandboxed data("XDG_DATA_HOME", dir.path("home"));
    writeFileBytes(dir.path("in.json"), R"({"lines": [{"TotalPrice": "1000"}]})");
    ASSERT_EQ(tool({"convert", dir.path("in.json"), dir.path("a.MT4")}).status, 0);
    QDir().mkpath(dir.path("chosen"));
    writeFileBytes(dir.path("chosen/conf.ini"), "[SETTING]\r\nTAX=8\r\n");
    QDir().mkpath(dir.path("mnt"));
    for (const Case& c : cases) {
        const QString remembered = QString::fromUtf8(c.remembered);
        DataFolders::RememberRoot(remembered.isEmpty() ? QString() : dir.path(remembered));
        const QStringList root =
            c.withRoot ? QStringList{"--data-root", dir.path("chosen")} : QStringList{};
        const ToolRun run = tool(root + QStringList{"show", dir.path("a.MT4")});
        EXPECT_EQ(run.status, c.status) << c.name << run.err.toStdString();
        if (c.status == 0) {
            EXPECT_EQ(parse(run.out)["Tax"].toString(), c.tax) << c.name;
        } else {
            EXPECT_EQ(run.err, QString::fromUtf8(c.message).replace("DIR", dir.root())) << c.name;
        }
    }
    // Nothing was made in place of the missing folders.
    EXPECT_FALSE(QFileInfo::exists(dir.path("gone")));
    EXPECT_TRUE(QDir(dir.path("mnt")).isEmpty());
}

TEST(Tool, ConfigListsSettingsProfilesAndPictures) {
    TempDir dir;
    writeFileBytes(dir.path("conf.ini"),
                   Cp932::encode("[SETTING]\r\nTAX=2.5\r\nPRINTDECIMAL=1\r\n[CAMPANY_INFO1]"
                                 "\r\nCampanyName1=株式会社テスト\r\n"
                                 "CampanyStampWidth_B5=20.5\r\nBankNo2=普通 123\r\n"));
    QDir().mkpath(dir.path("img"));
    QImage seal(40, 30, QImage::Format_RGB32);
    seal.fill(Qt::red);
    ASSERT_TRUE(seal.save(dir.path("img/pstamp3.bmp"), "BMP"));
    ASSERT_TRUE(seal.save(dir.path("img/logo1.bmp"), "BMP"));

    const ToolRun run = tool({"--data-root", dir.root(), "config"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = parse(run.out);
    const QJsonObject setting = json["SETTING"].toObject();
    EXPECT_EQ(setting["TAX"].toString(), "2.5");
    EXPECT_TRUE(setting["PRINTDECIMAL"].toBool());
    EXPECT_EQ(setting["LINE_COLOR_ODD"].toInt(), 15780518);
    EXPECT_EQ(setting["FAX_TITLE"].toString(), "FAX送信のご案内");
    const QJsonArray seals = json["seals"].toArray();
    ASSERT_EQ(seals.size(), 6);
    EXPECT_FALSE(seals[0].toObject()["present"].toBool());
    EXPECT_EQ(seals[3].toObject()["width"].toInt(), 40);
    const QJsonObject second = json["CAMPANY_INFO1"].toObject();
    EXPECT_EQ(second["CampanyName1"].toString(), "株式会社テスト");
    EXPECT_EQ(second["BankNo2"].toString(), "普通 123");
    EXPECT_DOUBLE_EQ(second["CampanyStampWidth_B5"].toDouble(), 20.5);
    EXPECT_DOUBLE_EQ(second["CampanyStampPosFaxSenderPosY_B5"].toDouble(), 78.3);
    EXPECT_EQ(second["logo"].toObject()["height"].toInt(), 30);
    EXPECT_FALSE(json["CAMPANY_INFO2"].toObject()["logo"].toObject()["present"].toBool());
    // Decimals are written with a point although the tests run under a comma locale.
    EXPECT_TRUE(run.out.contains("\"CampanyStampWidth_B5\": 20.5,")) << run.out.toStdString();
}

TEST(Tool, MastersAndCustomerExport) {
    TempDir dir;
    writeFileBytes(dir.path("Customer.dat"),
                   Cp932::encode("C1,\"山田 商店\",,,100-0001,東京都,,03,\r\n"));
    writeFileBytes(dir.path("ItemList.dat"), Cp932::encode("ボルト,本,12.5\r\n"));
    writeFileBytes(dir.path("ItemUnit.dat"), Cp932::encode("個\r\n\r\n"));
    const ToolRun run = tool({"--data-root", dir.root(), "masters"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = parse(run.out);
    EXPECT_EQ(json["customers"].toArray()[0].toObject()["Name1"].toString(), "山田 商店");
    EXPECT_EQ(json["items"].toArray()[0].toObject()["UnitPrice"].toString(), "12.5");
    EXPECT_EQ(json["units"].toArray(), QJsonArray({"個", ""}));

    ASSERT_EQ(tool({"--data-root", dir.root(), "export-customers", dir.path("out.csv")}).status, 0);
    EXPECT_EQ(Cp932::decode(readFileBytes(dir.path("out.csv"))),
              "お客様コード,会社名１,会社名２,会社名３,郵便番号,住所１,住所２,ＴＥＬ,ＦＡＸ\r\n"
              "C1,\"山田 商店\",,,100-0001,東京都,,03,\r\n");

    const ToolRun none = tool({"--data-root", dir.path("none"), "masters"});
    ASSERT_EQ(none.status, 0) << none.err.toStdString();
    EXPECT_TRUE(parse(none.out)["customers"].toArray().isEmpty());
}

// Listing the masters only reads them: a broken one is reported and nothing is written.
TEST(Tool, MastersLeaveABrokenMasterAsItIs) {
    // Too few fields, and a line saved as UTF-8.
    for (const QByteArray& customers : {QByteArray("C1,a,,,,,,,\r\nC2,short\r\n"),
                                        QByteArray("C1,a,,,,,,,\r\nC2,山田商店,,,,,,,\r\n")}) {
        TempDir dir;
        writeFileBytes(dir.path("Customer.dat"), customers);
        const ToolRun run = tool({"--data-root", dir.root(), "masters"});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("Customer.dat」の 2 行目")) << run.err.toStdString();
        EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"Customer.dat"});
        EXPECT_EQ(readFileBytes(dir.path("Customer.dat")), customers);
    }
}

struct FailureCase {
    const char* name;
    QStringList arguments;  // "DIR/" is replaced by the test folder
    const char* json;       // written to DIR/in.json when set
    int status;
    const char* mentions;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class ToolFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ToolFailure, ExitsWithStatusAndOneLineMessage) {
    TempDir dir;
    const FailureCase& c = GetParam();
    if (c.json) {
        writeFileBytes(dir.path("in.json"), c.json);
    }
    writeFileBytes(dir.path("broken.MT4"),
                   QByteArray::fromHex("0a000000") + "MITSU4_100" + QByteArray::fromHex("ff"));
    writeFileBytes(dir.path("Customer.dat"), "C1,a,,,,,,,\r\nC2,short\r\n");
    QStringList arguments;
    for (const QString& argument : c.arguments) {
        arguments << QString(argument).replace("DIR/", dir.root() + "/");
    }
    const ToolRun run = tool(arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("dorvani4-tool: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.mentions).replace("DIR/", dir.root() + "/")))
        << run.err.toStdString();
    if (c.status == 1) {
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}

std::string failureName(const ::testing::TestParamInfo<FailureCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ToolFailure,
    ::testing::Values(
        FailureCase{"NoCommand", {}, nullptr, 2, "usage"},
        FailureCase{"UnknownCommand", {"frobnicate"}, nullptr, 2, "unknown command"},
        FailureCase{"MissingFile", {"show"}, nullptr, 2, "usage: dorvani4-tool show"},
        FailureCase{
            "UnknownOption", {"show", "DIR/a.MT4", "--fast"}, nullptr, 2, "unknown option --fast"},
        FailureCase{
            "BadTaxRate", {"show", "DIR/a.MT4", "--tax-rate", "five"}, nullptr, 2, "--tax-rate"},
        FailureCase{"TaxRateWithoutValue",
                    {"show", "DIR/a.MT4", "--tax-rate"},
                    nullptr,
                    2,
                    "--tax-rate needs a value"},
        FailureCase{"BadSavedTime",
                    {"convert", "DIR/in.json", "DIR/a.MT4", "--saved", "yesterday"},
                    "{}",
                    2,
                    "--saved"},
        FailureCase{
            "UnknownExtension", {"convert", "DIR/in.json", "DIR/a.txt"}, "{}", 2, "DIR/a.txt"},
        FailureCase{"AbsentFile", {"show", "DIR/none.MT4"}, nullptr, 1, "DIR/none.MT4"},
        FailureCase{"BrokenFile", {"show", "DIR/broken.MT4"}, nullptr, 1, "DIR/broken.MT4"},
        FailureCase{
            "JsonSyntax", {"convert", "DIR/in.json", "DIR/a.MT4"}, "{\"Year\": ", 1, "DIR/in.json"},
        FailureCase{"JsonWrongType",
                    {"convert", "DIR/in.json", "DIR/a.MT4"},
                    R"({"lines": [{"Num": 3}]})",
                    1,
                    "lines[0].Num: must be a string"},
        FailureCase{"JsonBadNumber",
                    {"convert", "DIR/in.json", "DIR/a.MT4"},
                    R"({"TaxRate": "1,5"})",
                    1,
                    "TaxRate: 「1,5」は数値ではありません"},
        FailureCase{"JsonUnknownField",
                    {"convert", "DIR/in.json", "DIR/a.MT4"},
                    R"({"Customer": {"Nmae1": ""}})",
                    1,
                    "Customer.Nmae1: unknown field"},
        FailureCase{"JsonBadRounding",
                    {"convert", "DIR/in.json", "DIR/a.MT4"},
                    R"({"TaxRounding": "up"})",
                    1,
                    "TaxRounding: must be rmTruncate"},
        FailureCase{"BrokenCustomerFile",
                    {"--data-root", "DIR/", "masters"},
                    nullptr,
                    1,
                    "DIR/Customer.dat」の 2 行目"},
        FailureCase{"DataRootWithoutValue",
                    {"config", "--data-root"},
                    nullptr,
                    2,
                    "--data-root needs a value"},
        FailureCase{"ConfigTakesNoFile",
                    {"config", "x"},
                    nullptr,
                    2,
                    "usage: dorvani4-tool [--data-root DIR] config"},
        FailureCase{"TextShiftJisCannotHold",
                    {"convert", "DIR/in.json", "DIR/a.MT4"},
                    R"({"lines": [{"ItemName": "寿司🍣"}]})",
                    1,
                    "1行目の品名"}),
    failureName);

// An allocation that fails ends the command with the message and status 1, not with an
// abort. The data segment limit makes a document of many lines too large to show; the
// sanitizers reserve more address space than that limit allows, so they skip.
TEST(Tool, OutOfMemoryIsABadInputNotACrash) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer runtime cannot start under a data limit";
#endif
    TempDir dir;
    QByteArray json = R"({"lines": [)";
    for (int i = 0; i < 150000; ++i) {
        json += (i == 0 ? "" : ",") + QByteArray(R"({"ItemName": "品名"})");
    }
    json += "]}";
    writeFileBytes(dir.path("in.json"), json);
    ASSERT_EQ(tool({"convert", dir.path("in.json"), dir.path("big.MT4")}).status, 0);

    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit limit{64 * 1024 * 1024, 64 * 1024 * 1024};
        ::setrlimit(RLIMIT_DATA, &limit);
    });
    process.start(QStringLiteral(DORVANI4_TOOL), {"show", dir.path("big.MT4")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              QStringLiteral("dorvani4-tool: メモリが不足しているため、処理を中止しました。\n"));
}

}  // namespace

namespace {

const char* const MixedRates = R"({
  "lines": [
    {"ItemName": "事務用品", "TotalPrice": "105"},
    {"ItemName": "事務用品", "TotalPrice": "105"},
    {"ItemName": "事務用品", "TotalPrice": "105"},
    {"ItemName": "弁当", "TotalPrice": "1080", "Reduced": true},
    {"ItemName": "切手", "TotalPrice": "84", "NoTax": true}
  ]
})";

TEST(Tool, ConvertCarriesReducedMarksBothWays) {
    TempDir dir;
    writeFileBytes(dir.path("in.json"), MixedRates);
    const QStringList saved = {"--saved", "2008/04/01 09:05"};
    ASSERT_EQ(tool(QStringList{"convert", dir.path("in.json"), dir.path("a.MT4")} + saved).status,
              0);
    EXPECT_TRUE(readFileBytes(dir.path("a.MT4")).contains("MT4X"));
    ASSERT_EQ(tool({"convert", dir.path("a.MT4"), dir.path("a.json")}).status, 0);
    ASSERT_EQ(tool(QStringList{"convert", dir.path("a.json"), dir.path("b.MT4")} + saved).status,
              0);
    EXPECT_EQ(readFileBytes(dir.path("a.MT4")), readFileBytes(dir.path("b.MT4")));

    const QString json = QString::fromUtf8(readFileBytes(dir.path("a.json")));
    const QJsonArray lines = parse(json)["lines"].toArray();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_FALSE(lines[0].toObject().contains("Reduced"));
    EXPECT_TRUE(lines[3].toObject()["Reduced"].toBool());
    EXPECT_EQ(json.count("\"Reduced\""), 1) << "only marked lines carry the mark";
    EXPECT_FALSE(json.contains("TaxBreakdown"));
    EXPECT_FALSE(json.contains("QualifiedInvoice"));
}

TEST(Tool, ShowPrintsTheBreakdownOnlyForAQualifiedInvoice) {
    TempDir dir;
    writeFileBytes(dir.path("in.json"), MixedRates);
    ASSERT_EQ(tool({"convert", dir.path("in.json"), dir.path("a.MT4")}).status, 0);

    const ToolRun off = tool({"show", dir.path("a.MT4"), "--tax-rate", "10"});
    ASSERT_EQ(off.status, 0) << off.err.toStdString();
    EXPECT_FALSE(off.out.contains("TaxBreakdown"));
    EXPECT_FALSE(off.out.contains("QualifiedInvoice"));
    // One rate on the taxable 1395: 139.5 truncated.
    EXPECT_EQ(parse(off.out)["Tax"].toString(), "139");

    struct Case {
        QStringList options;
        const char* conf;
        const char* reducedRate;
        const char* reducedTax;
        const char* tax;
    };
    // 10 %: 315 → 31; 8 %: 1080 → 86; exempt 84.
    for (const Case& c :
         {Case{{"--tax-rate", "10", "--qualified"}, nullptr, "8", "86", "117"},
          Case{{"--tax-rate", "10", "--qualified", "--reduced-rate", "6.5"},
               nullptr,
               "6.5",
               "70",
               "101"},
          Case{{}, "[SETTING]\r\nTAX=10\r\nQUALIFIED_INVOICE=1\r\n", "8", "86", "117"}}) {
        if (c.conf != nullptr) {
            writeFileBytes(dir.path("conf.ini"), c.conf);
        }
        const ToolRun on =
            tool(QStringList{"--data-root", dir.root(), "show", dir.path("a.MT4")} + c.options);
        ASSERT_EQ(on.status, 0) << on.err.toStdString();
        const QJsonObject json = parse(on.out);
        EXPECT_TRUE(json["QualifiedInvoice"].toBool());
        EXPECT_EQ(json["ReducedTaxRate"].toString(), c.reducedRate);
        const QJsonObject b = json["TaxBreakdown"].toObject();
        const QJsonArray rates = b["Rates"].toArray();
        ASSERT_EQ(rates.size(), 2) << on.out.toStdString();
        EXPECT_EQ(rates[0].toObject()["Rate"].toString(), "10");
        EXPECT_EQ(rates[0].toObject()["Base"].toString(), "315");
        EXPECT_EQ(rates[0].toObject()["Tax"].toString(), "31");
        EXPECT_FALSE(rates[0].toObject()["Reduced"].toBool());
        EXPECT_EQ(rates[1].toObject()["Rate"].toString(), c.reducedRate);
        EXPECT_EQ(rates[1].toObject()["Base"].toString(), "1080");
        EXPECT_EQ(rates[1].toObject()["Tax"].toString(), c.reducedTax);
        EXPECT_TRUE(rates[1].toObject()["Reduced"].toBool());
        EXPECT_TRUE(b["HasExempt"].toBool());
        EXPECT_EQ(b["Exempt"].toString(), "84");
        EXPECT_EQ(json["Tax"].toString(), c.tax);
        EXPECT_EQ(json["SubTotal"].toString(), "1479");
    }
}

TEST(Tool, BadBreakdownInJsonIsNamed) {
    TempDir dir;
    for (const auto& [json, where] :
         {std::pair{R"({"TaxBreakdown": {"Rates": [{"Rate": "x"}]}})",
                    "TaxBreakdown.Rates[0].Rate"},
          std::pair{R"({"TaxBreakdown": {"Rates": 3}})", "TaxBreakdown.Rates"},
          std::pair{R"({"TaxBreakdown": {"Extra": 1}})", "TaxBreakdown.Extra"},
          std::pair{R"({"lines": [{"Reduced": "yes"}]})", "lines[0].Reduced"}}) {
        writeFileBytes(dir.path("in.json"), json);
        const ToolRun run = tool({"convert", dir.path("in.json"), dir.path("a.MT4")});
        EXPECT_EQ(run.status, 1) << json;
        EXPECT_TRUE(run.err.contains(where)) << run.err.toStdString();
    }
}

}  // namespace
