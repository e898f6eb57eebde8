#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

Messages::Responder& responder() {
    static Messages::Responder current;
    return current;
}

}  // namespace

namespace Messages {

void Information(QWidget* parent, const QString& text) {
    if (responder()) {
        responder()(Kind::Information, text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool Question(QWidget* parent, const QString& text, bool withTitle) {
    if (responder()) {
        return responder()(Kind::Question, text);
    }
    QMessageBox box(QMessageBox::Question,
                    withTitle ? QApplication::applicationDisplayName() : QString(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Error(QWidget* parent, const QString& text) {
    if (responder()) {
        responder()(Kind::Error, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

void SetResponder(Responder r) {
    responder() = std::move(r);
}

}  // namespace Messages
