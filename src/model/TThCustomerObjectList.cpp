#include "TThCustomerObjectList.h"

#include "BrokenFile.h"
#include "CsvLine.h"
#include "TextFile.h"

namespace {

constexpr int FieldCount = 9;

}  // namespace

void TThCustomerObjectList::LoadFromFile(const QString& path) {
    const TextFile::Lines file = TextFile::ReadLines(path);
    for (qsizetype n = 0; n < file.Readable.size(); ++n) {
        const QStringList f = CsvLine::Split(file.Readable.at(n));
        if (f.size() < FieldCount) {
            throw EBrokenLineError(path, n + 1,
                                   QStringLiteral("項目が %1 個しかありません").arg(f.size()));
        }
        auto customer = std::make_unique<TThCustomerObject>();
        customer->CusCode = f[0];
        customer->Name1 = f[1];
        customer->Name2 = f[2];
        customer->Name3 = f[3];
        customer->Zip = f[4];
        customer->Add1 = f[5];
        customer->Add2 = f[6];
        customer->Tel = f[7];
        customer->Fax = f[8];
        Add(std::move(customer));
    }
    file.ThrowIfBroken();
}

void TThCustomerObjectList::CheckFile(const QString& path) {
    TThCustomerObjectList().LoadFromFile(path);
}

QStringList TThCustomerObjectList::lines() const {
    QStringList out;
    out.reserve(Count());
    for (int i = 0; i < Count(); ++i) {
        const TThCustomerObject* c = &Items(i);
        out << CsvLine::Join(
            {c->CusCode, c->Name1, c->Name2, c->Name3, c->Zip, c->Add1, c->Add2, c->Tel, c->Fax});
    }
    return out;
}

void TThCustomerObjectList::SaveToFile(const QString& path) const {
    GuardBeforeReplacing(path, CheckFile);
    TextFile::WriteLines(path, lines());
}

void TThCustomerObjectList::ExportToFile(const QString& path) const {
    TextFile::WriteLines(path, QStringList{ExportHeader} + lines());
}
