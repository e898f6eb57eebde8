#pragma once

#include <QString>

class QWidget;

// The three commands of the file menu that move document files between the data folder and
// a folder the user picks, with their questions and messages. parent owns the boxes.
namespace DocumentTransferCommands {

// バックアップする: every document into a new dated folder inside the chosen one.
void Backup(QWidget* parent, const QString& dataFolder);
// バックアップを読み込む: the documents of the chosen backup replace those of the data folder.
// A restore left unfinished is settled first.
void Restore(QWidget* parent, const QString& dataFolder);
// Settles a restore of dataFolder that was killed part-way (at the start and before the next
// restore) and tells the user what was done.
void SettleUnfinishedRestore(QWidget* parent, const QString& dataFolder);
// Dorvani 2・3のデータをインポートする: ".MT2" and ".MT3" files as ".MT4" documents.
void TakeOver(QWidget* parent, const QString& dataFolder);

}  // namespace DocumentTransferCommands
