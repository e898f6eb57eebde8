#include "TThItemObjectList.h"

#include "CsvLine.h"
#include "ModelError.h"

namespace {

const QString ReducedField = QStringLiteral("軽減");

}  // namespace

const MasterSync::Format& TThItemObjectList::Format() {
    static const MasterSync::Format f{
        ReadFile,
        {[](const QString& line) { return CsvLine::Split(line).value(0); },
         [](const QString& line) {
             return QStringLiteral("品名「%1」").arg(CsvLine::Split(line).value(0));
         },
         CsvLine::Shown},
        &TThItemObjectList::CheckFile};
    return f;
}

void TThItemObjectList::appendLines(const QStringList& lines, const QString& path) {
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QStringList f = CsvLine::Split(lines.at(n));
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
}

void TThItemObjectList::LoadFromFile(const QString& path) {
    load(path, true);
}

void TThItemObjectList::CheckFile(const QString& path) {
    TThItemObjectList().LoadFromFile(path);
}

QStringList TThItemObjectList::Lines() const {
    QStringList lines;
    for (int i = 0; i < Count(); ++i) {
        const TThItemObject& item = Items(i);
        QStringList fields{item.ItemName, item.UnitName, item.UnitPrice.toText()};
        if (item.Reduced) {
            fields << ReducedField;
        }
        lines << CsvLine::Join(fields);
    }
    return lines;
}
