#pragma once

#include <QObject>

class QWidget;

// Enter in a one-line field, drop-down, check box or button moves the focus on, as Tab
// does, instead of pressing a default button: the windows are filled field after field.
namespace EnterKeyFocus {

void Install(QWidget* control);

}  // namespace EnterKeyFocus
