#pragma once

#include <QWidget>

#include "SharedSave.h"

// How a window settles a save that met another copy's changes to the same records, keys or
// pictures: the user reads them, with the other copy named, and keeps this copy's versions
// (はい) or the other copy's (いいえ).
SharedSave::ConflictChoice AskConflicts(QWidget* parent);
