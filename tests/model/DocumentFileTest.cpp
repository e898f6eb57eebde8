#include <gtest/gtest.h>

#include "QtPrint.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <optional>

#include "Clock.h"
#include "Cp932.h"
#include "DocumentFile.h"
#include "FileSizeLimit.h"
#include "ModelError.h"
#include "PermissionBits.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"

namespace {

// Builds file bytes entry by entry, remembering where each entry starts.
class Entries {
  public:
    Entries& s(const char* utf8) { return raw(Cp932::encode(QString::fromUtf8(utf8))); }
    Entries& raw(const QByteArray& text) {
        starts.push_back(bytes.size());
        appendInt(static_cast<qint32>(text.size()));
        bytes += text;
        return *this;
    }
    Entries& count(qint32 n) {
        starts.push_back(bytes.size());
        appendInt(n);
        return *this;
    }
    Entries& emptyLines(int n, int entriesPerLine, const char* flag = "0") {
        for (int i = 0; i < n; ++i) {
            // name, then figures "0" and empty texts in the normal record order
            s("");
            for (int e = 1; e < entriesPerLine; ++e) {
                s(e == 2 || e == 5 ? "" : (e >= 6 ? flag : "0"));
            }
        }
        return *this;
    }

    QByteArray bytes;
    std::vector<qsizetype> starts;

  private:
    void appendInt(qint32 n) {
        const auto v = static_cast<quint32>(n);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>(v >> shift);
        }
    }
};

const QDateTime SavedAt(QDate(2008, 4, 1), QTime(9, 5));

// Entries 1-21 of a file of the given magic, with the names of a sample customer.
Entries header(const char* magic, const char* mode, bool withNames23 = true) {
    Entries e;
    e.s(magic).s("2008/04/01 09:05").raw(mode).s("コメント").s("株式会社テスト");
    if (withNames23) {
        e.s("営業部").s("");
    }
    e.s("0").s("2480").s("99").s("C001").s("No.12").s("令和08").s("12").s("10");
    e.s("100-0001")
        .s("東京都千代田区")
        .s("千代田1-1")
        .s("03-0000-0000")
        .s("03-0000-0001")
        .s("御中");
    return e;
}

// The normal-mode entries 22-34 with TaxIn false, 切り上げ and 四捨五入.
void normalTail(Entries& e) {
    e.s("2026年12月末")
        .s("-1")
        .s("貴社指定場所")
        .s("0")
        .s("月末締め翌月末払い")
        .s("-1")
        .s("発行後30日")
        .s("0");
    e.s("備考1\r\n備考2").s("メモ").s("0").s("1").s("2");
}

TThEstimateObjectList sampleDocument() {
    TThEstimateObjectList d;
    d.Customer = {"C001",         "株式会社テスト", "営業部",         "",
                  "御中",         "100-0001",       "東京都千代田区", "千代田1-1",
                  "03-0000-0000", "03-0000-0001"};
    d.SubTotal = Currency::fromUnits(2480);
    d.Tax = Currency::fromUnits(99);
    d.SlipCode = "No.12";
    d.Year = "令和08";
    d.Month = "12";
    d.Day = "10";
    d.Delivery = "2026年12月末";
    d.PrintDelivery = true;
    d.Place = "貴社指定場所";
    d.Condition = "月末締め翌月末払い";
    d.PrintCondition = true;
    d.Limit = "発行後30日";
    d.Etc = "備考1\r\n備考2";
    d.Memo = "メモ";
    d.TaxRounding = TRoundingMode::rmRoundUp;
    d.SubTotalRounding = TRoundingMode::rmRoundOff;
    auto line = std::make_unique<TThEstimateObject>();
    line->ItemName = "ボルト①";
    line->Num = Currency::fromText(u"12.5");
    line->UnitName = "本";
    line->UnitPrice = Currency::fromText(u"158.4");
    line->TotalPrice = Currency::fromText(u"1980");
    line->Etc = "～特注－";
    d.Add(std::move(line));
    auto exempt = std::make_unique<TThEstimateObject>();
    exempt->ItemName = "送料";
    exempt->TotalPrice = Currency::fromUnits(500);
    exempt->NoTax = true;
    d.Add(std::move(exempt));
    d.Add(std::make_unique<TThEstimateObject>());
    d.SetSubTotalRow(2);
    return d;
}

