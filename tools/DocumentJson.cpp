#include "DocumentJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <variant>
#include <vector>

#include "JsonText.h"
#include "ModelError.h"
#include "ToolDocument.h"

namespace {

template <class Owner>
using Member =
    std::variant<QString Owner::*, bool Owner::*, Currency Owner::*, TRoundingMode Owner::*>;

template <class Owner>
struct Field {
    QString key;
    Member<Owner> member;
};

using Document = TThEstimateObjectList;
using Line = TThEstimateObject;

// One list of fields per object, in the order they are written.
const std::vector<Field<Document>> HeadFields = {{"TotalClaimMode", &Document::TotalClaimMode}};

const std::vector<Field<TThCustomerObject>> CustomerFields = {
    {"CusCode", &TThCustomerObject::CusCode},
    {"Name1", &TThCustomerObject::Name1},
    {"Name2", &TThCustomerObject::Name2},
    {"Name3", &TThCustomerObject::Name3},
    {"NameTitle", &TThCustomerObject::NameTitle},
    {"Zip", &TThCustomerObject::Zip},
    {"Add1", &TThCustomerObject::Add1},
    {"Add2", &TThCustomerObject::Add2},
    {"Tel", &TThCustomerObject::Tel},
    {"Fax", &TThCustomerObject::Fax},
};

const std::vector<Field<Document>> BodyFields = {
    {"Year", &Document::Year},
    {"Month", &Document::Month},
    {"Day", &Document::Day},
    {"SlipCode", &Document::SlipCode},
    {"Delivery", &Document::Delivery},
    {"PrintDelivery", &Document::PrintDelivery},
    {"Place", &Document::Place},
    {"PrintPlace", &Document::PrintPlace},
    {"Condition", &Document::Condition},
    {"PrintCondition", &Document::PrintCondition},
    {"Limit", &Document::Limit},
    {"PrintLimit", &Document::PrintLimit},
    {"Etc", &Document::Etc},
    {"Memo", &Document::Memo},
    {"TaxIn", &Document::TaxIn},
    {"TaxRounding", &Document::TaxRounding},
    {"SubTotalRounding", &Document::SubTotalRounding},
    {"CalcPerRow", &Document::CalcPerRow},
    {"TaxRate", &Document::TaxRate},
    {"SubTotal", &Document::SubTotal},
    {"Tax", &Document::Tax},
    {"Total", &Document::Total},
};

// Written only for a qualified invoice, so other documents read as they always did.
const std::vector<Field<Document>> QualifiedFields = {
    {"QualifiedInvoice", &Document::QualifiedInvoice},
    {"ReducedTaxRate", &Document::ReducedTaxRate},
};

const std::vector<Field<RateTotal>> RateFields = {
    {"Rate", &RateTotal::Rate},
    {"Reduced", &RateTotal::Reduced},
    {"Base", &RateTotal::Base},
    {"Tax", &RateTotal::Tax},
};

const std::vector<Field<TaxBreakdown>> BreakdownFields = {
    {"HasExempt", &TaxBreakdown::HasExempt}, {"Exempt", &TaxBreakdown::Exempt},
    {"SubTotal", &TaxBreakdown::SubTotal},   {"Tax", &TaxBreakdown::Tax},
    {"Total", &TaxBreakdown::Total},
};

// A line's mark, written only where it is set.
const std::vector<Field<Line>> LineMarkFields = {{"Reduced", &Line::Reduced}};

const std::vector<Field<Line>> LineFields = {
    {"ItemName", &Line::ItemName},     {"Num", &Line::Num},
    {"UnitName", &Line::UnitName},     {"UnitPrice", &Line::UnitPrice},
    {"TotalPrice", &Line::TotalPrice}, {"Etc", &Line::Etc},
    {"NoTax", &Line::NoTax},           {"SubTotalRow", &Line::SubTotalRow},
};

const std::pair<TRoundingMode, QString> RoundingNames[] = {
    {TRoundingMode::rmTruncate, "rmTruncate"},
    {TRoundingMode::rmRoundUp, "rmRoundUp"},
    {TRoundingMode::rmRoundOff, "rmRoundOff"},
};

QString roundingName(TRoundingMode mode) {
    for (const auto& [value, name] : RoundingNames) {
        if (value == mode) {
            return name;
        }
    }
    return {};
}

template <class Owner>
QStringList members(const Owner& owner, const std::vector<Field<Owner>>& fields) {
    QStringList out;
    for (const Field<Owner>& field : fields) {
        const QString text = std::visit(
            [&](auto pointer) {
                const auto& value = owner.*pointer;
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, TRoundingMode>) {
                    return JsonText::quote(roundingName(value));
                } else {
                    return JsonText::value(value);
                }
            },
            field.member);
        out << JsonText::member(field.key, text);
    }
    return out;
}

