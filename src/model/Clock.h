#pragma once

#include <QDateTime>

// The program's idea of "now" (save times of documents, dates printed on slips). Tests and
// the command-line tool fix it so that written files compare byte for byte.
namespace Clock {

QDateTime now();
void fix(const QDateTime& moment);
void unfix();

}  // namespace Clock
