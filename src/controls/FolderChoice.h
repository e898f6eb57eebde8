#pragma once

#include <QString>
#include <QWidget>
#include <functional>

// The folder browser of backup, restore and take-over: file-system folders only, the prompt
// as its title. Tests install a chooser that answers instead of a person.
namespace FolderChoice {

// The chosen folder, or empty when the user cancels.
QString Choose(QWidget* parent, const QString& prompt);

using Chooser = std::function<QString(QWidget* parent, const QString& prompt)>;
// An empty chooser restores the real dialog.
void SetChooser(Chooser chooser);

}  // namespace FolderChoice
