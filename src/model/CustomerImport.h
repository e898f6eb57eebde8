#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "TThCustomerObject.h"

class TThCustomerObjectList;

// Customers from a CSV file of another program: the file becomes a table of cells, the
// user says which column holds which field, and every line becomes one customer. The
// import window and the tool share all of it.
namespace CustomerImport {

// Larger files are refused: they are no customer list, and reading them would take
// memory without bound.
constexpr qint64 MaxFileSize = 64LL * 1024 * 1024;
// A line with more fields than this is no customer list either (a binary file, or a
// single line of a million commas), and the window could not show the columns.
constexpr int MaxColumns = 1000;

struct Row {
    qsizetype Line;  // in the file, from 1, where the row starts
    QStringList Cells;
};

struct Table {
    std::vector<Row> Rows;
    int ColumnCount = 1;  // of the longest row, at least 1
};

// Called now and then while a file is read: done of total characters.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Spreadsheets write Shift-JIS or UTF-8 (often with a byte-order mark). UTF-8 is taken
// for a BOM or for bytes that are valid UTF-8 with at least one multi-byte sequence,
// which real Shift-JIS text practically never is; anything else is read as Shift-JIS.
// Throws ECp932Error naming the byte offset of bytes that are neither.
QString DecodeText(QByteArrayView bytes);

// The table of a file's text: trailing commas are dropped (a line of commas alone goes,
// an empty line stays), half-width spaces belong to their field, and a quoted field may
// hold commas and line breaks. A customer is one line of "Customer.dat", so line breaks
// and other control characters inside a field become half-width spaces. Throws
// EFileFormatError for a row beyond MaxColumns.
Table ParseText(const QString& text, const Progress& progress = {});
// Reads, decodes and parses a file; the errors name the file.
Table ReadFile(const QString& path, const Progress& progress = {});

// The nine choices of the window, in its order, each naming a field of CustomerFields.
struct Choice {
    const char* ComboName;
    int Field;        // index in CustomerFields
    int Preselected;  // column from 0, or -1 for なし
};
inline constexpr std::array<Choice, 9> Choices{{
    {"CBCusCode", 0, -1},
    {"CBName1", 1, 0},
    {"CBName2", 2, 1},
    {"CBName3", 3, 2},
    {"CBTel", 7, 3},
    {"CBFax", 8, 4},
    {"CBZip", 4, 5},
    {"CBAdd1", 5, 6},
    {"CBAdd2", 6, 7},
}};

// Per field of CustomerFields: the column it takes (from 0), or -1 when it is not taken.
using Mapping = std::array<int, 9>;
constexpr int NotTaken = -1;

// The window's first choices for a file of columnCount columns.
Mapping Preselection(int columnCount);

// The column's number as the grid and the drop-downs show it: "１", "１２".
QString ColumnCaption(int column);

// One customer per row, top to bottom. Throws ECp932Error naming the line and column of
// every taken cell that "Customer.dat" could not hold, so that nothing is imported before
// the user has seen them.
std::vector<TThCustomerObject> Customers(const Table& table, const Mapping& mapping);

void AppendTo(TThCustomerObjectList& list, std::vector<TThCustomerObject> customers);

}  // namespace CustomerImport
