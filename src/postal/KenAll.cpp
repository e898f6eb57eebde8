#include "KenAll.h"

#include <zip.h>

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <memory>

#include "Cp932.h"
#include "ModelError.h"
#include "SaveFile.h"

namespace KenAll {

namespace {

// Columns of a KEN_ALL row (0-based): the 7-digit code and the three names in kanji.
constexpr int CodeColumn = 2;
constexpr int PrefectureColumn = 6;
constexpr int CityColumn = 7;
constexpr int TownColumn = 8;
constexpr int MinColumns = TownColumn + 1;

// Columns of a JIGYOSYO row: the business's name, its address in four parts, its code.
constexpr int BusinessPrefectureColumn = 3;
constexpr int BusinessCityColumn = 4;
constexpr int BusinessTownColumn = 5;
constexpr int BusinessStreetColumn = 6;
constexpr int BusinessCodeColumn = 7;
constexpr int MinBusinessColumns = BusinessCodeColumn + 1;

const QString NotListed = QStringLiteral("以下に掲載がない場合");
const QString NumberFollows = QStringLiteral("の次に番地がくる場合");
const QString WholeArea = QStringLiteral("一円");

[[noreturn]] void broken(const QString& origin, const QString& problem) {
    throw EFileFormatError(
        QStringLiteral("「%1」は郵便番号データとして読めません: %2").arg(origin, problem));
}

// Fields of one row; quoted fields may hold commas and doubled quotes.
QList<QStringView> splitRow(QStringView row, QStringList& unquoted) {
    unquoted.clear();
    QList<QStringView> fields;
    qsizetype i = 0;
    const qsizetype size = row.size();
    while (true) {
        if (i < size && row[i] == u'"') {
            const qsizetype start = ++i;
            bool doubled = false;
            while (i < size && !(row[i] == u'"' && (i + 1 >= size || row[i + 1] != u'"'))) {
                if (row[i] == u'"') {
                    doubled = true;
                    ++i;
                }
                ++i;
            }
            QStringView field = row.sliced(start, i - start);
            if (doubled) {
                // Rare: the view must point at text that outlives the row, one string per
                // field, as several fields of a row may have doubled quotes.
                unquoted << field.toString().replace(QStringLiteral("\"\""), QStringLiteral("\""));
                field = unquoted.back();
            }
            fields << field;
            i = std::min(i + 1, size);
        } else {
            const qsizetype start = i;
            while (i < size && row[i] != u',') {
                ++i;
            }
            fields << row.sliced(start, i - start);
        }
        if (i >= size || row[i] != u',') {
            return fields;
        }
        ++i;
    }
}

bool isPostalCode(QStringView code) {
    return code.size() == 7 &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int parenthesisDepth(QStringView town) {
    int depth = 0;
    for (QChar c : town) {
        if (c == u'（') {
            ++depth;
        } else if (c == u'）' && depth > 0) {
            --depth;
        }
    }
    return depth;
}

// The town as the installed table writes it: notes in parentheses (floors, numbers, "その
// 他") dropped, and the placeholders that stand for "the whole city" empty.
QString townOf(const QString& joined) {
    QString town;
    town.reserve(joined.size());
    int depth = 0;
    for (QChar c : joined) {
        if (c == u'（') {
            ++depth;
        } else if (c == u'）' && depth > 0) {
            --depth;
        } else if (depth == 0) {
            town += c;
        }
    }
    if (town == NotListed || town.endsWith(NumberFollows) || town.endsWith(WholeArea)) {
        return {};
    }
    return town;
}

struct Line {
    QString Code;
    QString Address;
};

QString decodeCsv(QByteArrayView csv, const QString& origin) {
    // utf_ken_all.csv is UTF-8; Shift-JIS kanji are never valid UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(csv);
    if (!utf8.hasError()) {
        return text;
    }
    try {
        return Cp932::decode(csv);
    } catch (const ECp932Error& error) {
        broken(origin, error.message());
    }
}

}  // namespace

bool IsArchive(QByteArrayView bytes) {
    return bytes.startsWith("PK\x03\x04");
}

Csv FromArchive(QByteArrayView archive, const QString& origin) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    zip_t* opened = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (opened == nullptr) {
        const QString reason = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        if (source) {
            zip_source_free(source);
        }
        broken(origin, QStringLiteral("ZIP 形式ではありません（%1）").arg(reason));
    }
    zip_error_fini(&error);
    const std::unique_ptr<zip_t, decltype(&zip_discard)> zip(opened, zip_discard);

