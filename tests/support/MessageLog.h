#pragma once

#include <QString>
#include <QStringList>

#include "Messages.h"

// Answers the program's message boxes instead of a person and keeps what they said; the
// questions get the answer set in Yes.
class MessageLog {
  public:
    MessageLog() {
        Messages::SetResponder([this](Messages::Kind kind, const QString& text) {
            Kinds.push_back(kind);
            Texts << text;
            return Yes;
        });
    }
    ~MessageLog() { Messages::SetResponder({}); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    bool Yes = true;
    std::vector<Messages::Kind> Kinds;
    QStringList Texts;
};
