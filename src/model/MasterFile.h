#pragma once

#include <QString>

// A master file whose line cannot be read stops loading there, keeping the records before
// it. Saving that list later would cut the user's master at the broken line, so the
// original is first copied beside it ("Customer.dat.broken-20261210"); the error names the
// file, the line and the copy.
[[noreturn]] void RejectBrokenMasterLine(const QString& path, qsizetype line,
                                         const QString& problem);
