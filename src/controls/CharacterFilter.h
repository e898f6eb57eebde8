#pragma once

#include <QString>

class QWidget;

// Keeps characters outside allowed from being typed into a field, by key or by the input
// method; editing keys, shortcuts and the focus keys pass. Pasted text is not filtered: the
// window checks every field before it stores it.
namespace CharacterFilter {

void Install(QWidget* field, const QString& allowed);

}  // namespace CharacterFilter