// Reading: every problem names the file and the path of the field in the JSON.
class JsonReader {
  public:
    explicit JsonReader(const QString& fileName) : fileName_(fileName) {}

    [[noreturn]] void fail(const QString& where, const QString& problem) const {
        throw EFileFormatError(QStringLiteral("%1: %2: %3").arg(fileName_, where, problem));
    }

    template <class Owner>
    void read(Owner& owner, const QJsonObject& object, const std::vector<Field<Owner>>& fields,
              const QString& where) const {
        for (const Field<Owner>& field : fields) {
            const auto found = object.constFind(field.key);
            if (found != object.constEnd()) {
                readValue(owner, field.member, *found, where + field.key);
            }
        }
    }

    void rejectUnknown(const QJsonObject& object, const QSet<QString>& known,
                       const QString& where) const {
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!known.contains(it.key())) {
                fail(where + it.key(), QStringLiteral("unknown field"));
            }
        }
    }

    QString text(const QJsonValue& value, const QString& where) const {
        if (!value.isString()) {
            fail(where, QStringLiteral("must be a string"));
        }
        return value.toString();
    }

    QJsonObject object(const QJsonValue& value, const QString& where) const {
        if (!value.isObject()) {
            fail(where, QStringLiteral("must be an object"));
        }
        return value.toObject();
    }

  private:
    template <class Owner>
    void readValue(Owner& owner, const Member<Owner>& member, const QJsonValue& value,
                   const QString& where) const {
        std::visit(
            [&](auto pointer) {
                auto& target = owner.*pointer;
                using T = std::decay_t<decltype(target)>;
                if constexpr (std::is_same_v<T, QString>) {
                    target = text(value, where);
                } else if constexpr (std::is_same_v<T, bool>) {
                    if (!value.isBool()) {
                        fail(where, QStringLiteral("must be true or false"));
                    }
                    target = value.toBool();
                } else if constexpr (std::is_same_v<T, Currency>) {
                    try {
                        target = Currency::fromText(text(value, where));
                    } catch (const EConvertError& error) {
                        fail(where, error.message());
                    }
                } else {
                    target = rounding(text(value, where), where);
                }
            },
            member);
    }

    TRoundingMode rounding(const QString& name, const QString& where) const {
        for (const auto& [value, known] : RoundingNames) {
            if (known == name) {
                return value;
            }
        }
        fail(where, QStringLiteral("must be rmTruncate, rmRoundUp or rmRoundOff"));
    }

    const QString& fileName_;
};

template <class Owner>
QSet<QString> keysOf(const std::vector<Field<Owner>>& fields) {
    QSet<QString> keys;
    for (const Field<Owner>& field : fields) {
        keys.insert(field.key);
    }
    return keys;
}

}  // namespace

QString DocumentToJson(const ToolDocument& loaded) {
    const Document& d = loaded.document;
    QStringList top;
    top << JsonText::member("layout", JsonText::quote(loaded.layout))
        << JsonText::member("saved", JsonText::quote(loaded.saved))
        << JsonText::member("comment", JsonText::quote(loaded.comment));
    top << members(d, HeadFields);
    top << JsonText::member("Customer",
                            JsonText::inlineObject(members(d.Customer, CustomerFields)));
    top << members(d, BodyFields);
    if (d.QualifiedInvoice) {
        top << members(d, QualifiedFields);
    }
    const TaxBreakdown& b = d.Breakdown;
    if (!b.Rates.empty() || b.HasExempt) {
        QStringList rates;
        for (const RateTotal& r : b.Rates) {
            rates << JsonText::inlineObject(members(r, RateFields));
        }
        QStringList breakdown{JsonText::member("Rates", JsonText::block(rates, 4, true))};
        breakdown << members(b, BreakdownFields);
        top << JsonText::member("TaxBreakdown", JsonText::block(breakdown, 2));
    }
    QStringList lines;
    for (int i = 0; i < d.Count(); ++i) {
        QStringList line = members(d.Items(i), LineFields);
        if (d.Items(i).Reduced) {
            line << members(d.Items(i), LineMarkFields);
        }
        lines << JsonText::inlineObject(line);
    }
    top << JsonText::member("lines", JsonText::block(lines, 2, true));
    return JsonText::block(top, 0) + u'\n';
}

