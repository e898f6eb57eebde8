#pragma once

#include <QLineEdit>
#include <QWidget>

// The two postal lookups of the address fields, on the data root's table: the matches are
// offered in the search window, and the chosen code and address fill zip and add1. A key
// without matches gets the program's message; a missing table its file error.
namespace PostalLookup {

void ByCode(QWidget* window, QLineEdit* zip, QLineEdit* add1);
void ByAddress(QWidget* window, QLineEdit* zip, QLineEdit* add1);

}  // namespace PostalLookup
