#include "TThItemUnitObjectList.h"

#include <QFileInfo>

#include "BrokenFile.h"
#include "DataLock.h"
#include "TextFile.h"

namespace {

const MasterSync::Format& format() {
    // A unit is only its name: a renamed unit is one removed and one added.
    static const MasterSync::Format f{
        [](const QString& path) {
            TThItemUnitObjectList list;
            try {
                list.LoadFromFile(path);
            } catch (const EBrokenLineError&) {
                // The lines before the break; the file is copied aside before a write.
            }
            return list.Lines();
        },
        {[](const QString&) { return QString(); },
         [](const QString& line) { return QStringLiteral("単位「%1」").arg(line); },
         [](const QString& line) { return line; }},
        &TThItemUnitObjectList::CheckFile};
    return f;
}

}  // namespace

void TThItemUnitObjectList::LoadFromFile(const QString& path) {
    Clear();
    const SharedSave::FileStamp stamp = SharedSave::FileStamp::Of(path);
    // Until the file is read, this copy holds nothing of it: a save then adds to the file and
    // never takes what it could not read for deleted.
    sync_.Adopt(stamp, {});
    if (!QFileInfo::exists(path)) {
        return;
    }
    const TextFile::Lines file = TextFile::ReadLines(path);
    for (const QString& line : file.Readable) {
        Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{line}));
    }
    sync_.Adopt(stamp, Lines());
    file.ThrowIfBroken();
}

void TThItemUnitObjectList::CheckFile(const QString& path) {
    TThItemUnitObjectList().LoadFromFile(path);
}

QStringList TThItemUnitObjectList::Lines() const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) {
        lines << Items(i).UnitName;
    }
    return lines;
}

void TThItemUnitObjectList::SaveToFile(const QString& path,
                                       const SharedSave::ConflictChoice& choose) {
    const QStringList merged = sync_.Save(path, Lines(), format(), choose);
    if (merged != Lines()) {
        Clear();
        for (const QString& line : merged) {
            Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{line}));
        }
    }
}

bool TThItemUnitObjectList::ReloadIfChanged(const QString& path) {
    if (!sync_.ChangedOnDisk(path) || Lines() != sync_.Base()) {
        return false;
    }
    const std::unique_ptr<DataLock> reading = SharedSave::ReadLock(path);
    LoadFromFile(path);
    return true;
}
