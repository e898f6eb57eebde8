#include "DocumentExtension.h"

#include <array>
#include <vector>

#include "DocumentEntryCodec.h"
#include "ModelError.h"
#include "TThEstimateObjectList.h"

namespace DocumentExtension {

namespace {

using namespace DocumentFile::Codec;

constexpr qint64 FrameSize = 4 + 2 + 4 + 4;
// More rates than this is no tax system we know of; it bounds what a reader allocates.
constexpr int MaxRates = 16;

quint32 Crc32(QByteArrayView bytes) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFU;
}

void appendLittleEndian(QByteArray& out, quint32 value, int size) {
    for (int i = 0; i < size; ++i) {
        out.append(static_cast<char>(value >> (8 * i)));
    }
}

quint32 littleEndian(QByteArrayView bytes) {
    quint32 value = 0;
    for (qsizetype i = bytes.size(); i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

[[noreturn]] void broken(const QString& problem) {
    throw EFileFormatError(problem);
}

}  // namespace

bool Needed(const TThEstimateObjectList& d) {
    if (d.QualifiedInvoice || !d.Breakdown.Rates.empty() || d.Breakdown.HasExempt) {
        return true;
    }
    for (int i = 0; i < d.Count(); ++i) {
        if (d.Items(i).Reduced) {
            return true;
        }
    }
    return false;
}

QByteArray Encode(const TThEstimateObjectList& d) {
    EntryWriter w(256);
    w.count(d.Count());
    w.currency(d.TaxRate);
    w.currency(d.ReducedTaxRate);
    std::vector<int> reduced;
    for (int i = 0; i < d.Count(); ++i) {
        if (d.Items(i).Reduced) {
            reduced.push_back(i);
        }
    }
    w.count(static_cast<qint32>(reduced.size()));
    for (const int i : reduced) {
        w.count(i);
    }
    const TaxBreakdown& b = d.Breakdown;
    if (b.Rates.size() > MaxRates) {
        throw EConvertError(QStringLiteral("税率の種類が多すぎます。"));
    }
    w.count(static_cast<qint32>(b.Rates.size()));
    for (const RateTotal& r : b.Rates) {
        w.currency(r.Rate);
        w.boolean(r.Reduced);
        w.currency(r.Base);
        w.currency(r.Tax);
    }
    w.boolean(b.HasExempt);
    w.currency(b.Exempt);
    const QByteArray payload = w.take();

    QByteArray block;
    block.reserve(payload.size() + FrameSize);
    block.append(Magic);
    appendLittleEndian(block, Version, 2);
    appendLittleEndian(block, static_cast<quint32>(payload.size()), 4);
    block.append(payload);
    appendLittleEndian(block, Crc32(payload), 4);
    return block;
}

bool StartsBlock(QByteArrayView rest) {
    return rest.startsWith(Magic);
}

void Decode(TThEstimateObjectList& d, QByteArrayView block) {
    if (block.size() < FrameSize) {
        broken(QStringLiteral("拡張部分が途中で終わっています。"));
    }
    const quint32 version = littleEndian(block.sliced(4, 2));
    if (version != Version) {
        broken(QStringLiteral("拡張部分の版 %1 はこのプログラムでは読めません。").arg(version));
    }
    const quint32 length = littleEndian(block.sliced(6, 4));
    if (length != static_cast<quint64>(block.size() - FrameSize)) {
        broken(QStringLiteral("拡張部分の長さ %1 が実際の %2 バイトと合いません。")
                   .arg(length)
                   .arg(block.size() - FrameSize));
    }
    const QByteArrayView payload = block.sliced(10, length);
    if (littleEndian(block.sliced(10 + length, 4)) != Crc32(payload)) {
        broken(QStringLiteral("拡張部分の検査値が合いません。"));
    }

    const QString where = QStringLiteral("拡張部分");
    MemorySource source(payload);
    EntryReader r(source, where);
    const int lines = r.integer({u"行数"});
    if (lines != d.Count()) {
        broken(QStringLiteral("拡張部分の行数 %1 が本体の %2 行と合いません。")
                   .arg(lines)
                   .arg(d.Count()));
    }
    // The rates of the settings when saved: a record for other readers; the figures below
    // carry their own.
    r.currency({u"標準税率"});
    r.currency({u"軽減税率"});
    const int marks = r.count({u"軽減税率の行数"}, 1);
    std::vector<int> reduced;
    for (int k = 0; k < marks; ++k) {
        const int index = r.integer({u"軽減税率の行", k + 1});
        if (index >= lines || (!reduced.empty() && index <= reduced.back())) {
            broken(QStringLiteral("拡張部分の軽減税率の行 %1 が正しくありません。").arg(index + 1));
        }
        reduced.push_back(index);
    }
    TaxBreakdown b;
    const int rates = r.count({u"税率の数"}, 4);
    if (rates > MaxRates) {
        broken(QStringLiteral("拡張部分の税率の数 %1 が多すぎます。").arg(rates));
    }
    for (int k = 0; k < rates; ++k) {
        RateTotal t;
        t.Rate = r.currency({u"税率", k + 1});
        t.Reduced = r.boolean({u"軽減税率か", k + 1});
        t.Base = r.currency({u"対象額", k + 1});
        t.Tax = r.currency({u"消費税額", k + 1});
        b.Rates.push_back(t);
    }
    b.HasExempt = r.boolean({u"非課税の有無"});
    b.Exempt = r.currency({u"非課税額"});
    if (r.remaining() != 0) {
        broken(QStringLiteral("拡張部分の終わりに余分な %1 バイトがあります。").arg(r.remaining()));
    }
    try {
        SumBreakdown(b, d.TaxIn);
    } catch (const EConvertError& error) {
        broken(error.message());
    }

    // All read: only now does the document change.
    for (const int index : reduced) {
        d.Items(index).Reduced = true;
    }
    // A total invoice's total is the sum of its lines only while its tax is per document; per
    // rate, it is what the rates add up to.
    if (d.TotalClaimMode && d.QualifiedInvoice && (!b.Rates.empty() || b.HasExempt)) {
        d.Total = b.Total;
    }
    d.Breakdown = std::move(b);
}

QString UnreadableNotice(const QString& fileName, const QString& problem) {
    return QStringLiteral(
               "「%1」の末尾にある適格請求書の情報（軽減税率の印と税率ごとの集計）は"
               "読めないため無視しました。伝票の本体はそのまま開いています。\n%2")
        .arg(fileName, problem);
}

}  // namespace DocumentExtension