void DocumentFromJson(ToolDocument& loaded, const QByteArray& json, const QString& fileName) {
    const JsonReader reader(fileName);
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        reader.fail(QStringLiteral("offset %1").arg(parseError.offset), parseError.errorString());
    }
    if (!parsed.isObject()) {
        reader.fail(QStringLiteral("top level"), QStringLiteral("must be an object"));
    }
    const QJsonObject top = parsed.object();
    QSet<QString> known = keysOf(HeadFields) + keysOf(BodyFields) + keysOf(QualifiedFields);
    known += {"layout", "saved", "comment", "Customer", "lines", "TaxBreakdown"};
    reader.rejectUnknown(top, known, QString());

    Document& d = loaded.document;
    if (top.contains("layout")) {
        loaded.layout = reader.text(top["layout"], "layout");
        if (loaded.layout != DocumentFile::Mitsu4 && loaded.layout != DocumentFile::Mitsu3 &&
            loaded.layout != DocumentFile::Mitsu2) {
            reader.fail("layout", QStringLiteral("must be MITSU4_100, MITSU3_100 or MITSU2_100"));
        }
    }
    if (top.contains("saved")) {
        loaded.saved = reader.text(top["saved"], "saved");
    }
    if (top.contains("comment")) {
        loaded.comment = reader.text(top["comment"], "comment");
    }
    reader.read(d, top, HeadFields, QString());
    if (top.contains("Customer")) {
        const QJsonObject customer = reader.object(top["Customer"], "Customer");
        reader.rejectUnknown(customer, keysOf(CustomerFields), "Customer.");
        reader.read(d.Customer, customer, CustomerFields, "Customer.");
    }
    reader.read(d, top, BodyFields, QString());
    reader.read(d, top, QualifiedFields, QString());
    if (top.contains("TaxBreakdown")) {
        const QJsonObject breakdown = reader.object(top["TaxBreakdown"], "TaxBreakdown");
        QSet<QString> breakdownKeys = keysOf(BreakdownFields);
        breakdownKeys += "Rates";
        reader.rejectUnknown(breakdown, breakdownKeys, "TaxBreakdown.");
        TaxBreakdown b;
        reader.read(b, breakdown, BreakdownFields, "TaxBreakdown.");
        if (breakdown.contains("Rates")) {
            if (!breakdown["Rates"].isArray()) {
                reader.fail("TaxBreakdown.Rates", QStringLiteral("must be an array"));
            }
            const QJsonArray rates = breakdown["Rates"].toArray();
            for (qsizetype i = 0; i < rates.size(); ++i) {
                const QString where = QStringLiteral("TaxBreakdown.Rates[%1].").arg(i);
                const QJsonObject object = reader.object(rates[i], where.chopped(1));
                reader.rejectUnknown(object, keysOf(RateFields), where);
                RateTotal r;
                reader.read(r, object, RateFields, where);
                b.Rates.push_back(r);
            }
        }
        // The sums follow from the rates; those written beside them are for the reader.
        try {
            SumBreakdown(b, d.TaxIn);
        } catch (const EConvertError& error) {
            reader.fail("TaxBreakdown", error.message());
        }
        d.Breakdown = std::move(b);
    }

    d.Clear();
    if (!top.contains("lines")) {
        d.PadLines(Document::DefaultLineCount);
        return;
    }
    if (!top["lines"].isArray()) {
        reader.fail("lines", QStringLiteral("must be an array"));
    }
    const QJsonArray lines = top["lines"].toArray();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString where = QStringLiteral("lines[%1].").arg(i);
        const QJsonObject object = reader.object(lines[i], where.chopped(1));
        reader.rejectUnknown(object, keysOf(LineFields) + keysOf(LineMarkFields), where);
        auto line = std::make_unique<Line>();
        reader.read(*line, object, LineFields, where);
        reader.read(*line, object, LineMarkFields, where);
        d.Add(std::move(line));
    }
}
