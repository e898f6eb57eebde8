#include "CustomerImport.h"

#include <QFile>
#include <algorithm>

#include "Cp932.h"
#include "CsvLine.h"
#include "CustomerField.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TThCustomerObjectList.h"

namespace {

constexpr unsigned char Bom[] = {0xEF, 0xBB, 0xBF};

struct Utf8Check {
    qsizetype InvalidAt = -1;  // offset of the first byte that breaks UTF-8
    bool HasMultiByte = false;
};

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
Utf8Check CheckUtf8(QByteArrayView bytes) {
    Utf8Check check;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            check.InvalidAt = i;
            return check;
        }
        for (int k = 1; k < length; ++k) {
            const qsizetype at = i + k;
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (at >= size || data[at] < min || data[at] > max) {
                check.InvalidAt = at < size ? at : i;
                return check;
            }
        }
        check.HasMultiByte = true;
        i += length;
    }
    return check;
}

bool isLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Blanks other than the half-width space: they separate fields as in the master files.
bool isSeparatingBlank(QChar c) {
    return c.unicode() >= 0x01 && c.unicode() < 0x20;
}

// Where the record starting at start ends (its line break, or the end of the text). A
// quoted field may run over line breaks; a quote that is never closed keeps its field to
// its own line, and from then on quoted fields are read line by line, so a stray quote
// costs one extra pass at most.
qsizetype RecordEnd(QStringView text, qsizetype start, bool& multiLineQuotes) {
    bool atFieldStart = true;
    qsizetype i = start;
    while (i < text.size()) {
        const QChar c = text[i];
        if (isLineBreak(c)) {
            return i;
        }
        if (c == u'"' && atFieldStart && multiLineQuotes) {
            qsizetype j = i + 1;
            bool closed = false;
            while (j < text.size()) {
                if (text[j] == u'"') {
                    if (j + 1 < text.size() && text[j + 1] == u'"') {
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                ++j;
            }
            if (!closed) {
                multiLineQuotes = false;
                continue;
            }
            i = j + 1;
            atFieldStart = false;
            continue;
        }
        atFieldStart = c == u',';
        ++i;
    }
    return i;
}

qsizetype LineBreaksIn(QStringView text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' ||
            (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))) {
            ++count;
        }
    }
    return count;
}

// "Customer.dat" keeps a customer on one line and ends an unquoted field at a control
// character, so a quoted field's line breaks and tabs become half-width spaces (which the
// writer quotes); a CR LF pair becomes one space.
void FlattenControls(QString& cell) {
    if (std::none_of(cell.cbegin(), cell.cend(), isSeparatingBlank)) {
        return;
    }
    cell.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : cell) {
        if (isSeparatingBlank(c)) {
            c = u' ';
        }
    }
}

QString describeCell(const CustomerImport::Row& row, int column) {
    return QStringLiteral("%1行目 %2列目").arg(row.Line).arg(column + 1);
}

}  // namespace

