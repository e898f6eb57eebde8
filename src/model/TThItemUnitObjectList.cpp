#include "TThItemUnitObjectList.h"

#include <QFileInfo>

#include "BrokenFile.h"
#include "TextFile.h"

void TThItemUnitObjectList::LoadFromFile(const QString& path) {
    Clear();
    if (!QFileInfo::exists(path)) {
        return;
    }
    const TextFile::Lines file = TextFile::ReadLines(path);
    for (const QString& line : file.Readable) {
        Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{line}));
    }
    file.ThrowIfBroken();
}

void TThItemUnitObjectList::CheckFile(const QString& path) {
    TThItemUnitObjectList().LoadFromFile(path);
}

void TThItemUnitObjectList::SaveToFile(const QString& path) const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) {
        lines << Items(i).UnitName;
    }
    GuardBeforeReplacing(path, CheckFile);
    TextFile::WriteLines(path, lines);
}
