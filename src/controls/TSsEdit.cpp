#include "TSsEdit.h"

#include <QFocusEvent>

TSsEdit::TSsEdit(QWidget* parent) : QLineEdit(parent) {
    resize(121, 20);
    setFocusPolicy(Qt::StrongFocus);
}

void TSsEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectAll();
    selectOnPress_ = event->reason() == Qt::MouseFocusReason;
}

void TSsEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (selectOnPress_) {
        selectOnPress_ = false;
        selectAll();
    }
}