Entries sampleDocumentEntries() {
    Entries e = header("MITSU4_100", "0");
    normalTail(e);
    e.count(3);
    e.s("ボルト①").s("12.5").s("本").s("158.4").s("1980").s("～特注－").s("0").s("0");
    e.s("送料").s("0").s("").s("0").s("500").s("").s("-1").s("0");
    e.s("■ 小計 ■").s("0").s("").s("0").s("0").s("").s("0").s("-1");
    return e;
}

TEST(DocumentFile, WritesTheNewestLayoutEntryByEntry) {
    EXPECT_EQ(DocumentFile::Encode(sampleDocument(), "コメント", SavedAt).toHex(' '),
              sampleDocumentEntries().bytes.toHex(' '));
}

TEST(DocumentFile, EntriesHaveTheirDocumentedBytes) {
    TThEstimateObjectList d;
    const QByteArray bytes = DocumentFile::Encode(d, "", SavedAt);
    EXPECT_EQ(bytes.left(14), QByteArray::fromHex("0a000000") + "MITSU4_100");
    EXPECT_EQ(bytes.mid(14, 20), QByteArray::fromHex("10000000") + "2008/04/01 09:05");
    EXPECT_EQ(bytes.mid(34, 5), QByteArray::fromHex("0100000030"));  // false
    EXPECT_EQ(bytes.mid(39, 4), QByteArray::fromHex("00000000"));    // empty comment

    d.TotalClaimMode = true;
    EXPECT_EQ(DocumentFile::Encode(d, "", SavedAt).mid(34, 6),
              QByteArray::fromHex("020000002d31"));  // true
}

TEST(DocumentFile, NewDocumentSavesHundredRecordsOf37Bytes) {
    TThEstimateObjectList d;
    d.PadLines(TThEstimateObjectList::DefaultLineCount);
    const QByteArray bytes = DocumentFile::Encode(d, "", SavedAt);
    const QByteArray record = QByteArray::fromHex(
        "00000000 0100000030 00000000 0100000030 0100000030 00000000 0100000030 0100000030");
    ASSERT_EQ(record.size(), 37);
    const QByteArray records = bytes.right(100 * 37);
    EXPECT_EQ(records, record.repeated(100));
    EXPECT_EQ(bytes.mid(bytes.size() - 3700 - 4, 4), QByteArray::fromHex("64000000"));
}

TEST(DocumentFile, SavedDocumentReadsBackWithTaxRateAndBasisKept) {
    TempDir dir;
    const QString path = dir.path("見積.MT4");
    const TThEstimateObjectList original = sampleDocument();
    original.SaveToFile(path, "コメント");

    TThEstimateObjectList read;
    read.TaxRate = Currency::fromUnits(8);
    read.CalcPerRow = true;
    read.PadLines(5);
    read.LoadFromFile(path);

    EXPECT_EQ(read.TaxRate, Currency::fromUnits(8));
    EXPECT_TRUE(read.CalcPerRow);
    EXPECT_EQ(read.Customer, original.Customer);
    EXPECT_EQ(read.SubTotal, original.SubTotal);
    EXPECT_EQ(read.Tax, original.Tax);
    EXPECT_EQ(read.Etc, original.Etc);
    EXPECT_EQ(read.Memo, original.Memo);
    EXPECT_EQ(read.PrintDelivery, true);
    EXPECT_EQ(read.PrintPlace, false);
    EXPECT_EQ(read.TaxRounding, TRoundingMode::rmRoundUp);
    EXPECT_EQ(read.SubTotalRounding, TRoundingMode::rmRoundOff);
    ASSERT_EQ(read.Count(), original.Count());
    for (int i = 0; i < read.Count(); ++i) {
        EXPECT_EQ(read.Items(i), original.Items(i)) << "line " << i;
    }
    // Writing what was read gives the same bytes.
    EXPECT_EQ(DocumentFile::Encode(read, "コメント", SavedAt),
              DocumentFile::Encode(original, "コメント", SavedAt));
}

