#include "TThItemUnitObjectList.h"

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
    load(path, true);
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
