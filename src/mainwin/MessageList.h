#pragma once

#include <QStringList>

// Lines for a message box, one per line; past the first ten the rest are only counted, so
// a folder of broken files still gives a box that fits the screen.
QString MessageList(const QStringList& lines);