TEST(DocumentFile, SaveTimeComesFromTheClock) {
    TempDir dir;
    Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(23, 59)));
    sampleDocument().SaveToFile(dir.path("a.MT4"), "");
    Clock::unfix();
    EXPECT_EQ(DocumentFile::ReadHeader(dir.path("a.MT4")).Saved, "2026/12/10 23:59");
}

TEST(DocumentFile, TotalInvoiceTotalIsTheSumOfItsSourceLines) {
    Entries e = header("MITSU4_100", "-1");
    e.s("合計の備考").s("合計のメモ").count(3);
    e.s("見積A").s("1000").s("").s("0").s("0");
    e.s("■ 小計 ■").s("1000").s("").s("0").s("-1");
    e.s("見積B").s("500").s("").s("0").s("0");
    TThEstimateObjectList d;
    d.Delivery = "前の文書の受渡期日";
    DocumentFile::Decode(d, e.bytes, "t.MT4");
    EXPECT_TRUE(d.TotalClaimMode);
    EXPECT_EQ(d.Total, Currency::fromUnits(1500));
    EXPECT_EQ(d.SubTotal, Currency::fromUnits(2480));
    EXPECT_EQ(d.Tax, Currency::fromUnits(99));
    EXPECT_EQ(d.Etc, "合計の備考");
    EXPECT_EQ(d.Delivery, "");  // not stored in total-invoice files: a new document's
    ASSERT_EQ(d.Count(), 3);
    EXPECT_TRUE(d.Items(1).SubTotalRow);
    EXPECT_EQ(DocumentFile::Encode(d, "コメント", SavedAt), e.bytes);
}

TEST(DocumentFile, NewestLayoutKeepsItsLineCount) {
    Entries e = header("MITSU4_100", "0");
    normalTail(e);
    e.count(37).emptyLines(37, 8);
    TThEstimateObjectList d;
    DocumentFile::Decode(d, e.bytes, "n.MT4");
    EXPECT_EQ(d.Count(), 37);
}

TEST(DocumentFile, ThirdGenerationIsPaddedToHundredLines) {
    Entries e = header("MITSU3_100", "0", false);
    normalTail(e);
    e.count(37);
    e.s("旧品名").s("2").s("個").s("100").s("200").s("旧備考").s("1");
    e.emptyLines(36, 7);
    TThEstimateObjectList d;
    d.Customer.Name2 = "前の文書の会社名２";
    DocumentFile::Decode(d, e.bytes, "old.MT4");
    ASSERT_EQ(d.Count(), 100);
    EXPECT_EQ(d.Customer.Name1, "株式会社テスト");
    EXPECT_EQ(d.Customer.Name2, "");  // the layout has no Name2: a new document's
    EXPECT_EQ(d.Customer.CusCode, "C001");
    EXPECT_EQ(d.Items(0).ItemName, "旧品名");
    EXPECT_EQ(d.Items(0).TotalPrice, Currency::fromUnits(200));
    EXPECT_TRUE(d.Items(0).NoTax);
    EXPECT_FALSE(d.Items(0).SubTotalRow);
    for (int i = 1; i < 100; ++i) {
        EXPECT_TRUE(d.Items(i).Uninput()) << i;
    }
}

TEST(DocumentFile, ThirdGenerationTotalInvoiceHasFourEntryRecords) {
    Entries e = header("MITSU3_100", "-1", false);
    e.s("").s("").count(2).s("A").s("100").s("").s("0").s("B").s("250").s("x").s("0");
    TThEstimateObjectList d;
    DocumentFile::Decode(d, e.bytes, "old.MT4");
    EXPECT_EQ(d.Count(), 100);
    EXPECT_EQ(d.Total, Currency::fromUnits(350));
    EXPECT_EQ(d.Items(1).Etc, "x");
}

