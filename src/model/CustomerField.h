#pragma once

#include <QString>
#include <array>

#include "TThCustomerObject.h"

// The nine fields a customer of the master keeps, in file order: the list columns and the
// fields of the add and edit windows share their captions and order.
struct CustomerField {
    const char* ControlName;  // of the add and edit windows
    const char16_t* Caption;
    QString TThCustomerObject::*Member;
    int ColumnWidth;  // of the customer list
    bool Latin;       // codes and numbers: no Japanese input
};

inline constexpr std::array<CustomerField, 9> CustomerFields{{
    {"MMCusCode", u"お客様コード", &TThCustomerObject::CusCode, 80, true},
    {"EdtName1", u"会社名１", &TThCustomerObject::Name1, 125, false},
    {"EdtName2", u"会社名２", &TThCustomerObject::Name2, 125, false},
    {"EdtName3", u"会社名３", &TThCustomerObject::Name3, 125, false},
    {"EdtZip", u"郵便番号", &TThCustomerObject::Zip, 65, true},
    {"EdtAdd1", u"住所１", &TThCustomerObject::Add1, 190, false},
    {"EdtAdd2", u"住所２", &TThCustomerObject::Add2, 190, false},
    {"EdtTel", u"TEL", &TThCustomerObject::Tel, 95, true},
    {"EdtFax", u"FAX", &TThCustomerObject::Fax, 95, true},
}};

// Copies the nine fields; NameTitle, which the master does not keep, stays.
void CopyCustomerFields(const TThCustomerObject& from, TThCustomerObject& to);
