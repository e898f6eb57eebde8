#include <gtest/gtest.h>

#include "QtPrint.h"

#include <functional>

#include "DocumentExtension.h"
#include "DocumentFile.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"

namespace {

const QDateTime SavedAt(QDate(2026, 12, 10), QTime(9, 5));

void addLine(TThEstimateObjectList& d, const char* name, const char* amount, bool reduced,
             bool noTax = false) {
    auto line = std::make_unique<TThEstimateObject>();
    line->ItemName = QString::fromUtf8(name);
    line->TotalPrice = Currency::fromText(QString::fromLatin1(amount));
    line->Reduced = reduced;
    line->NoTax = noTax;
    d.Add(std::move(line));
}

// An invoice of standard, reduced and exempt lines, computed.
TThEstimateObjectList mixedInvoice() {
    TThEstimateObjectList d;
    d.QualifiedInvoice = true;
    d.TaxRate = Currency::fromUnits(10);
    d.Customer.Name1 = "株式会社テスト";
    addLine(d, "事務用品", "1000", false);
    addLine(d, "弁当", "1080", true);
    addLine(d, "切手", "84", false, true);
    addLine(d, "お茶", "150", true);
    d.PadLines(5);
    d.SetSubTotalRow(4);
    d.CalcTotal();
    return d;
}

TThEstimateObjectList decoded(QByteArrayView bytes, bool qualifiedInvoice = true) {
    TThEstimateObjectList d;
    d.QualifiedInvoice = qualifiedInvoice;
    DocumentFile::Decode(d, bytes, QStringLiteral("請求.MT4"));
    return d;
}

std::vector<bool> marks(const TThEstimateObjectList& d) {
    std::vector<bool> out;
    for (int i = 0; i < d.Count(); ++i) {
        out.push_back(d.Items(i).Reduced);
    }
    return out;
}

// The same document without what the block holds.
void forgetBlock(TThEstimateObjectList& d) {
    for (int i = 0; i < d.Count(); ++i) {
        d.Items(i).Reduced = false;
    }
    d.Breakdown = TaxBreakdown();
}

// The fields the body stores, as text, to compare two documents.
QStringList body(const TThEstimateObjectList& d) {
    QStringList out{d.Customer.Name1, d.SubTotal.toText(), d.Tax.toText(),
                    QString::number(d.Count())};
    for (int i = 0; i < d.Count(); ++i) {
        const TThEstimateObject& l = d.Items(i);
        out << l.ItemName << l.TotalPrice.toText() << QString::number(l.NoTax)
            << QString::number(l.SubTotalRow);
    }
    return out;
}

// A reader of the MITSU4_100 layout written for this test from the layout alone: it walks the
// body entry by entry and stops after the last line record, as the older programs do, and
// tells where it stopped.
qsizetype endOfBody(QByteArrayView bytes) {
    qsizetype pos = 0;
    const auto number = [&] {
        qint32 n = 0;
        for (int i = 3; i >= 0; --i) {
            n = n << 8 | static_cast<unsigned char>(bytes[pos + i]);
        }
        pos += 4;
        return n;
    };
    const auto entry = [&] {
        const qint32 n = number();
        const QByteArrayView text = bytes.sliced(pos, n > 0 ? n : 0);
        pos += text.size();
        return text;
    };
    entry();  // magic
    entry();  // saved
    const bool totalClaim = entry() != "0";
    for (int i = 4; i <= 21; ++i) {
        entry();
    }
    for (int i = 22; i <= (totalClaim ? 23 : 34); ++i) {
        entry();
    }
    const qint32 lines = number();
    for (qint32 i = 0; i < lines * (totalClaim ? 5 : 8); ++i) {
        entry();
    }
    return pos;
}

TEST(DocumentExtension, ReadsBackMarksAndFigures) {
    const TThEstimateObjectList d = mixedInvoice();
    ASSERT_EQ(d.Breakdown.Rates.size(), 2U);
    const TThEstimateObjectList back =
        decoded(DocumentFile::Encode(d, QStringLiteral("控え"), SavedAt));
    EXPECT_EQ(marks(back), marks(d));
    EXPECT_EQ(back.Breakdown, d.Breakdown);
    EXPECT_EQ(back.LoadNotice, QString());
    EXPECT_EQ(body(back), body(d));
}

TEST(DocumentFile, SettingsOfTheDocumentStayWhenAFileIsRead) {
    TempDir dir;
    mixedInvoice().SaveToFile(dir.path("a.MT4"), QString());
    TThEstimateObjectList d;
    d.QualifiedInvoice = true;
    d.ReducedTaxRate = Currency::fromText(u"6.5");
    d.LoadFromFile(dir.path("a.MT4"));
    EXPECT_TRUE(d.QualifiedInvoice);
    EXPECT_EQ(d.ReducedTaxRate, Currency::fromText(u"6.5"));
}

TEST(DocumentExtension, BodyIsTheOneWrittenWithoutTheFeature) {
    const TThEstimateObjectList on = mixedInvoice();
    const QByteArray withBlock = DocumentFile::Encode(on, QString(), SavedAt);

    TThEstimateObjectList off = mixedInvoice();
    off.QualifiedInvoice = false;
    forgetBlock(off);
    const QByteArray without = DocumentFile::Encode(off, QString(), SavedAt);
    EXPECT_FALSE(without.contains("MT4X"));
    ASSERT_GT(withBlock.size(), without.size());
    EXPECT_EQ(withBlock.first(without.size()), without);
    EXPECT_TRUE(withBlock.sliced(without.size()).startsWith("MT4X"));

    // A reader of the old layout stops where the body ends and never sees the block.
    EXPECT_EQ(endOfBody(withBlock), without.size());
    // Read by a program with the feature off, the document is the one without the block.
    TThEstimateObjectList plain = decoded(withBlock, false);
    EXPECT_EQ(body(plain), body(decoded(without, false)));
}

TEST(DocumentExtension, MarksOutliveTurningTheFeatureOff) {
    TThEstimateObjectList d = mixedInvoice();
    d.QualifiedInvoice = false;
    d.CalcTotal();
    const TThEstimateObjectList back = decoded(DocumentFile::Encode(d, QString(), SavedAt));
    EXPECT_EQ(marks(back), marks(d));
    EXPECT_TRUE(back.Breakdown.Rates.empty());
    EXPECT_EQ(back.LoadNotice, QString());

    forgetBlock(d);
    EXPECT_FALSE(DocumentFile::Encode(d, QString(), SavedAt).contains("MT4X"));
}

TEST(DocumentExtension, TotalInvoiceKeepsItsFigures) {
    TThEstimateObjectList d;
    d.QualifiedInvoice = true;
    d.TotalClaimMode = true;
    addLine(d, "請求A", "2816", false);
    d.Breakdown.Rates = {
        {Currency::fromUnits(10), false, Currency::fromUnits(1500), Currency::fromUnits(150)},
        {Currency::fromUnits(8), true, Currency::fromUnits(1080), Currency::fromUnits(86)}};
    SumBreakdown(d.Breakdown, false);
    const TThEstimateObjectList back = decoded(DocumentFile::Encode(d, QString(), SavedAt));
    EXPECT_EQ(back.Breakdown, d.Breakdown);
}

// Independent of the program's own, so a wrong table there does not hide here.
quint32 crc32(QByteArrayView bytes) {
    quint32 crc = 0xFFFFFFFFU;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

QByteArray le(quint32 v, int size) {
    QByteArray out;
    for (int i = 0; i < size; ++i) {
        out.append(static_cast<char>(v >> (8 * i)));
    }
    return out;
}

QByteArray text(const char* t) {
    return le(static_cast<quint32>(qstrlen(t)), 4) + QByteArray(t);
}

// A block framed around payload; version and the length written can be chosen.
QByteArray frame(const QByteArray& payload, quint32 version = 1, int lengthDelta = 0) {
    return "MT4X" + le(version, 2) + le(static_cast<quint32>(payload.size() + lengthDelta), 4) +
           payload + le(crc32(payload), 4);
}

// A well-formed payload for mixedInvoice's five lines, with reduced lines 1 and 3.
QByteArray payload(quint32 lines = 5, quint32 lastMark = 3) {
    return le(lines, 4) + text("10") + text("8") + le(2, 4) + le(1, 4) + le(lastMark, 4) +
           le(1, 4) + text("10") + text("0") + text("1000") + text("100") + text("-1") + text("84");
}

struct BadBlock {
    const char* name;
    std::function<QByteArray(const QByteArray& body)> file;
    const char* problem;
    friend void PrintTo(const BadBlock& c, std::ostream* os) { *os << c.name; }
};

class UnreadableBlock : public ::testing::TestWithParam<BadBlock> {};

TEST_P(UnreadableBlock, IsIgnoredWithANoticeAndTheDocumentLoads) {
    TThEstimateObjectList plain = mixedInvoice();
    plain.QualifiedInvoice = false;
    forgetBlock(plain);
    const QByteArray bodyBytes = DocumentFile::Encode(plain, QString(), SavedAt);

    TThEstimateObjectList d;
    d.QualifiedInvoice = true;
    ASSERT_NO_THROW(
        DocumentFile::Decode(d, GetParam().file(bodyBytes), QStringLiteral("請求.MT4")));
    EXPECT_EQ(body(d), body(plain));
    EXPECT_EQ(marks(d), std::vector<bool>(5, false));
    EXPECT_EQ(d.Breakdown, TaxBreakdown());
    EXPECT_TRUE(d.LoadNotice.startsWith("「請求.MT4」の末尾にある適格請求書の情報"))
        << d.LoadNotice.toStdString();
    EXPECT_TRUE(d.LoadNotice.contains(QString::fromUtf8(GetParam().problem)))
        << d.LoadNotice.toStdString();
}

const BadBlock BadBlocks[] = {
    {"MagicOnly", [](const QByteArray& b) { return b + "MT4X"; }, "途中で終わっています"},
    {"CutInThePayload", [](const QByteArray& b) { return b + frame(payload()).chopped(9); },
     "長さ"},
    {"CutInTheChecksum", [](const QByteArray& b) { return b + frame(payload()).chopped(1); },
     "長さ"},
    {"NewerVersion", [](const QByteArray& b) { return b + frame(payload(), 2); }, "版 2"},
    {"VersionZero", [](const QByteArray& b) { return b + frame(payload(), 0); }, "版 0"},
    {"LengthTooLong", [](const QByteArray& b) { return b + frame(payload(), 1, 4); }, "長さ"},
    {"LengthTooShort", [](const QByteArray& b) { return b + frame(payload(), 1, -4); }, "長さ"},
    {"BytesAfterTheBlock", [](const QByteArray& b) { return b + frame(payload()) + "x"; }, "長さ"},
    {"ChecksumWrong",
     [](const QByteArray& b) {
         QByteArray f = frame(payload());
         f[12] = static_cast<char>(f[12] ^ 1);
         return b + f;
     },
     "検査値"},
    {"OtherLineCount", [](const QByteArray& b) { return b + frame(payload(6)); }, "行数 6"},
    {"MarkPastTheLastLine", [](const QByteArray& b) { return b + frame(payload(5, 5)); },
     "軽減税率の行 6"},
    {"MarksOutOfOrder", [](const QByteArray& b) { return b + frame(payload(5, 1)); },
     "軽減税率の行 2"},
    {"PayloadWithExtraBytes", [](const QByteArray& b) { return b + frame(payload() + "zz"); },
     "余分な 2 バイト"},
    {"BadAmount",
     [](const QByteArray& b) { return b + frame(payload().replace(text("1000"), text("1,000"))); },
     "対象額"},
    {"BadFlag",
     [](const QByteArray& b) { return b + frame(payload().replace(text("-1"), text("yes"))); },
     "非課税の有無"},
    {"TooManyRates",
     [](const QByteArray& b) {
         QByteArray p = le(5, 4) + text("10") + text("8") + le(0, 4) + le(17, 4);
         for (int i = 0; i < 17; ++i) {
             p += text("10") + text("0") + text("0") + text("0");
         }
         return b + frame(p + text("0") + text("0"));
     },
     "税率の数 17"},
};

INSTANTIATE_TEST_SUITE_P(DocumentExtension, UnreadableBlock, ::testing::ValuesIn(BadBlocks),
                         [](const ::testing::TestParamInfo<BadBlock>& param) {
                             return std::string(param.param.name);
                         });

TEST(DocumentExtension, HandMadeBlockReads) {
    TThEstimateObjectList plain = mixedInvoice();
    plain.QualifiedInvoice = false;
    forgetBlock(plain);
    const TThEstimateObjectList d =
        decoded(DocumentFile::Encode(plain, QString(), SavedAt) + frame(payload()));
    EXPECT_EQ(d.LoadNotice, QString());
    EXPECT_EQ(marks(d), std::vector<bool>({false, true, false, true, false}));
    ASSERT_EQ(d.Breakdown.Rates.size(), 1U);
    EXPECT_EQ(d.Breakdown.Exempt, Currency::fromUnits(84));
    EXPECT_EQ(d.Breakdown.Total, Currency::fromUnits(1184));
}

// Bytes after the line records that are no block were never looked at, and still are not.
TEST(DocumentExtension, OtherTrailingBytesStayUnnoticed) {
    TThEstimateObjectList plain = mixedInvoice();
    plain.QualifiedInvoice = false;
    forgetBlock(plain);
    for (const QByteArray& tail : {QByteArray("MT4"), QByteArray("\0\0\0\0", 4)}) {
        const TThEstimateObjectList d =
            decoded(DocumentFile::Encode(plain, QString(), SavedAt) + tail);
        EXPECT_EQ(d.LoadNotice, QString());
        EXPECT_EQ(body(d), body(plain));
    }
}

}  // namespace
