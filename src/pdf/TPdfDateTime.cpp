#include "TPdfDateTime.h"

#include <ctime>

#include "PdfNumberFormat.h"

namespace pdf {

TPdfDateTime CurrentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string PdfDateString(const TPdfDateTime& dateTime) {
    return "D:" + FormatZeroPadded(dateTime.Year, 4) + FormatZeroPadded(dateTime.Month, 2) +
           FormatZeroPadded(dateTime.Day, 2) + FormatZeroPadded(dateTime.Hour, 2) +
           FormatZeroPadded(dateTime.Minute, 2) + FormatZeroPadded(dateTime.Second, 2);
}

}  // namespace pdf
