#include "TThItemUnitObjectList.h"

#include <QFileInfo>

#include "BrokenFile.h"
#include "TextFile.h"

const MasterSync::Format& TThItemUnitObjectList::Format() {
    // A unit is only its name: a renamed unit is one removed and one added.
    static const MasterSync::Format f{
        ReadFile,
        {[](const QString&) { return QString(); },
         [](const QString& line) { return QStringLiteral("単位「%1」").arg(line); },
         [](const QString& line) { return line; }},
        &TThItemUnitObjectList::CheckFile};
    return f;
}

void TThItemUnitObjectList::appendLines(const QStringList& lines, const QString&) {
    for (const QString& line : lines) {
        Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{line}));
    }
}

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
    appendLines(file.Readable, path);
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
