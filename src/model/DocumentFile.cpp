#include "DocumentFile.h"

#include <unistd.h>

#include <QFile>
#include <memory>
#include <variant>

#include "Clock.h"
#include "DocumentEntryCodec.h"
#include "DocumentExtension.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TThEstimateObjectList.h"

namespace DocumentFile {
namespace {

using namespace Codec;
using Doc = TThEstimateObjectList;
using Cus = TThCustomerObject;
using Line = TThEstimateObject;

// Which layouts hold an entry.
enum LayoutMask : unsigned { In4 = 1, In3 = 2, In2 = 4, InAll = In4 | In3 | In2 };

unsigned maskOf(Layout layout) {
    return layout == Layout::Mitsu4 ? In4 : layout == Layout::Mitsu3 ? In3 : In2;
}

// Where an entry stands: the five the file lists read, the rest of the common block, and the
// entries of one mode.
enum class Part { Header, Common, Normal, TotalClaim };

enum class Kind { Magic, Saved, Mode, Comment, Text, Flag, Float, Rounding };

using Member = std::variant<std::monostate, QString Doc::*, QString Cus::*, bool Doc::*,
                            Currency Doc::*, TRoundingMode Doc::*>;

struct Entry {
    EntryName name;
    Kind kind;
    Part part;
    Member member = {};
    unsigned layouts = InAll;
};

// Every entry before the line count, in file order: the writer, the reader and the header
// reader all walk this one table.
const Entry Entries[] = {
    {{u"ファイル識別子"}, Kind::Magic, Part::Header},
    {{u"保存日時"}, Kind::Saved, Part::Header},
    {{u"作成モード"}, Kind::Mode, Part::Header},
    {{u"コメント"}, Kind::Comment, Part::Header},
    {{u"会社名１"}, Kind::Text, Part::Header, &Cus::Name1},
    {{u"会社名２"}, Kind::Text, Part::Common, &Cus::Name2, In4},
    {{u"会社名３"}, Kind::Text, Part::Common, &Cus::Name3, In4},
    {{u"税込み"}, Kind::Flag, Part::Common, &Doc::TaxIn},
    {{u"小計"}, Kind::Float, Part::Common, &Doc::SubTotal},
    {{u"消費税"}, Kind::Float, Part::Common, &Doc::Tax},
    {{u"お客様コード"}, Kind::Text, Part::Common, &Cus::CusCode},
    {{u"伝票番号"}, Kind::Text, Part::Common, &Doc::SlipCode},
    {{u"年"}, Kind::Text, Part::Common, &Doc::Year},
    {{u"月"}, Kind::Text, Part::Common, &Doc::Month},
    {{u"日"}, Kind::Text, Part::Common, &Doc::Day},
    {{u"郵便番号"}, Kind::Text, Part::Common, &Cus::Zip},
    {{u"住所１"}, Kind::Text, Part::Common, &Cus::Add1},
    {{u"住所２"}, Kind::Text, Part::Common, &Cus::Add2},
    {{u"電話番号"}, Kind::Text, Part::Common, &Cus::Tel},
    {{u"FAX番号"}, Kind::Text, Part::Common, &Cus::Fax},
    {{u"敬称"}, Kind::Text, Part::Common, &Cus::NameTitle},
    {{u"受渡期日"}, Kind::Text, Part::Normal, &Doc::Delivery},
    {{u"受渡期日の印刷"}, Kind::Flag, Part::Normal, &Doc::PrintDelivery},
    {{u"納入場所"}, Kind::Text, Part::Normal, &Doc::Place},
    {{u"納入場所の印刷"}, Kind::Flag, Part::Normal, &Doc::PrintPlace},
    {{u"支払条件"}, Kind::Text, Part::Normal, &Doc::Condition},
    {{u"支払条件の印刷"}, Kind::Flag, Part::Normal, &Doc::PrintCondition},
    {{u"有効期限"}, Kind::Text, Part::Normal, &Doc::Limit},
    {{u"有効期限の印刷"}, Kind::Flag, Part::Normal, &Doc::PrintLimit},
    {{u"備考"}, Kind::Text, Part::Normal, &Doc::Etc},
    {{u"メモ"}, Kind::Text, Part::Normal, &Doc::Memo},
    // TaxIn once more; a reader keeps this one.
    {{u"税込み"}, Kind::Flag, Part::Normal, &Doc::TaxIn},
    {{u"消費税の端数処理"}, Kind::Rounding, Part::Normal, &Doc::TaxRounding},
    {{u"小計の端数処理"}, Kind::Rounding, Part::Normal, &Doc::SubTotalRounding},
    {{u"備考"}, Kind::Text, Part::TotalClaim, &Doc::Etc},
    {{u"メモ"}, Kind::Text, Part::TotalClaim, &Doc::Memo},
};

const EntryName LineCountName{u"行数"};

using LineMember = std::variant<QString Line::*, Currency Line::*, bool Line::*>;

struct LineEntry {
    const char16_t* name;
    LineMember member;
    unsigned normal;      // layouts whose normal records hold it
    unsigned totalClaim;  // layouts whose total-invoice records hold it
    // Layouts whose total-invoice records have an unused string in its place.
    unsigned spareInTotalClaim = 0;
};

// The entries of one line record, in file order. In MITSU2_100 a flag is a string, true
// when it is "1".
const LineEntry LineEntries[] = {
    {u"品名", &Line::ItemName, InAll, InAll},    {u"数量", &Line::Num, InAll, 0},
    {u"単位", &Line::UnitName, InAll, 0},        {u"単価", &Line::UnitPrice, InAll, 0},
    {u"金額", &Line::TotalPrice, InAll, InAll},  {u"備考", &Line::Etc, InAll, In4 | In3, In2},
    {u"非課税", &Line::NoTax, InAll, In4 | In3}, {u"小計行", &Line::SubTotalRow, In4, In4},
};

bool inMode(Part part, bool totalClaimMode) {
    return part == Part::Normal       ? !totalClaimMode
           : part == Part::TotalClaim ? totalClaimMode
                                      : true;
}

unsigned lineMask(const LineEntry& e, bool totalClaimMode) {
    return totalClaimMode ? e.totalClaim | e.spareInTotalClaim : e.normal;
}

int entriesPerRecord(Layout layout, bool totalClaimMode) {
    int n = 0;
    for (const LineEntry& e : LineEntries) {
        n += (lineMask(e, totalClaimMode) & maskOf(layout)) != 0 ? 1 : 0;
    }
    return n;
}

QString magicText(Layout layout) {
    return layout == Layout::Mitsu4 ? Mitsu4 : layout == Layout::Mitsu3 ? Mitsu3 : Mitsu2;
}

// Reads the entries of the table into d, up to the line count; headerOnly stops after the
// five the file lists show. header, when given, receives the texts only it keeps.
Layout readEntries(EntryReader& r, Doc& d, Header* header, bool headerOnly) {
    Layout layout = Layout::Mitsu4;
    for (const Entry& e : Entries) {
        if (headerOnly && e.part != Part::Header) {
            break;
        }
        if ((e.layouts & maskOf(layout)) == 0 || !inMode(e.part, d.TotalClaimMode)) {
            continue;
        }
        switch (e.kind) {
            case Kind::Magic:
                layout = r.magic();
                break;
            case Kind::Saved:
            case Kind::Comment:
                // Only the file lists show them; a document reads past them undecoded.
                if (header != nullptr) {
                    (e.kind == Kind::Saved ? header->Saved : header->Comment) = r.string(e.name);
                } else {
                    r.bytes(e.name);
                }
                break;
            case Kind::Mode:
                d.TotalClaimMode =
                    layout == Layout::Mitsu2 ? r.bytes(e.name) == "2" : r.boolean(e.name);
                break;
            case Kind::Text:
                if (const auto* m = std::get_if<QString Cus::*>(&e.member)) {
                    d.Customer.** m = r.string(e.name);
                } else {
                    d.*std::get<QString Doc::*>(e.member) = r.string(e.name);
                }
                break;
            case Kind::Flag:
                d.*std::get<bool Doc::*>(e.member) = r.boolean(e.name);
                break;
            case Kind::Float:
                d.*std::get<Currency Doc::*>(e.member) = r.currency(e.name);
                break;
            case Kind::Rounding:
                d.*std::get<TRoundingMode Doc::*>(e.member) = r.rounding(e.name);
                break;
        }
    }
    return layout;
}

void readLine(EntryReader& r, Layout layout, bool totalClaimMode, int n, Line& line) {
    const unsigned mask = maskOf(layout);
    for (const LineEntry& e : LineEntries) {
        const EntryName name{e.name, n};
        if ((e.spareInTotalClaim & mask) != 0 && totalClaimMode) {
            r.bytes({u"予備", n});
            continue;
        }
        if ((lineMask(e, totalClaimMode) & mask) == 0) {
            continue;
        }
        std::visit(
            [&](auto member) {
                auto& field = line.*member;
                using T = std::decay_t<decltype(field)>;
                if constexpr (std::is_same_v<T, QString>) {
                    field = r.string(name);
                } else if constexpr (std::is_same_v<T, Currency>) {
                    field = r.currency(name);
                } else if (layout == Layout::Mitsu2) {
                    field = r.bytes(name) == "1";
                } else {
                    field = r.boolean(name);
                }
            },
            e.member);
    }
}

Header readHeader(ByteSource& source, const QString& fileName) {
    EntryReader reader(source, fileName);
    Header header;
    Doc scratch;
    header.Magic = magicText(readEntries(reader, scratch, &header, true));
    header.TotalClaimMode = scratch.TotalClaimMode;
    header.Name1 = scratch.Customer.Name1;
    return header;
}

}  // namespace

Header ReadHeader(QIODevice& device, const QString& fileName) {
    DeviceSource source(device);
    return readHeader(source, fileName);
}

Header ReadHeader(const QString& path) {
    QFile file;
    const int fd = OpenRegularFile(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw EFileError(QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString()));
    }
    return ReadHeader(file, path);
}

