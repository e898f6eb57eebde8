#pragma once

#include <QString>
#include <QWidget>
#include <functional>

// The program's message boxes: information shows the message alone, questions are Yes/No
// and only Yes proceeds, errors show what went wrong. Tests install a responder that reads
// the message and answers instead of a person.
namespace Messages {

enum class Kind { Information, Question, Error };

void Information(QWidget* parent, const QString& text);
// With withTitle the application title is the caption.
bool Question(QWidget* parent, const QString& text, bool withTitle = true);
void Error(QWidget* parent, const QString& text);

using Responder = std::function<bool(Kind kind, const QString& text)>;
// An empty responder restores the real boxes.
void SetResponder(Responder responder);

}  // namespace Messages