TEST(DocumentFile, SecondGenerationHasHundredFixedRecords) {
    struct Case {
        const char* mode;
        bool totalClaim;
    };
    for (const Case c : {Case{"1", false}, Case{"0", false}, Case{"2", true}}) {
        Entries e = header("MITSU2_100", c.mode, false);
        if (c.totalClaim) {
            e.s("備考").s("メモ");
            e.s("A").s("1000").s("skipped");
            for (int i = 1; i < 100; ++i) {
                e.s("").s("0").s("");
            }
        } else {
            normalTail(e);
            e.s("品").s("1").s("式").s("10").s("10").s("").s("1");
            e.s("品2").s("1").s("式").s("10").s("10").s("").s("-1");  // only "1" means tax-exempt
            e.emptyLines(98, 7);
        }
        TThEstimateObjectList d;
        DocumentFile::Decode(d, e.bytes, "two.MT4");
        EXPECT_EQ(d.TotalClaimMode, c.totalClaim) << c.mode;
        ASSERT_EQ(d.Count(), 100);
        if (c.totalClaim) {
            EXPECT_EQ(d.Total, Currency::fromUnits(1000));
            EXPECT_EQ(d.Items(0).Etc, "");
        } else {
            EXPECT_TRUE(d.Items(0).NoTax);
            EXPECT_FALSE(d.Items(1).NoTax);
            EXPECT_EQ(d.TaxRounding, TRoundingMode::rmRoundUp);
        }
    }
}

// Every field of a document but its lines, as text.
QStringList fieldsOf(const TThEstimateObjectList& d) {
    const TThCustomerObject& c = d.Customer;
    const auto flag = [](bool value) { return QString::number(value); };
    const auto rounding = [](TRoundingMode mode) {
        return QString::number(ListIndexOfRounding(mode));
    };
    return {d.TaxRate.toText(),
            d.SubTotal.toText(),
            d.Total.toText(),
            d.Tax.toText(),
            flag(d.TotalClaimMode),
            flag(d.CalcPerRow),
            rounding(d.TaxRounding),
            flag(d.TaxIn),
            rounding(d.SubTotalRounding),
            c.CusCode,
            c.Name1,
            c.Name2,
            c.Name3,
            c.NameTitle,
            c.Zip,
            c.Add1,
            c.Add2,
            c.Tel,
            c.Fax,
            d.Year,
            d.Month,
            d.Day,
            d.SlipCode,
            d.Delivery,
            flag(d.PrintDelivery),
            d.Place,
            flag(d.PrintPlace),
            d.Condition,
            flag(d.PrintCondition),
            d.Limit,
            flag(d.PrintLimit),
            d.Etc,
            d.Memo};
}

Entries thirdGenerationNormal() {
    Entries e = header("MITSU3_100", "0", false);
    normalTail(e);
    e.count(1).s("旧品名").s("2").s("個").s("100").s("200").s("").s("0");
    return e;
}

Entries secondGenerationNormal() {
    Entries e = header("MITSU2_100", "1", false);
    normalTail(e);
    return e.emptyLines(100, 7);
}

Entries newestTotalInvoice() {
    Entries e = header("MITSU4_100", "-1");
    e.s("").s("").count(1).s("見積A").s("1000").s("").s("0").s("0");
    return e;
}

Entries thirdGenerationTotalInvoice() {
    Entries e = header("MITSU3_100", "-1", false);
    e.s("").s("").count(1).s("見積A").s("1000").s("").s("0");
    return e;
}

Entries secondGenerationTotalInvoice() {
    Entries e = header("MITSU2_100", "2", false);
    e.s("").s("");
    for (int i = 0; i < 100; ++i) {
        e.s("").s("0").s("");
    }
    return e;
}

