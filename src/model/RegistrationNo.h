#pragma once

#include <QString>

// The registration number of a qualified-invoice issuer (適格請求書発行事業者登録番号):
// "T" and 13 digits, the first of which is a check digit over the other twelve.
namespace RegistrationNo {

// What the user typed, made comparable: full-width digits and letters become half-width,
// hyphens, dashes and blanks go, a lower-case "t" becomes "T", and 13 bare digits get their
// "T". Anything else is left as it is for the check to refuse.
QString Normalize(const QString& typed);

enum class Status {
    Empty,  // not registered
    Valid,
    Malformed,        // not "T" and 13 digits
    WrongCheckDigit,  // well formed, but the first digit is not the check digit
};

struct Check {
    Status status = Status::Empty;
    int expectedDigit = -1;  // the check digit the other twelve give, when well formed
};

// Checks a normalised number.
Check Verify(const QString& normalized);

// 9 − (Σ Pn × Qn mod 9), Pn the n-th of the twelve digits counted from the right, Qn 1 for
// odd n and 2 for even n. twelveDigits must be twelve ASCII digits.
int CheckDigit(QStringView twelveDigits);

}  // namespace RegistrationNo
