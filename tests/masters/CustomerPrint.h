#pragma once

#include <ostream>

#include "QtPrint.h"
#include "TThCustomerObject.h"

// Readable failure messages for customers: the ten fields joined by "|".
inline void PrintTo(const TThCustomerObject& c, std::ostream* out) {
    const QString fields[] = {c.CusCode, c.Name1, c.Name2, c.Name3, c.NameTitle,
                              c.Zip,     c.Add1,  c.Add2,  c.Tel,   c.Fax};
    *out << '{';
    for (const QString& field : fields) {
        *out << field.toStdString() << (&field == &fields[9] ? "}" : "|");
    }
}