QByteArray Encode(const TThEstimateObjectList& d, const QString& comment,
                  const QDateTime& savedAt) {
    EntryWriter w(1024 + qsizetype{d.Count()} * 48);
    for (const Entry& e : Entries) {
        if ((e.layouts & In4) == 0 || !inMode(e.part, d.TotalClaimMode)) {
            continue;
        }
        switch (e.kind) {
            case Kind::Magic:
                w.raw("MITSU4_100");
                break;
            case Kind::Saved:
                w.raw(savedAt.toString(QStringLiteral("yyyy/MM/dd HH:mm")).toLatin1());
                break;
            case Kind::Mode:
                w.boolean(d.TotalClaimMode);
                break;
            case Kind::Comment:
                w.string(comment, e.name);
                break;
            case Kind::Text:
                if (const auto* m = std::get_if<QString Cus::*>(&e.member)) {
                    w.string(d.Customer.**m, e.name);
                } else {
                    w.string(d.*std::get<QString Doc::*>(e.member), e.name);
                }
                break;
            case Kind::Flag:
                w.boolean(d.*std::get<bool Doc::*>(e.member));
                break;
            case Kind::Float:
                w.floating(d.*std::get<Currency Doc::*>(e.member));
                break;
            case Kind::Rounding:
                w.rounding(d.*std::get<TRoundingMode Doc::*>(e.member));
                break;
        }
    }
    w.count(d.Count());
    for (int i = 0; i < d.Count(); ++i) {
        const Line& line = d.Items(i);
        for (const LineEntry& e : LineEntries) {
            if ((lineMask(e, d.TotalClaimMode) & In4) == 0) {
                continue;
            }
            std::visit(
                [&](auto member) {
                    const auto& field = line.*member;
                    using T = std::decay_t<decltype(field)>;
                    if constexpr (std::is_same_v<T, QString>) {
                        w.string(field, {e.name, i + 1});
                    } else if constexpr (std::is_same_v<T, Currency>) {
                        w.currency(field);
                    } else {
                        w.boolean(field);
                    }
                },
                e.member);
        }
    }
    QByteArray bytes = w.take();
    if (DocumentExtension::Needed(d)) {
        bytes.append(DocumentExtension::Encode(d));
    }
    return bytes;
}

