#pragma once

#include <functional>

class QDialog;
class QPushButton;
class TPngButton;

// What both settings windows share: their font and fixed size, Enter moving on in every
// one-line field, and picture buttons that perform their hidden standard buttons.
namespace SettingsWindow {

// After setupUi.
void SetUp(QDialog* window);
void Wire(QPushButton* button, TPngButton* picture, const std::function<void()>& handler);

}  // namespace SettingsWindow