struct OpenedFileCase {
    const char* name;
    Entries (*file)();
    friend void PrintTo(const OpenedFileCase& c, std::ostream* os) { *os << c.name; }
};

class OpenedOverAFullDocument : public ::testing::TestWithParam<OpenedFileCase> {};

// Opening a file that lacks some fields gives what opening it in a new document gives;
// only the tax rate and basis stay, which no layout stores.
TEST_P(OpenedOverAFullDocument, KeepsNoFieldOfThePreviousOne) {
    const QByteArray bytes = GetParam().file().bytes;
    TThEstimateObjectList fresh;
    fresh.TaxRate = Currency::fromUnits(8);
    fresh.CalcPerRow = true;
    DocumentFile::Decode(fresh, bytes, "f.MT4");

    TThEstimateObjectList previous = sampleDocument();
    previous.Customer.Name3 = "第二営業課";
    previous.PrintPlace = true;
    previous.PrintLimit = true;
    previous.TaxIn = true;
    previous.Total = Currency::fromUnits(2579);
    previous.TaxRate = Currency::fromUnits(8);
    previous.CalcPerRow = true;
    DocumentFile::Decode(previous, bytes, "f.MT4");

    EXPECT_EQ(fieldsOf(previous), fieldsOf(fresh));
    ASSERT_EQ(previous.Count(), fresh.Count());
    for (int i = 0; i < fresh.Count(); ++i) {
        EXPECT_EQ(previous.Items(i), fresh.Items(i)) << "line " << i;
    }
}

std::string openedFileName(const ::testing::TestParamInfo<OpenedFileCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, OpenedOverAFullDocument,
    ::testing::Values(OpenedFileCase{"ThirdGeneration", thirdGenerationNormal},
                      OpenedFileCase{"SecondGeneration", secondGenerationNormal},
                      OpenedFileCase{"NewestTotalInvoice", newestTotalInvoice},
                      OpenedFileCase{"ThirdGenerationTotalInvoice", thirdGenerationTotalInvoice},
                      OpenedFileCase{"SecondGenerationTotalInvoice", secondGenerationTotalInvoice}),
    openedFileName);

TEST(DocumentFile, RoundingTextsMapToRules) {
    struct Case {
        const char* text;
        TRoundingMode mode;
    };
    for (const Case c : {Case{"0", TRoundingMode::rmTruncate}, Case{"1", TRoundingMode::rmRoundUp},
                         Case{"2", TRoundingMode::rmRoundOff}, Case{"7", TRoundingMode::rmTruncate},
                         Case{"", TRoundingMode::rmTruncate}}) {
        Entries e = header("MITSU4_100", "0");
        e.s("")
            .s("0")
            .s("")
            .s("0")
            .s("")
            .s("0")
            .s("")
            .s("0")
            .s("")
            .s("")
            .s("0")
            .s(c.text)
            .s("0")
            .count(0);
        TThEstimateObjectList d;
        d.TaxRounding = TRoundingMode::rmRoundOff;
        DocumentFile::Decode(d, e.bytes, "r.MT4");
        EXPECT_EQ(d.TaxRounding, c.mode) << c.text;
    }
}

TEST(DocumentFile, BooleanTextsAcceptNumbersAndWords) {
    struct Case {
        const char* text;
        bool value;
    };
    for (const Case c :
         {Case{"-1", true}, Case{"1", true}, Case{"2", true}, Case{"0", false}, Case{"True", true},
          Case{"FALSE", false}, Case{"tRuE", true}, Case{"0.0", false}, Case{"+3", true}}) {
        Entries e = header("MITSU4_100", "0");
        e.s("")
            .s(c.text)
            .s("")
            .s("0")
            .s("")
            .s("0")
            .s("")
            .s("0")
            .s("")
            .s("")
            .s("0")
            .s("0")
            .s("0")
            .count(0);
        TThEstimateObjectList d;
        DocumentFile::Decode(d, e.bytes, "b.MT4");
        EXPECT_EQ(d.PrintDelivery, c.value) << c.text;
    }
}