void Decode(TThEstimateObjectList& d, QByteArrayView bytes, const QString& fileName) {
    // Fields an older layout does not store (Name2, Name3, the conditions of a total
    // invoice) must not keep the previous document's values; only the tax rate and basis,
    // which come from the settings and no layout stores, stay.
    TThEstimateObjectList fresh;
    fresh.TaxRate = d.TaxRate;
    fresh.CalcPerRow = d.CalcPerRow;
    fresh.QualifiedInvoice = d.QualifiedInvoice;
    fresh.ReducedTaxRate = d.ReducedTaxRate;
    d = std::move(fresh);
    MemorySource source(bytes);
    EntryReader r(source, fileName);
    const Layout layout = readEntries(r, d, nullptr, false);
    const int lines = layout == Layout::Mitsu2
                          ? TThEstimateObjectList::DefaultLineCount
                          : r.count(LineCountName, entriesPerRecord(layout, d.TotalClaimMode));
    for (int i = 0; i < lines; ++i) {
        auto line = std::make_unique<TThEstimateObject>();
        readLine(r, layout, d.TotalClaimMode, i + 1, *line);
        d.Add(std::move(line));
    }

    if (d.TotalClaimMode) {
        Int128 total = 0;
        for (int i = 0; i < d.Count(); ++i) {
            if (!d.Items(i).SubTotalRow) {
                total += d.Items(i).TotalPrice.raw();
            }
        }
        d.Total = Currency::fromWideRaw(total);
    }
    if (layout == Layout::Mitsu4 && DocumentExtension::StartsBlock(source.rest())) {
        try {
            DocumentExtension::Decode(d, source.rest());
        } catch (const EFileFormatError& error) {
            d.LoadNotice = DocumentExtension::UnreadableNotice(fileName, error.message());
        }
    }
    if (layout == Layout::Mitsu3) {
        d.PadLines(TThEstimateObjectList::DefaultLineCount);
    }
}

void Save(const TThEstimateObjectList& document, const QString& path, const QString& comment) {
    QByteArray bytes;
    try {
        bytes = Encode(document, comment, Clock::now());
    } catch (const ECp932Error& error) {
        throw EFileError(QStringLiteral("「%1」に保存できません: %2").arg(path, error.message()));
    }
    SaveFileAtomically(path, bytes);
}

void Load(TThEstimateObjectList& document, const QString& path) {
    Decode(document, ReadWholeFile(path, MaxFileSize), path);
}

}  // namespace DocumentFile
