#include "DocumentFile.h"

#include <unistd.h>

#include <QFile>
#include <charconv>
#include <cmath>
#include <memory>

#include "Clock.h"
#include "Cp932.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TThEstimateObjectList.h"

namespace DocumentFile {
namespace {

enum class Layout { Mitsu4, Mitsu3, Mitsu2 };

// What an entry holds, for messages; the line is 1-based, 0 for header entries.
struct EntryName {
    const char16_t* field;
    int line = 0;

    QString text() const {
        const QString name = QString::fromUtf16(field);
        return line > 0 ? QStringLiteral("%1行目の%2").arg(line).arg(name) : name;
    }
};

constexpr char16_t FieldItemName[] = u"品名";
constexpr char16_t FieldNum[] = u"数量";
constexpr char16_t FieldUnitName[] = u"単位";
constexpr char16_t FieldUnitPrice[] = u"単価";
constexpr char16_t FieldTotalPrice[] = u"金額";
constexpr char16_t FieldLineEtc[] = u"備考";
constexpr char16_t FieldNoTax[] = u"非課税";
constexpr char16_t FieldSubTotalRow[] = u"小計行";

// The bytes an entry reader walks over: a whole file in memory, or an open device of which
// only the first entries are read.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual qint64 offset() const = 0;
    virtual qint64 remaining() const = 0;
    // The next n bytes (n <= remaining()); valid until the next call.
    virtual QByteArrayView take(qint64 n) = 0;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(QByteArrayView bytes) : bytes_(bytes) {}
    qint64 offset() const override { return pos_; }
    qint64 remaining() const override { return bytes_.size() - pos_; }
    QByteArrayView take(qint64 n) override {
        const QByteArrayView part = bytes_.sliced(pos_, n);
        pos_ += n;
        return part;
    }

  private:
    QByteArrayView bytes_;
    qint64 pos_ = 0;
};

class DeviceSource final : public ByteSource {
  public:
    // The size is asked once: for a file every question is a system call, and the file
    // lists read thousands of headers.
    explicit DeviceSource(QIODevice& device) : device_(device), size_(device.size()) {}
    qint64 offset() const override { return device_.pos(); }
    qint64 remaining() const override { return size_ - device_.pos(); }
    QByteArrayView take(qint64 n) override {
        buffer_.resize(n);
        const qint64 got = device_.read(buffer_.data(), n);
        return QByteArrayView(buffer_.constData(), got < 0 ? 0 : got);
    }

  private:
    QIODevice& device_;
    const qint64 size_;
    QByteArray buffer_;
};

class EntryReader {
  public:
    EntryReader(ByteSource& source, const QString& fileName)
        : source_(source), fileName_(fileName) {}

    QByteArrayView bytes(EntryName name) {
        ++entry_;
        start_ = source_.offset();
        if (source_.remaining() < 4) {
            fail(name, QStringLiteral("ファイルが途中で終わっています。"));
        }
        const qint32 length = littleEndian(source_.take(4));
        if (length <= 0) {
            return {};
        }
        if (length > source_.remaining()) {
            fail(name, QStringLiteral("長さ %1 がファイルの残り %2 バイトを超えています。")
                           .arg(length)
                           .arg(source_.remaining()));
        }
        const QByteArrayView text = source_.take(length);
        if (text.size() != length) {
            fail(name, QStringLiteral("ファイルを最後まで読めません。"));
        }
        return text;
    }

    QString string(EntryName name) {
        const QByteArrayView raw = bytes(name);
        try {
            return Cp932::decode(raw);
        } catch (const ECp932Error& error) {
            fail(name, error.message());
        }
    }