    zip_int64_t chosen = -1;
    int csvMembers = 0;
    zip_int64_t onlyCsv = -1;
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip.get(), 0); ++i) {
        const QString name =
            QFileInfo(QString::fromLocal8Bit(zip_get_name(zip.get(), i, 0))).fileName().toLower();
        if (name == u"ken_all.csv" || name == u"utf_ken_all.csv" || name == u"jigyosyo.csv") {
            chosen = i;
            break;
        }
        if (name.endsWith(u".csv")) {
            ++csvMembers;
            onlyCsv = i;
        }
    }
    if (chosen < 0 && csvMembers == 1) {
        chosen = onlyCsv;
    }
    if (chosen < 0) {
        broken(origin, QStringLiteral("KEN_ALL.CSV も JIGYOSYO.CSV も入っていません"));
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip.get(), chosen, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        broken(origin, QString::fromLocal8Bit(zip_strerror(zip.get())));
    }
    if (stat.size > static_cast<zip_uint64_t>(MaxCsvBytes)) {
        broken(origin, QStringLiteral("展開後のサイズが大きすぎます"));
    }
    zip_file_t* member = zip_fopen_index(zip.get(), chosen, 0);
    if (member == nullptr) {
        broken(origin, QString::fromLocal8Bit(zip_strerror(zip.get())));
    }
    Csv csv;
    csv.Bytes.resize(static_cast<qsizetype>(stat.size));
    const zip_int64_t read = zip_fread(member, csv.Bytes.data(), stat.size);
    const QString readError = QString::fromLocal8Bit(zip_file_strerror(member));
    zip_fclose(member);
    if (read != static_cast<zip_int64_t>(stat.size)) {
        broken(origin, QStringLiteral("展開できません（%1）").arg(readError));
    }
    if (stat.valid & ZIP_STAT_MTIME) {
        csv.Date = QDateTime::fromSecsSinceEpoch(stat.mtime).date();
    }
    return csv;
}

Csv FromFile(const QString& path) {
    const QByteArray bytes = ReadWholeFile(path, MaxCsvBytes);
    if (IsArchive(bytes)) {
        return FromArchive(bytes, path);
    }
    return {bytes, QFileInfo(path).lastModified().date()};
}

