#pragma once

#include <QString>

// A data file that did not load completely (a broken line, a picture that cannot be read,
// a file the program may not read) is never replaced by the part the program holds: it is
// first copied beside itself ("Customer.dat.broken-20261210"), and the user is told where.
// The test is made on the file as it is on disk at that moment, so a file broken while
// the program runs is kept as well.

// Loads the file at path the way its owner does, throwing when anything of it fails.
using FileCheck = void (*)(const QString& path);

// A copy of the file as it is now: an existing path.broken-yyyymmdd[-n] with the same bytes,
// or a new one made today. Empty when the file cannot be read or no copy can be written.
QString KeepBrokenCopy(const QString& path);

// Before path is replaced: an existing file that fails check, or one that failed to load
// earlier in this run without a copy, is copied aside first; when no copy can be made,
// EFileError says so and the file stays as it is.
void GuardBeforeReplacing(const QString& path, FileCheck check);

// What the user is told after loading path failed: where the copy is, or that none could be
// made and the file will not be overwritten until a copy can be made. Empty when the file is
// absent or loads.
QString BrokenFileNotice(const QString& path, FileCheck check);