TEST(DocumentFile, UnknownMagicIsRejected) {
    Entries e = header("MITSU9_100", "0");
    TThEstimateObjectList d;
    try {
        DocumentFile::Decode(d, e.bytes, "x.MT4");
        FAIL();
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains("x.MT4")) << error.what();
    }
    QBuffer buffer(&e.bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(DocumentFile::ReadHeader(buffer, "x.MT4"), EFileFormatError);
}

QString decodeError(const QByteArray& bytes) {
    TThEstimateObjectList d;
    try {
        DocumentFile::Decode(d, bytes, "broken.MT4");
    } catch (const EFileFormatError& error) {
        return error.message();
    }
    return {};
}

TEST(DocumentFile, FileCutAnywhereIsReportedAtTheEntryWhereItEnds) {
    const Entries e = sampleDocumentEntries();
    constexpr size_t CountEntry = 35;
    const qsizetype recordsStart = e.starts[CountEntry - 1] + 4;
    constexpr qsizetype SmallestRecords = 3 * 8 * 4;
    for (qsizetype cut = 0; cut < e.bytes.size(); ++cut) {
        const QString message = decodeError(e.bytes.left(cut));
        ASSERT_FALSE(message.isEmpty()) << "no error when cut at " << cut;
        // The entry that the cut falls into; the line count already when not even the
        // smallest records of all lines fit in what is left.
        auto entry = std::upper_bound(e.starts.begin(), e.starts.end(), cut) - e.starts.begin();
        if (cut >= recordsStart && cut - recordsStart < SmallestRecords) {
            entry = CountEntry;
        }
        const QString expected = QStringLiteral("第%1項目").arg(entry);
        EXPECT_TRUE(message.contains(expected)) << cut << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("オフセット %1").arg(e.starts[entry - 1])))
            << cut << ": " << message.toStdString();
    }
}

struct BrokenCase {
    const char* name;
    std::function<void(Entries&)> build;  // from entry 4 on
    const char* mentions;
    friend void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenFile : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFile, IsRefusedWithTheEntryNamed) {
    Entries e;
    e.s("MITSU4_100").s("2008/04/01 09:05");
    GetParam().build(e);
    const QString message = decodeError(e.bytes);
    EXPECT_TRUE(message.contains(QString::fromUtf8(GetParam().mentions))) << message.toStdString();
}

Entries& upToLines(Entries& e) {
    e.s("0").s("").s("").s("").s("").s("0").s("0").s("0");
    for (int i = 0; i < 11; ++i) {
        e.s("");
    }
    return e.s("").s("0").s("").s("0").s("").s("0").s("").s("0").s("").s("").s("0").s("0").s("0");
}

