#pragma once

#include <QString>
#include <QStringList>
#include "MasterList.h"
#include "TThCustomerObject.h"

// The customer master, "Customer.dat": one CSV line of nine fields per customer
// (NameTitle is not kept).
class TThCustomerObjectList : public MasterList<TThCustomerObjectList, TThCustomerObject> {
  public:
    static inline const QString ExportHeader = QStringLiteral(
        "お客様コード,会社名１,会社名２,会社名３,郵便番号,住所１,住所２,ＴＥＬ,ＦＡＸ");

    // Appends the customers of the file. A broken line stops reading with EBrokenLineError;
    // the customers before it are appended.
    void LoadFromFile(const QString& path);
    // Throws when the file at path does not load completely.
    static void CheckFile(const QString& path);
    // The same lines after the header line, for other programs.
    void ExportToFile(const QString& path) const;

    // One CSV line per customer, as the file holds them.
    QStringList Lines() const;

    // How the file's lines are read, paired and named in a merge (MasterSync.h).
    static const MasterSync::Format& Format();

  private:
    friend class MasterList<TThCustomerObjectList, TThCustomerObject>;
    void appendLines(const QStringList& lines, const QString& path);
};