namespace {

// Each row of a CSV without its line end, counted from 1 for messages; empty rows skipped.
template <typename Visit>
void forEachRow(const QString& text, Visit visit) {
    qsizetype rowNumber = 0;
    for (QStringView row : QStringView(text).tokenize(u'\n')) {
        ++rowNumber;
        if (row.endsWith(u'\r')) {
            row.chop(1);
        }
        if (!row.isEmpty()) {
            visit(row, rowNumber);
        }
    }
}

void appendTowns(const Named& csv, QList<Line>& lines) {
    const QString text = decodeCsv(csv.Bytes, csv.Origin);
    const qsizetype before = lines.size();
    QString pendingCode;
    QString pendingPlace;  // prefecture and city of the pending row
    QString pendingTown;   // its town, joined over the rows a long name is split into
    bool pending = false;
    const auto flush = [&] {
        if (pending) {
            lines << Line{pendingCode, pendingPlace + townOf(pendingTown)};
            pending = false;
        }
    };
    QStringList unquoted;
    forEachRow(text, [&](QStringView row, qsizetype rowNumber) {
        const QList<QStringView> fields = splitRow(row, unquoted);
        if (fields.size() < MinColumns || !isPostalCode(fields[CodeColumn])) {
            broken(csv.Origin,
                   QStringLiteral("%1 行目が KEN_ALL の形式ではありません").arg(rowNumber));
        }
        // A town name too long for one row goes on in the next rows of the same code, its
        // parenthesis still open.
        if (pending && fields[CodeColumn] == pendingCode && parenthesisDepth(pendingTown) > 0) {
            pendingTown += fields[TownColumn].toString();
            return;
        }
        flush();
        pendingCode = fields[CodeColumn].toString();
        pendingPlace = fields[PrefectureColumn].toString() + fields[CityColumn].toString();
        pendingTown = fields[TownColumn].toString();
        pending = true;
    });
    flush();
    if (lines.size() == before) {
        broken(csv.Origin, QStringLiteral("郵便番号がひとつもありません"));
    }
}

// A business keeps its whole address, notes in parentheses included, as the installed
// table has it; the business's name is not part of it.
void appendBusinesses(const Named& csv, QList<Line>& lines) {
    const QString text = decodeCsv(csv.Bytes, csv.Origin);
    const qsizetype before = lines.size();
    QStringList unquoted;
    forEachRow(text, [&](QStringView row, qsizetype rowNumber) {
        const QList<QStringView> fields = splitRow(row, unquoted);
        if (fields.size() < MinBusinessColumns || !isPostalCode(fields[BusinessCodeColumn])) {
            broken(csv.Origin,
                   QStringLiteral("%1 行目が JIGYOSYO の形式ではありません").arg(rowNumber));
        }
        QString address;
        for (const int column : {BusinessPrefectureColumn, BusinessCityColumn, BusinessTownColumn,
                                 BusinessStreetColumn}) {
            address += fields[column];
        }
        lines << Line{fields[BusinessCodeColumn].toString(), address};
    });
    if (lines.size() == before) {
        broken(csv.Origin, QStringLiteral("郵便番号がひとつもありません"));
    }
}

}  // namespace

Kind KindOf(const Named& csv) {
    const qsizetype end = csv.Bytes.indexOf('\n');
    QString row = decodeCsv(end < 0 ? csv.Bytes : csv.Bytes.first(end), csv.Origin);
    if (row.endsWith(u'\r')) {
        row.chop(1);
    }
    QStringList unquoted;
    const QList<QStringView> fields = splitRow(row, unquoted);
    if (fields.size() >= MinColumns && isPostalCode(fields[CodeColumn])) {
        return Kind::Towns;
    }
    if (fields.size() >= MinBusinessColumns && isPostalCode(fields[BusinessCodeColumn])) {
        return Kind::Businesses;
    }
    broken(csv.Origin,
           QStringLiteral("1 行目が KEN_ALL.CSV の形式でも JIGYOSYO.CSV の形式でもありません"));
}

QByteArray ToZipTable(const Named& towns, const Named& businesses) {
    QList<Line> lines;
    lines.reserve((towns.Bytes.size() + businesses.Bytes.size()) / 100);
    appendTowns(towns, lines);
    appendBusinesses(businesses, lines);

    // By code, as the installed table; a code that covers several towns keeps their order.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.Code < b.Code; });
    QString table;
    table.reserve(lines.size() * 24);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        // Towns that differ only in their notes are one line, as they are one address.
        bool seen = false;
        for (qsizetype j = i - 1; j >= 0 && lines[j].Code == line.Code; --j) {
            if (lines[j].Address == line.Address) {
                seen = true;
                break;
            }
        }
        if (!seen) {
            table += line.Code + u',' + line.Address + QStringLiteral("\r\n");
        }
    }
    try {
        return Cp932::encode(table);
    } catch (const ECp932Error& error) {
        broken(towns.Origin + QStringLiteral("、") + businesses.Origin, error.message());
    }
}

QByteArray VersionKey(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd")).toLatin1();
}

QByteArray VersionFile(const QDate& date) {
    const QByteArray key = VersionKey(date);
    return key + "\r\n" + key + ' ' + Cp932::encode(QStringLiteral("日本郵便公開データ")) + "\r\n";
}

}  // namespace KenAll
