#pragma once

#include <QDialog>
#include <functional>

// Shows window modal over the program without a nested event loop; onClose gets its modal
// result once it closes. context ends the wait when it goes first.
inline void ShowChildWindow(QDialog* window, QObject* context, std::function<void(int)> onClose) {
    QObject::connect(window, &QDialog::finished, context, std::move(onClose),
                     Qt::SingleShotConnection);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}
