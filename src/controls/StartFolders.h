#pragma once

#include <QString>

namespace StartFolders {

// Where export and save dialogs start: the desktop when it exists, else the home folder.
// A folder that does not exist would turn its last name into a proposed file name.
QString Export();

}  // namespace StartFolders
