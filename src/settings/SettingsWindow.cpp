#include "SettingsWindow.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "EnterKeyFocus.h"
#include "TPngButton.h"

namespace SettingsWindow {

void SetUp(QDialog* window) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    window->setFont(font);
    window->setFixedSize(window->size());
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        EnterKeyFocus::Install(field);
    }
}

void Wire(QPushButton* button, TPngButton* picture, const std::function<void()>& handler) {
    button->hide();
    picture->SetStandardButton(button);
    QObject::connect(button, &QPushButton::clicked, button->window(), handler);
}

}  // namespace SettingsWindow
