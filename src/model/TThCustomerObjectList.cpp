#include "TThCustomerObjectList.h"

#include "CsvLine.h"

namespace {

constexpr int FieldCount = 9;

}  // namespace

const MasterSync::Format& TThCustomerObjectList::Format() {
    static const MasterSync::Format customers{
        ReadFile,
        {// The code where there is one, else the company name.
         [](const QString& line) {
             const QStringList f = CsvLine::Split(line);
             return f.value(0).isEmpty() ? f.value(1) : f.value(0);
         },
         [](const QString& line) {
             const QStringList f = CsvLine::Split(line);
             return f.value(0).isEmpty()
                        ? QStringLiteral("お客様「%1」").arg(f.value(1))
                        : QStringLiteral("お客様「%1」（コード %2）").arg(f.value(1), f.value(0));
         },
         CsvLine::Shown},
        &TThCustomerObjectList::CheckFile};
    return customers;
}

void TThCustomerObjectList::appendLines(const QStringList& lines, const QString& path) {
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QStringList f = CsvLine::Split(lines.at(n));
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
}

void TThCustomerObjectList::LoadFromFile(const QString& path) {
    load(path, false);
}

void TThCustomerObjectList::CheckFile(const QString& path) {
    TThCustomerObjectList().LoadFromFile(path);
}

QStringList TThCustomerObjectList::Lines() const {
    QStringList out;
    out.reserve(Count());
    for (int i = 0; i < Count(); ++i) {
        const TThCustomerObject* c = &Items(i);
        out << CsvLine::Join(
            {c->CusCode, c->Name1, c->Name2, c->Name3, c->Zip, c->Add1, c->Add2, c->Tel, c->Fax});
    }
    return out;
}

void TThCustomerObjectList::ExportToFile(const QString& path) const {
    TextFile::WriteLines(path, QStringList{ExportHeader} + Lines());
}
