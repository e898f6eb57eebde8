#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "BrokenFile.h"
#include "SharedSave.h"

// What a master list (customers, items, units) keeps so that its saves merge with those of
// other copies: its records as lines, the way it writes them, as this copy last read or wrote
// the file, and the file's stamp then.
class MasterSync {
  public:
    struct Format {
        // The file's records as the list writes them; empty for an absent file, the lines
        // before the break for a broken one, which sets *complete to false.
        std::function<QStringList(const QString& path, bool* complete)> Read;
        ThreeWayMerge::RecordKind Kind;
        FileCheck Check;
    };

    // After a load: the lines the list now holds are what the file had; stamp is the file's,
    // taken before it was read, so a write in between shows as a change.
    void Adopt(const SharedSave::FileStamp& stamp, const QStringList& lines);
    // Writes mine merged with the file as it is now; nothing is written when mine holds no
    // change. Returns the merged lines, which the list then holds.
    QStringList Save(const QString& path, const QStringList& mine, const Format& format,
                     const SharedSave::ConflictChoice& choose);
    // Whether another copy wrote the file since this one read or wrote it.
    bool ChangedOnDisk(const QString& path) const;
    const QStringList& Base() const { return base_; }

  private:
    QStringList base_;
    SharedSave::FileStamp stamp_;
};
