#pragma once

#include <QString>

// The addressee of a document, and a record of the customer master.
struct TThCustomerObject {
    QString CusCode;
    QString Name1;
    QString Name2;
    QString Name3;
    QString NameTitle;
    QString Zip;
    QString Add1;
    QString Add2;
    QString Tel;
    QString Fax;

    friend bool operator==(const TThCustomerObject&, const TThCustomerObject&) = default;
};