std::string brokenCaseName(const ::testing::TestParamInfo<BrokenCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFile,
    ::testing::Values(
        BrokenCase{"AbsurdLength",
                   [](Entries& e) {
                       e.s("0");
                       e.count(0x7fffffff);
                   },
                   "第4項目（コメント、オフセット 39）: 長さ 2147483647"},
        BrokenCase{"NonBoolean", [](Entries& e) { e.s("yes"); },
                   "第3項目（作成モード、オフセット 34）: 「yes」は真偽値ではありません"},
        BrokenCase{"EmptyBoolean", [](Entries& e) { e.s(""); }, "第3項目（作成モード"},
        // Not-a-number and infinity parse as numbers but answer neither yes nor no.
        BrokenCase{"NanBoolean", [](Entries& e) { e.s("nan"); }, "「nan」は真偽値ではありません"},
        BrokenCase{"InfiniteBoolean", [](Entries& e) { e.s("-inf"); },
                   "「-inf」は真偽値ではありません"},
        // Messages show the entry's own text, not its bytes as Latin-1 letters.
        BrokenCase{"FullWidthSubTotal",
                   [](Entries& e) { e.s("0").s("").s("").s("").s("").s("0").s("１２"); },
                   "第9項目（小計、オフセット 60）: 「１２」は数値ではありません"},
        BrokenCase{"UnreadableBoolean", [](Entries& e) { e.raw(QByteArray::fromHex("31ff")); },
                   "「1\\xFF」は真偽値ではありません"},
        BrokenCase{"UnparsableSubTotal",
                   [](Entries& e) { e.s("0").s("").s("").s("").s("").s("0").s("1,5"); },
                   "第9項目（小計"},
        BrokenCase{"UnparsableQuantity",
                   [](Entries& e) {
                       upToLines(e).count(1).s("品").s("abc").s("").s("0").s("0").s("").s("0").s(
                           "0");
                   },
                   "第37項目（1行目の数量"},
        BrokenCase{"AbsurdCount", [](Entries& e) { upToLines(e).count(0x7fffffff); },
                   "行数 2147483647"},
        BrokenCase{"NegativeCount", [](Entries& e) { upToLines(e).count(-1); }, "行数 -1"},
        BrokenCase{"CountBeyondRecords", [](Entries& e) { upToLines(e).count(2).emptyLines(1, 8); },
                   "行数 2"},
        BrokenCase{"NotShiftJis",
                   [](Entries& e) { e.s("0").s("").raw(QByteArray::fromHex("41fd")); },
                   "第5項目（会社名１、オフセット 43）: Shift-JIS"}),
    brokenCaseName);

TEST(DocumentFile, HeaderReadStopsAfterTheFifthEntry) {
    struct Case {
        const char* magic;
        const char* mode;
        bool names23;
        bool totalClaim;
    };
    for (const Case c :
         {Case{"MITSU4_100", "-1", true, true}, Case{"MITSU4_100", "0", true, false},
          Case{"MITSU3_100", "True", false, true}, Case{"MITSU2_100", "2", false, true},
          Case{"MITSU2_100", "1", false, false}}) {
        Entries e = header(c.magic, c.mode, c.names23);
        // Whatever follows the fifth entry is never looked at.
        QByteArray bytes = e.bytes.left(e.starts[5]) + QByteArray::fromHex("ffffff7f");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const DocumentFile::Header h = DocumentFile::ReadHeader(buffer, "h.MT4");
        EXPECT_EQ(h.Magic, c.magic);
        EXPECT_EQ(h.Saved, "2008/04/01 09:05");
        EXPECT_EQ(h.TotalClaimMode, c.totalClaim) << c.magic << " " << c.mode;
        EXPECT_EQ(h.Comment, "コメント");
        EXPECT_EQ(h.Name1, "株式会社テスト");
    }
    QByteArray cut = header("MITSU4_100", "0").bytes.left(40);
    QBuffer buffer(&cut);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(DocumentFile::ReadHeader(buffer, "h.MT4"), EFileFormatError);
}

TEST(DocumentFile, FailedSaveLeavesThePreviousFileIntact) {
    TempDir dir;
    const QString path = dir.path("大事な見積.MT4");
    TThEstimateObjectList small;
    small.Add(std::make_unique<TThEstimateObject>());
    small.SaveToFile(path, "前回");
    const QByteArray before = readFileBytes(path);

    TThEstimateObjectList large;
    large.PadLines(1000);
    {
        FileSizeLimit limit(static_cast<rlim_t>(before.size() + 100));
        try {
            large.SaveToFile(path, "今回");
            FAIL() << "the save reported success on a full disk";
        } catch (const EFileError& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.what();
        }
    }
    EXPECT_EQ(readFileBytes(path), before);
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"大事な見積.MT4"});
}

