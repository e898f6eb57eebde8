#pragma once

#include <QHash>
#include <QString>
#include <memory>

class TPRPage;

// Report pages are described by JSON files under resources/slips (built into the program
// as ":/slips/"). A file names its page and size, integer variables, files to include
// (their variables and components come first) and its components in painting order:
//
//   {"page": "TateMitsuFirstPage", "width": 595, "height": 842,
//    "include": ["TateColumns.json"], "vars": {"H": 311},
//    "components": [
//      {"class": "Label", "role": "Title", "left": 211, "top": 43, "font": 24, ...},
//      {"repeat": "n", "from": 1, "to": "ROWS", "components": [
//        {"class": "Rect", "role": "Line{n}", "top": "H+16*n", ...}]}]}
//
// A component is named "PR" + class + page + role unless it gives "name"; numbers may be
// expressions of the variables (+ - * / == and parentheses). Everything sits on one
// layout panel named "PRLayoutPanel" + page that covers the page, or is set in from both
// sides by "panelLeft".
// The variables of the file and its includes go to vars when it is given, so that the code
// reads the numbers a template owns rather than repeating them.
// EFileFormatError names the file and what is wrong in it.
using TSlipTemplateVars = QHash<QString, int>;
std::unique_ptr<TPRPage> LoadSlipTemplate(const QString& path, TSlipTemplateVars* vars = nullptr);
