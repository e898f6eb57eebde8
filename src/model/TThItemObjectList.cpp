#include "TThItemObjectList.h"

#include <QFileInfo>

#include "BrokenFile.h"
#include "CsvLine.h"
#include "ModelError.h"
#include "TextFile.h"

namespace {

const QString ReducedField = QStringLiteral("軽減");

}  // namespace

void TThItemObjectList::LoadFromFile(const QString& path) {
    Clear();
    if (!QFileInfo::exists(path)) {
        return;
    }
    const TextFile::Lines file = TextFile::ReadLines(path);
    for (qsizetype n = 0; n < file.Readable.size(); ++n) {
        const QStringList f = CsvLine::Split(file.Readable.at(n));
        if (f.size() < 2) {
            throw EBrokenLineError(path, n + 1, QStringLiteral("品名と単位がありません"));
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
        item->Reduced = f.size() > 3 && f[3] == ReducedField;
        Add(std::move(item));
    }
    file.ThrowIfBroken();
}

void TThItemObjectList::CheckFile(const QString& path) {
    TThItemObjectList().LoadFromFile(path);
}

void TThItemObjectList::SaveToFile(const QString& path) const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) {
        const TThItemObject& item = Items(i);
        QStringList fields{item.ItemName, item.UnitName, item.UnitPrice.toText()};
        if (item.Reduced) {
            fields << ReducedField;
        }
        lines << CsvLine::Join(fields);
    }
    GuardBeforeReplacing(path, CheckFile);
    TextFile::WriteLines(path, lines);
}
