#pragma once

#include <QString>
#include <QWidget>
#include <functional>

// Which data folder the program works in: the question at start when the remembered folder
// is not there, and the 設定 menu's 「データフォルダの選択...」 and 「標準のデータフォルダに戻す」.
// The rule of which root a user has lives in DataFolders; this is the part a person answers.
// A running window never switches its root: the choice holds from the next start, which the
// user may make at once. Tests install functions that answer instead of the dialogs and
// stand in for the new process.
namespace DataRootChoice {

// The root of this start, or empty when the user quits. A remembered folder that is missing
// or holds no data is never used as it is: the user chooses another, works in the default
// root for this run only, or quits.
QString RootAtStart();

// The menu commands of window, which works in current. Each remembers the choice and, when
// the next start would use another root, offers to start again now.
void ChooseFolder(QWidget* window, const QString& current);
void ChooseDefault(QWidget* window, const QString& current);

enum class StartAnswer { ChooseAnother, UseDefault, Quit };

using FolderDialog = std::function<QString(QWidget* parent, const QString& start)>;
using StartQuestion = std::function<StartAnswer(const QString& text)>;
// Starts the program again as a new process; false when it could not.
using Restarter = std::function<bool()>;
// An empty function restores the real one.
void SetFolderDialog(FolderDialog dialog);
void SetStartQuestion(StartQuestion question);
void SetRestarter(Restarter restarter);

}  // namespace DataRootChoice
