#include "TThItemObjectList.h"

#include <QFileInfo>

#include "CsvLine.h"
#include "MasterFile.h"
#include "ModelError.h"
#include "TextFile.h"

void TThItemObjectList::LoadFromFile(const QString& path) {
    Clear();
    if (!QFileInfo::exists(path)) {
        return;
    }
    const QStringList fileLines = TextFile::ReadLines(path);
    for (qsizetype n = 0; n < fileLines.size(); ++n) {
        const QStringList f = CsvLine::Split(fileLines.at(n));
        if (f.size() < 2) {
            RejectBrokenMasterLine(path, n + 1, QStringLiteral("品名と単位がありません"));
        }
        auto item = std::make_unique<TThItemObject>();
        item->ItemName = f[0];
        item->UnitName = f[1];
        if (f.size() > 2) {
            try {
                item->UnitPrice = Currency::fromText(f[2]);
            } catch (const EConvertError&) {
                item->UnitPrice = Currency();  // an unreadable price counts as 0
            }
        }
        Add(std::move(item));
    }
}

void TThItemObjectList::SaveToFile(const QString& path) const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) {
        const TThItemObject& item = Items(i);
        lines << CsvLine::Join({item.ItemName, item.UnitName, item.UnitPrice.toText()});
    }
    TextFile::WriteLines(path, lines);
}
