#include "TestEnvironment.h"

#include <cstdlib>

void SetTestEnvironment() {
    unsetenv("LC_ALL");
    setenv("LANG", "ja_JP.UTF-8", 1);
    setenv("LC_NUMERIC", "de_DE.UTF-8", 1);
    setenv("TZ", "Asia/Tokyo", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
