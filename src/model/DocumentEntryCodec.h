#pragma once

// The codec of the document file's entries: length-prefixed texts and 4-byte counts, read
// from memory or from the first bytes of a device and written to memory. It knows nothing of
// which entry means what; DocumentFile.cpp holds that layout.

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <charconv>
#include <cmath>

#include "Cp932.h"
#include "Currency.h"
#include "ModelError.h"
#include "TRoundingMode.h"

namespace DocumentFile::Codec {

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
    QByteArrayView rest() const { return bytes_.sliced(pos_); }
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

    // A 4-byte number that is not negative.
    qint32 integer(EntryName name) {
        ++entry_;
        start_ = source_.offset();
        if (source_.remaining() < 4) {
            fail(name, QStringLiteral("ファイルが途中で終わっています。"));
        }
        const qint32 value = littleEndian(source_.take(4));
        if (value < 0) {
            fail(name, QStringLiteral("%1 は負の数です。").arg(value));
        }
        return value;
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

    qint64 offset() const { return source_.offset(); }
    qint64 remaining() const { return source_.remaining(); }
    // The next n raw bytes, n <= remaining().
    QByteArrayView take(qint64 n) { return source_.take(n); }

    static qint32 littleEndian(QByteArrayView four) {
        const auto b = [&](int i) {
            return static_cast<quint32>(static_cast<unsigned char>(four[i]));
        };
        return static_cast<qint32>(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
    }

  private:
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

}  // namespace DocumentFile::Codec