    bool boolean(EntryName name) {
        const QByteArrayView raw = bytes(name).trimmed();
        if (raw.compare("true", Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (raw.compare("false", Qt::CaseInsensitive) == 0) {
            return false;
        }
        // Any finite number is a boolean: zero is false, everything else true. "nan" and
        // "inf" parse as numbers but are no answer to yes or no.
        const QByteArrayView digits = raw.startsWith('+') ? raw.sliced(1) : raw;
        double value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.isEmpty() || error != std::errc() || end != digits.data() + digits.size() ||
            !std::isfinite(value)) {
            fail(
                name,
                QStringLiteral("「%1」は真偽値ではありません。").arg(Cp932::decodeForMessage(raw)));
        }
        return value != 0;
    }

    Currency currency(EntryName name) {
        const QByteArrayView raw = bytes(name);
        try {
            return Currency::fromText(Cp932::decodeForMessage(raw));
        } catch (const EConvertError& error) {
            fail(name, error.message());
        }
    }

    TRoundingMode rounding(EntryName name) {
        // Anything but a known position reads as the first, as the older programs did.
        const QByteArrayView raw = bytes(name);
        const int index = raw == "1" ? 1 : raw == "2" ? 2 : 0;
        return *RoundingOfListIndex(index);
    }

    // A line count whose records of entriesPerRecord entries can fit in what is left.
    int count(EntryName name, int entriesPerRecord) {
        ++entry_;
        start_ = source_.offset();
        if (source_.remaining() < 4) {
            fail(name, QStringLiteral("ファイルが途中で終わっています。"));
        }
        const qint32 lines = littleEndian(source_.take(4));
        const qint64 smallestRecord = 4LL * entriesPerRecord;
        if (lines < 0 || lines > source_.remaining() / smallestRecord) {
            fail(name, QStringLiteral("行数 %1 はファイルの残り %2 バイトに収まりません。")
                           .arg(lines)
                           .arg(source_.remaining()));
        }
        return lines;
    }

    Layout magic() {
        const EntryName name{u"ファイル識別子"};
        const QByteArrayView raw = bytes(name);
        if (raw == "MITSU4_100") {
            return Layout::Mitsu4;
        }
        if (raw == "MITSU3_100") {
            return Layout::Mitsu3;
        }
        if (raw == "MITSU2_100") {
            return Layout::Mitsu2;
        }
        throw EFileFormatError(
            QStringLiteral("「%1」は見積データのファイルではありません。").arg(fileName_));
    }

  private:
    static qint32 littleEndian(QByteArrayView four) {
        const auto b = [&](int i) {
            return static_cast<quint32>(static_cast<unsigned char>(four[i]));
        };
        return static_cast<qint32>(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
    }

    [[noreturn]] void fail(EntryName name, const QString& problem) const {
        throw EFileFormatError(
            QStringLiteral("「%1」は壊れています: 第%2項目（%3、オフセット %4）: %5")
                .arg(fileName_)
                .arg(entry_)
                .arg(name.text())
                .arg(start_)
                .arg(problem));
    }

    ByteSource& source_;
    const QString& fileName_;
    int entry_ = 0;
    qint64 start_ = 0;
};

class EntryWriter {
  public:
    explicit EntryWriter(qsizetype expectedSize) { bytes_.reserve(expectedSize); }

    void string(const QString& text, EntryName name) {
        try {
            raw(Cp932::encode(text));
        } catch (const ECp932Error& error) {
            throw ECp932Error(QStringLiteral("%1: %2").arg(name.text(), error.message()));
        }
    }
    void raw(QByteArrayView text) {
        count(static_cast<qint32>(text.size()));
        bytes_.append(text);
    }
    void boolean(bool value) { raw(value ? "-1" : "0"); }
    void currency(Currency value) { raw(value.toText().toLatin1()); }
    void floating(Currency value) { raw(value.toFloatText().toLatin1()); }
    void rounding(TRoundingMode mode) { raw(QByteArray::number(ListIndexOfRounding(mode))); }
    void count(qint32 value) {
        const auto v = static_cast<quint32>(value);
        const char four[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                              static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
        bytes_.append(four, 4);
    }

    QByteArray take() { return std::move(bytes_); }

  private:
    QByteArray bytes_;
};

Header readHeader(ByteSource& source, const QString& fileName) {
    EntryReader reader(source, fileName);
    Header header;
    const Layout layout = reader.magic();
    header.Magic = layout == Layout::Mitsu4 ? Mitsu4 : layout == Layout::Mitsu3 ? Mitsu3 : Mitsu2;
    header.Saved = reader.string({u"保存日時"});
    const EntryName mode{u"作成モード"};
    header.TotalClaimMode =
        layout == Layout::Mitsu2 ? reader.bytes(mode) == "2" : reader.boolean(mode);
    header.Comment = reader.string({u"コメント"});
    header.Name1 = reader.string({u"会社名１"});
    return header;
}

}  // namespace

Header ReadHeader(QIODevice& device, const QString& fileName) {
    DeviceSource source(device);
    return readHeader(source, fileName);
}

Header ReadHeader(const QString& path) {
    QFile file;
    const int fd = OpenRegularFile(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw EFileError(QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString()));
    }
    return ReadHeader(file, path);
}

QByteArray Encode(const TThEstimateObjectList& d, const QString& comment,
                  const QDateTime& savedAt) {
    EntryWriter w(1024 + qsizetype{d.Count()} * 48);
    const TThCustomerObject& c = d.Customer;
    w.raw("MITSU4_100");
    w.raw(savedAt.toString(QStringLiteral("yyyy/MM/dd HH:mm")).toLatin1());
    w.boolean(d.TotalClaimMode);
    w.string(comment, {u"コメント"});
    w.string(c.Name1, {u"会社名１"});
    w.string(c.Name2, {u"会社名２"});
    w.string(c.Name3, {u"会社名３"});
    w.boolean(d.TaxIn);
    w.floating(d.SubTotal);
    w.floating(d.Tax);
    w.string(c.CusCode, {u"お客様コード"});
    w.string(d.SlipCode, {u"伝票番号"});
    w.string(d.Year, {u"年"});
    w.string(d.Month, {u"月"});
    w.string(d.Day, {u"日"});
    w.string(c.Zip, {u"郵便番号"});
    w.string(c.Add1, {u"住所１"});
    w.string(c.Add2, {u"住所２"});
    w.string(c.Tel, {u"電話番号"});
    w.string(c.Fax, {u"FAX番号"});
    w.string(c.NameTitle, {u"敬称"});
    if (!d.TotalClaimMode) {
        w.string(d.Delivery, {u"受渡期日"});
        w.boolean(d.PrintDelivery);
        w.string(d.Place, {u"納入場所"});
        w.boolean(d.PrintPlace);
        w.string(d.Condition, {u"支払条件"});
        w.boolean(d.PrintCondition);
        w.string(d.Limit, {u"有効期限"});
        w.boolean(d.PrintLimit);
        w.string(d.Etc, {u"備考"});
        w.string(d.Memo, {u"メモ"});
        w.boolean(d.TaxIn);
        w.rounding(d.TaxRounding);
        w.rounding(d.SubTotalRounding);
    } else {
        w.string(d.Etc, {u"備考"});
        w.string(d.Memo, {u"メモ"});
    }
    w.count(d.Count());
    for (int i = 0; i < d.Count(); ++i) {
        const TThEstimateObject& line = d.Items(i);
        const int n = i + 1;
        w.string(line.ItemName, {FieldItemName, n});
        if (!d.TotalClaimMode) {
            w.currency(line.Num);
            w.string(line.UnitName, {FieldUnitName, n});
            w.currency(line.UnitPrice);
        }
        w.currency(line.TotalPrice);
        w.string(line.Etc, {FieldLineEtc, n});
        w.boolean(line.NoTax);
        w.boolean(line.SubTotalRow);
    }
    return w.take();
}

void Decode(TThEstimateObjectList& d, QByteArrayView bytes, const QString& fileName) {
    // Fields an older layout does not store (Name2, Name3, the conditions of a total
    // invoice) must not keep the previous document's values; only the tax rate and basis,
    // which come from the settings and no layout stores, stay.
    TThEstimateObjectList fresh;
    fresh.TaxRate = d.TaxRate;
    fresh.CalcPerRow = d.CalcPerRow;
    fresh.QualifiedInvoice = d.QualifiedInvoice;
    fresh.ReducedTaxRate = d.ReducedTaxRate;
    d = std::move(fresh);
    MemorySource source(bytes);
    EntryReader r(source, fileName);
    TThCustomerObject& c = d.Customer;

    const Layout layout = r.magic();
    r.bytes({u"保存日時"});
    const EntryName mode{u"作成モード"};
    d.TotalClaimMode = layout == Layout::Mitsu2 ? r.bytes(mode) == "2" : r.boolean(mode);
    r.bytes({u"コメント"});
    c.Name1 = r.string({u"会社名１"});
    if (layout == Layout::Mitsu4) {
        c.Name2 = r.string({u"会社名２"});
        c.Name3 = r.string({u"会社名３"});
    }
    d.TaxIn = r.boolean({u"税込み"});
    d.SubTotal = r.currency({u"小計"});
    d.Tax = r.currency({u"消費税"});
    c.CusCode = r.string({u"お客様コード"});
    d.SlipCode = r.string({u"伝票番号"});
    d.Year = r.string({u"年"});
    d.Month = r.string({u"月"});
    d.Day = r.string({u"日"});
    c.Zip = r.string({u"郵便番号"});
    c.Add1 = r.string({u"住所１"});
    c.Add2 = r.string({u"住所２"});
    c.Tel = r.string({u"電話番号"});
    c.Fax = r.string({u"FAX番号"});
    c.NameTitle = r.string({u"敬称"});
    if (!d.TotalClaimMode) {
        d.Delivery = r.string({u"受渡期日"});
        d.PrintDelivery = r.boolean({u"受渡期日の印刷"});
        d.Place = r.string({u"納入場所"});
        d.PrintPlace = r.boolean({u"納入場所の印刷"});
        d.Condition = r.string({u"支払条件"});
        d.PrintCondition = r.boolean({u"支払条件の印刷"});
        d.Limit = r.string({u"有効期限"});
        d.PrintLimit = r.boolean({u"有効期限の印刷"});
        d.Etc = r.string({u"備考"});
        d.Memo = r.string({u"メモ"});
        d.TaxIn = r.boolean({u"税込み"});
        d.TaxRounding = r.rounding({u"消費税の端数処理"});
        d.SubTotalRounding = r.rounding({u"小計の端数処理"});
    } else {
        d.Etc = r.string({u"備考"});
        d.Memo = r.string({u"メモ"});
    }

    const bool subTotalRows = layout == Layout::Mitsu4;
    int entriesPerRecord = 0;
    if (d.TotalClaimMode) {
        entriesPerRecord = layout == Layout::Mitsu4 ? 5 : layout == Layout::Mitsu3 ? 4 : 3;
    } else {
        entriesPerRecord = subTotalRows ? 8 : 7;
    }
    const int lines = layout == Layout::Mitsu2 ? TThEstimateObjectList::DefaultLineCount
                                               : r.count({u"行数"}, entriesPerRecord);
    for (int i = 0; i < lines; ++i) {
        auto line = std::make_unique<TThEstimateObject>();
        const int n = i + 1;
        line->ItemName = r.string({FieldItemName, n});
        if (!d.TotalClaimMode) {
            line->Num = r.currency({FieldNum, n});
            line->UnitName = r.string({FieldUnitName, n});
            line->UnitPrice = r.currency({FieldUnitPrice, n});
        }
        line->TotalPrice = r.currency({FieldTotalPrice, n});
        if (layout == Layout::Mitsu2) {
            if (d.TotalClaimMode) {
                r.bytes({u"予備", n});
            } else {
                line->Etc = r.string({FieldLineEtc, n});
                line->NoTax = r.bytes({FieldNoTax, n}) == "1";
            }
        } else {
            line->Etc = r.string({FieldLineEtc, n});
            line->NoTax = r.boolean({FieldNoTax, n});
            if (subTotalRows) {
                line->SubTotalRow = r.boolean({FieldSubTotalRow, n});
            }
        }
        d.Add(std::move(line));
    }

    if (d.TotalClaimMode) {
        Int128 total = 0;
        for (int i = 0; i < d.Count(); ++i) {
            if (!d.Items(i).SubTotalRow) {
                total += d.Items(i).TotalPrice.raw();
            }
        }
        d.Total = Currency::fromWideRaw(total);
    }
    if (layout == Layout::Mitsu3) {
        d.PadLines(TThEstimateObjectList::DefaultLineCount);
    }
}

void Save(const TThEstimateObjectList& document, const QString& path, const QString& comment) {
    QByteArray bytes;
    try {
        bytes = Encode(document, comment, Clock::now());
    } catch (const ECp932Error& error) {
        throw EFileError(QStringLiteral("「%1」に保存できません: %2").arg(path, error.message()));
    }
    SaveFileAtomically(path, bytes);
}

void Load(TThEstimateObjectList& document, const QString& path) {
    Decode(document, ReadWholeFile(path, MaxFileSize), path);
}

}  // namespace DocumentFile
