#include "EnterKeyFocus.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class EnterKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        // Tab is handled by the widget itself, which knows the focus chain of its window.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(watched, &tab);
        return true;
    }
};

}  // namespace

namespace EnterKeyFocus {

void Install(QWidget* control) {
    static auto* filter = new EnterKeyFilter(QCoreApplication::instance());
    control->installEventFilter(filter);
}

}  // namespace EnterKeyFocus
