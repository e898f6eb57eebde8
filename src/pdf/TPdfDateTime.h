#pragma once

#include <functional>
#include <string>

namespace pdf {

// A local calendar date and time, as written into the information dictionary. The default
// is day zero of the old date-time serial numbers, which the report leaves as ModDate.
struct TPdfDateTime {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;

    bool operator==(const TPdfDateTime&) const = default;
};

// Where a document takes "now" from; tests fix it so that whole files compare byte for byte.
using TPdfClock = std::function<TPdfDateTime()>;

TPdfDateTime CurrentLocalTime();

// "D:" and YYYYMMDDHHMMSS, without a time zone.
std::string PdfDateString(const TPdfDateTime& dateTime);

}  // namespace pdf