TEST(DocumentFile, NameOfEightyJapaneseCharactersSaves) {
    TempDir dir;
    const QString name = QString(80, QChar(u'見')) + ".MT4";  // 244 of the 255 bytes allowed
    const QString path = dir.path(name);
    sampleDocument().SaveToFile(path, "");
    sampleDocument().SaveToFile(path, "上書き");
    EXPECT_EQ(DocumentFile::ReadHeader(path).Comment, "上書き");
    EXPECT_EQ(QDir(dir.root()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

struct ExistingFileCase {
    const char* name;
    QFile::Permissions permissions;
    uid_t owner;   // 0 for the test's own
    bool asAUser;  // root's power over every file set aside
    bool refused;
    friend void PrintTo(const ExistingFileCase& c, std::ostream* os) { *os << c.name; }
};

constexpr QFile::Permissions ReadOnly =
    QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;                   // 0444
constexpr QFile::Permissions Shared = ReadOnly | QFile::WriteOwner;           // 0644
constexpr QFile::Permissions Private = QFile::ReadOwner | QFile::WriteOwner;  // 0600
constexpr uid_t OtherUser = 4321;

class SavingOverAFile : public ::testing::TestWithParam<ExistingFileCase> {};

// Saving does what a write in place would: a file the user may not write is refused and
// stays as it was; any other keeps its permissions and, where the user may keep it, its
// owner. Root may write every file but one that nobody may write.
TEST_P(SavingOverAFile, IsRefusedExactlyWhereAWriteInPlaceWouldBe) {
    const ExistingFileCase& c = GetParam();
    TempDir dir;
    const QString path = dir.path("控え.MT4");
    TThEstimateObjectList().SaveToFile(path, "前回");
    const QByteArray before = readFileBytes(path);
    ASSERT_TRUE(QFile::setPermissions(path, c.permissions));
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), c.owner, c.owner), 0);

    QString error;
    {
        std::optional<PermissionBitsApply> bits;
        if (c.asAUser) {
            bits.emplace();
        }
        try {
            sampleDocument().SaveToFile(path, "今回");
        } catch (const EFileError& e) {
            error = e.message();
        }
    }
    const QFileInfo after(path);
    EXPECT_EQ(after.permissions() & 0777, c.permissions & 0777);
    EXPECT_EQ(after.ownerId(), c.owner);
    if (c.refused) {
        EXPECT_TRUE(error.contains(path)) << "the file was replaced";
        EXPECT_TRUE(error.contains("書き込みが禁止")) << error.toStdString();
        EXPECT_EQ(readFileBytes(path), before);
    } else {
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(DocumentFile::ReadHeader(path).Comment, "今回");
    }
}

std::string existingFileName(const ::testing::TestParamInfo<ExistingFileCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Permissions, SavingOverAFile,
    ::testing::Values(ExistingFileCase{"ReadOnlyForRoot", ReadOnly, 0, false, true},
                      ExistingFileCase{"ReadOnlyForItsOwner", ReadOnly, 0, true, true},
                      ExistingFileCase{"OthersFileForAUser", Shared, OtherUser, true, true},
                      ExistingFileCase{"OthersFileForRoot", Shared, OtherUser, false, false},
                      ExistingFileCase{"OwnFileForItsOwner", Private, 0, true, false}),
    existingFileName);

TEST(DocumentFile, TextThatShiftJisCannotHoldIsRefusedBeforeWriting) {
    TempDir dir;
    const QString path = dir.path("a.MT4");
    TThEstimateObjectList d;
    d.SaveToFile(path, "");
    const QByteArray before = readFileBytes(path);
    d.Add(std::make_unique<TThEstimateObject>());
    d.Items(0).ItemName = QString::fromUtf8("𠮷野家");
    try {
        d.SaveToFile(path, "");
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf8("1行目の品名"))) << error.what();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8("𠮷"))) << error.what();
    }
    EXPECT_EQ(readFileBytes(path), before);
}

TEST(DocumentFile, MissingFolderAndMissingFileAreErrors) {
    TempDir dir;
    TThEstimateObjectList d;
    EXPECT_THROW(d.SaveToFile(dir.path("no/such/folder/a.MT4"), ""), EFileError);
    EXPECT_THROW(d.LoadFromFile(dir.path("missing.MT4")), EFileError);
    EXPECT_THROW(DocumentFile::ReadHeader(dir.path("missing.MT4")), EFileError);
}

}  // namespace
