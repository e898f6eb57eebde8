#include "TThItemUnitObjectList.h"

#include <QFileInfo>

#include "TextFile.h"

void TThItemUnitObjectList::LoadFromFile(const QString& path) {
    Clear();
    if (!QFileInfo::exists(path)) {
        return;
    }
    for (const QString& line : TextFile::ReadLines(path)) {
        Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{line}));
    }
}

void TThItemUnitObjectList::SaveToFile(const QString& path) const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) {
        lines << Items(i).UnitName;
    }
    TextFile::WriteLines(path, lines);
}
