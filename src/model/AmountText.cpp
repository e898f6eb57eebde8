#include "AmountText.h"

#include <cstdlib>
#include <string>

namespace {

// Qt cannot switch the input method off in a number field, so what it types there in
// full width reads as the ASCII digit or sign it stands for.
QChar AsciiNumberChar(QChar c) {
    const char16_t code = c.unicode();
    if (code >= u'０' && code <= u'９') {
        return QChar(u'0' + (code - u'０'));
    }
    switch (code) {
        case u'．':
            return u'.';
        case u'，':
            return u',';
        case u'－':
            return u'-';
        default:
            return c;
    }
}

}  // namespace

QString FormatAmount(bool forTotals, Currency value, bool printDecimals) {
    // Hundredths, rounded half away from zero on the exact raw value.
    const std::int64_t raw = value.raw();
    const unsigned long long magnitude = raw < 0 ? 0ULL - static_cast<unsigned long long>(raw)
                                                 : static_cast<unsigned long long>(raw);
    const unsigned long long hundredths = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    const std::string whole = std::to_string(hundredths / 100);
    const unsigned cents = static_cast<unsigned>(hundredths % 100);

    std::string text;
    if (raw < 0 && hundredths != 0) {
        text += '-';
    }
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            text += ',';
        }
        text += whole[i];
    }
    const bool fixedDecimals = printDecimals && !forTotals;
    if (fixedDecimals || cents != 0) {
        text += '.';
        text += static_cast<char>('0' + cents / 10);
        if (fixedDecimals || cents % 10 != 0) {
            text += static_cast<char>('0' + cents % 10);
        }
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

Currency ParseMoney(QStringView text) {
    QString plain;
    plain.reserve(text.size());
    for (const QChar c : text) {
        plain += AsciiNumberChar(c);
    }
    plain.remove(QLatin1Char(','));
    return Currency::fromText(plain);
}
