#pragma once

#include <QString>
#include <QStringList>
#include "MasterSync.h"
#include "OwnedList.h"
#include "TThCustomerObject.h"

// The customer master, "Customer.dat": one CSV line of nine fields per customer
// (NameTitle is not kept).
class TThCustomerObjectList : public OwnedList<TThCustomerObject> {
  public:
    static inline const QString ExportHeader = QStringLiteral(
        "お客様コード,会社名１,会社名２,会社名３,郵便番号,住所１,住所２,ＴＥＬ,ＦＡＸ");

    // Appends the customers of the file. A broken line stops reading with EBrokenLineError;
    // the customers before it are appended.
    void LoadFromFile(const QString& path);
    // Throws when the file at path does not load completely.
    static void CheckFile(const QString& path);
    // Merges what this list changed since it read the file into the file as it is now, and
    // holds the result (MasterSync.h); choose settles records another copy changed as well.
    // A file on disk that does not load completely is copied aside first (BrokenFile.h).
    void SaveToFile(const QString& path,
                    const SharedSave::ConflictChoice& choose = SharedSave::Refuse);
    // Reads the file again when another copy wrote it and this list holds no unsaved change;
    // true when it did.
    bool ReloadIfChanged(const QString& path);
    // The same lines after the header line, for other programs.
    void ExportToFile(const QString& path) const;

    // One CSV line per customer, as the file holds them.
    QStringList Lines() const;

  private:
    void appendLines(const QStringList& lines, const QString& path);

    MasterSync sync_;
};