namespace CustomerImport {

QString DecodeText(QByteArrayView bytes) {
    const bool withBom =
        bytes.size() >= 3 && std::equal(Bom, Bom + 3, bytes.data(), [](unsigned char a, char b) {
            return a == static_cast<unsigned char>(b);
        });
    const QByteArrayView body = withBom ? bytes.sliced(3) : bytes;
    const Utf8Check check = CheckUtf8(body);
    if (withBom && check.InvalidAt >= 0) {
        throw ECp932Error(
            QStringLiteral("UTF-8 として読めないバイト 0x%1 があります (オフセット %2)。")
                .arg(static_cast<unsigned char>(body[check.InvalidAt]), 2, 16, QChar('0'))
                .arg(check.InvalidAt + 3));
    }
    if (withBom || (check.InvalidAt < 0 && check.HasMultiByte)) {
        return QString::fromUtf8(body.data(), body.size());
    }
    return Cp932::decode(bytes);
}

Table ParseText(const QString& text, const Progress& progress) {
    Table table;
    const QStringView all(text);
    bool multiLineQuotes = true;
    qsizetype line = 1;
    qsizetype start = 0;
    qsizetype reported = 0;
    while (start < all.size()) {
        const qsizetype end = RecordEnd(all, start, multiLineQuotes);
        QStringView record = all.mid(start, end - start);
        const qsizetype recordLine = line;
        line += LineBreaksIn(record) + 1;
        start = end;
        if (start < all.size()) {
            start +=
                all[start] == u'\r' && start + 1 < all.size() && all[start + 1] == u'\n' ? 2 : 1;
        }
        const bool wasEmpty = record.isEmpty();
        while (record.endsWith(u',')) {
            record.chop(1);
        }
        if (record.isEmpty() && !wasEmpty) {
            continue;
        }
        QStringList cells = CsvLine::SplitKeepingSpaces(record);
        for (QString& cell : cells) {
            FlattenControls(cell);
        }
        if (cells.size() > MaxColumns) {
            throw EFileFormatError(QStringLiteral("%1行目の列が多すぎます (%2列まで)。")
                                       .arg(recordLine)
                                       .arg(MaxColumns));
        }
        table.ColumnCount = std::max(table.ColumnCount, static_cast<int>(cells.size()));
        table.Rows.push_back({recordLine, std::move(cells)});
        if (progress && start - reported >= 256 * 1024) {
            reported = start;
            progress(start, all.size());
        }
    }
    return table;
}

Table ReadFile(const QString& path, const Progress& progress) {
    const QByteArray bytes = ReadWholeFile(path, MaxFileSize);
    try {
        if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
            throw EFileFormatError(
                QStringLiteral(
                    "CSVファイルではありません (オフセット %1 に NUL バイトがあります)。")
                    .arg(nul));
        }
        return ParseText(DecodeText(bytes), progress);
    } catch (const EModelError& error) {
        throw EFileFormatError(QStringLiteral("「%1」を読めません: %2").arg(path, error.message()));
    }
}

Mapping Preselection(int columnCount) {
    Mapping mapping;
    mapping.fill(NotTaken);
    for (const Choice& choice : Choices) {
        if (choice.Preselected < columnCount) {
            mapping[static_cast<size_t>(choice.Field)] = choice.Preselected;
        }
    }
    return mapping;
}

QString ColumnCaption(int column) {
    QString caption = QString::number(column + 1);
    for (QChar& c : caption) {
        c = QChar(c.unicode() - u'0' + u'０');
    }
    return caption;
}

std::vector<TThCustomerObject> Customers(const Table& table, const Mapping& mapping) {
    std::vector<TThCustomerObject> customers;
    customers.reserve(table.Rows.size());
    QStringList problems;
    for (const Row& row : table.Rows) {
        TThCustomerObject& customer = customers.emplace_back();
        for (size_t f = 0; f < CustomerFields.size(); ++f) {
            const int column = mapping[f];
            if (column == NotTaken || column >= row.Cells.size()) {
                continue;
            }
            const QString& cell = row.Cells.at(column);
            try {
                Cp932::encode(cell);
            } catch (const ECp932Error& error) {
                problems << describeCell(row, column) + QStringLiteral(": ") + error.message();
            }
            customer.*CustomerFields[f].Member = cell;
        }
    }
    if (!problems.isEmpty()) {
        constexpr qsizetype Shown = 10;
        QString message =
            QStringLiteral("お客様一覧に保存できない文字があるため、取り込みません。\n") +
            problems.mid(0, Shown).join(u'\n');
        if (problems.size() > Shown) {
            message += QStringLiteral("\nほか %1 件").arg(problems.size() - Shown);
        }
        throw ECp932Error(message);
    }
    return customers;
}

void AppendTo(TThCustomerObjectList& list, std::vector<TThCustomerObject> customers) {
    for (TThCustomerObject& customer : customers) {
        list.Add(std::make_unique<TThCustomerObject>(std::move(customer)));
    }
}

}  // namespace CustomerImport
