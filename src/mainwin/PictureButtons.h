#pragma once

#include <QLatin1String>
#include <QPushButton>
#include <functional>

#include "TPngButton.h"

// Hides the standard button "Btn" + role of window, lets its picture button "PNGBtn" + role
// perform it, and connects the handler.
inline void WirePictureButton(QWidget* window, const char* role, std::function<void()> handler) {
    auto* button = window->findChild<QPushButton*>(QStringLiteral("Btn") + QLatin1String(role));
    button->hide();
    button->setAutoDefault(false);
    window->findChild<TPngButton*>(QStringLiteral("PNGBtn") + QLatin1String(role))
        ->SetStandardButton(button);
    QObject::connect(button, &QPushButton::clicked, window, std::move(handler));
}
