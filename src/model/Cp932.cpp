#include "Cp932.h"

#include <iconv.h>

#include <QList>

#include <cerrno>

#include "ModelError.h"

namespace {

// One converter per direction and thread: opening a converter costs far more than a
// conversion of a short field, and fields are converted by the thousand.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw ECp932Error(QStringLiteral("文字コード変換 (%1 → %2) を使用できません。")
                                  .arg(QString::fromLatin1(from), QString::fromLatin1(to)));
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of in; on failure returns false with failedAt = offset of the bad input.
    bool convert(QByteArrayView in, QByteArray& out, qsizetype& failedAt) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 2 + 8);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = static_cast<size_t>(in.size());
        char* outPtr = out.data();
        size_t outLeft = static_cast<size_t>(out.size());
        while (inLeft > 0) {
            if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                const qsizetype used = outPtr - out.data();
                out.resize(out.size() * 2);
                outPtr = out.data() + used;
                outLeft = static_cast<size_t>(out.size() - used);
                continue;
            }
            failedAt = inPtr - in.data();
            return false;
        }
        out.resize(outPtr - out.data());
        return true;
    }

  private:
    iconv_t cd_;
};

Converter& toCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& fromCp932() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

QString describeCharacter(const QString& ch) {
    const char32_t code = ch.toUcs4().value(0);
    const QString hex =
        QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, '0');
    return QStringLiteral("「%1」(U+%2)").arg(ch, hex);
}

// The character of text that starts at utf8Offset in its UTF-8 form.
QString characterAtUtf8Offset(const QByteArray& utf8, qsizetype utf8Offset) {
    qsizetype end = utf8Offset + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
        ++end;
    }
    return QString::fromUtf8(utf8.mid(utf8Offset, end - utf8Offset));
}

}  // namespace

namespace Cp932 {

QByteArray encode(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (isAscii(utf8)) {
        return utf8;
    }
    QByteArray out;
    qsizetype failedAt = 0;
    if (!toCp932().convert(utf8, out, failedAt)) {
        throw ECp932Error(QStringLiteral("文字%1は Shift-JIS (cp932) で保存できません。")
                              .arg(describeCharacter(characterAtUtf8Offset(utf8, failedAt))));
    }
    return out;
}

QString decode(QByteArrayView bytes) {
    if (isAscii(bytes)) {
        return QString::fromLatin1(bytes.data(), bytes.size());
    }
    QByteArray out;
    qsizetype failedAt = 0;
    if (!fromCp932().convert(bytes, out, failedAt)) {
        throw ECp932Error(
            QStringLiteral(
                "Shift-JIS (cp932) として読めないバイト 0x%1 があります (オフセット %2)。")
                .arg(static_cast<unsigned char>(bytes[failedAt]), 2, 16, QChar('0'))
                .arg(failedAt));
    }
    return QString::fromUtf8(out);
}

QString decodeForMessage(QByteArrayView bytes) {
    try {
        return decode(bytes);
    } catch (const ECp932Error&) {
        QString shown;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F) {
                shown += QChar(byte);
            } else {
                shown += QStringLiteral("\\x") +
                         QString::number(byte, 16).toUpper().rightJustified(2, u'0');
            }
        }
        return shown;
    }
}

}  // namespace Cp932
