#include "RegistrationNo.h"

namespace RegistrationNo {

namespace {

constexpr int DigitCount = 13;

bool isDropped(QChar c) {
    switch (c.unicode()) {
        case u'-':
        case u'\u2010':  // hyphen
        case u'\u2011':
        case u'\u2012':
        case u'\u2013':
        case u'\u2014':
        case u'\u2015':
        case u'\u2212':  // minus sign
        case u'\u30FC':  // the long-vowel mark an input method gives for a hyphen
        case u'\uFF0D':  // full-width hyphen-minus
        case u'\uFF70':
            return true;
        default:
            return c.isSpace();
    }
}

bool allDigits(QStringView text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

}  // namespace

QString Normalize(const QString& typed) {
    QString out;
    out.reserve(typed.size());
    for (QChar c : typed) {
        if (isDropped(c)) {
            continue;
        }
        char16_t u = c.unicode();
        if (u >= u'\uFF01' && u <= u'\uFF5E') {
            u = static_cast<char16_t>(u - 0xFEE0);  // full-width ASCII
        }
        if (u == u't') {
            u = u'T';
        }
        out += QChar(u);
    }
    if (out.size() == DigitCount && allDigits(out)) {
        out.prepend(u'T');
    }
    return out;
}

int CheckDigit(QStringView twelveDigits) {
    int sum = 0;
    const qsizetype count = twelveDigits.size();
    for (qsizetype n = 1; n <= count; ++n) {
        const int p = twelveDigits[count - n].unicode() - u'0';
        sum += p * (n % 2 == 1 ? 1 : 2);
    }
    return 9 - sum % 9;
}

Check Verify(const QString& normalized) {
    if (normalized.isEmpty()) {
        return {};
    }
    if (normalized.size() != DigitCount + 1 || normalized[0] != u'T' ||
        !allDigits(QStringView(normalized).mid(1))) {
        return {Status::Malformed, -1};
    }
    const int expected = CheckDigit(QStringView(normalized).mid(2));
    const int given = normalized[1].unicode() - u'0';
    return {given == expected ? Status::Valid : Status::WrongCheckDigit, expected};
}

}  // namespace RegistrationNo
