#pragma once

#include <QApplication>

// Everything the user sees is Japanese whatever the system locale says: Qt's own texts
// (message-box buttons, file and colour dialogs) come from its Japanese translations, the
// calendar and the dialogs use a Japanese locale, and the dialogs are Qt's own, never a
// desktop's native ones that follow the system locale.
void InstallJapaneseSurface(QApplication& app);
