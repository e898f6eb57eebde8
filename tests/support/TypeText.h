#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QString>
#include <QTest>
#include <QWidget>

// Types text into widget as a user does: ASCII through the keys, anything else committed by
// the input method, one character at a time.
inline void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const qsizetype length = c.isHighSurrogate() ? 2 : 1;
        QInputMethodEvent commit;
        commit.setCommitString(text.mid(i, length));
        QApplication::sendEvent(widget, &commit);
        i += length - 1;
    }
}
