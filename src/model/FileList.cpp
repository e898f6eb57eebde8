#include "FileList.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <numeric>

#include "Cp932.h"
#include "DocumentFile.h"
#include "ModelError.h"
#include "SaveFile.h"
#include "TThEstimateObjectList.h"

namespace FileList {
namespace {

bool isAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// Text that cp932 cannot hold (only file names can carry it) sorts after everything, by
// code point, behind a byte no Shift-JIS character starts with.
QByteArray encodeForSort(const QString& text) {
    try {
        return Cp932::encode(text);
    } catch (const ECp932Error&) {
    }
    QByteArray bytes;
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        try {
            bytes += Cp932::encode(one);
        } catch (const ECp932Error&) {
            bytes += '\xFF';
            bytes += static_cast<char>(c >> 16);
            bytes += static_cast<char>(c >> 8);
            bytes += static_cast<char>(c);
        }
    }
    return bytes;
}

// The bytes compared: the second byte of a double-byte character may look like an ASCII
// letter, so only single-byte characters are folded.
QByteArray sortKey(const QString& text) {
    QByteArray key = encodeForSort(text);
    for (qsizetype i = 0; i < key.size(); ++i) {
        const auto b = static_cast<unsigned char>(key[i]);
        if (Cp932::IsLeadByte(b)) {
            ++i;
        } else if (isAsciiUpper(key[i])) {
            key[i] = static_cast<char>(key[i] + ('a' - 'A'));
        }
    }
    return key;
}

}  // namespace

QString Entry::Text(Column column) const {
    switch (column) {
        case ColumnMode:
            return TotalClaimMode ? TotalClaimMark : QString();
        case ColumnFileName:
            return FileName;
        case ColumnName1:
            return Name1;
        case ColumnComment:
            return Comment;
        case ColumnSaved:
        case ColumnCount:
            break;
    }
    return Saved;
}

bool HasExtension(const QString& fileName, const QString& extension) {
    if (fileName.size() < extension.size()) {
        return false;
    }
    const QStringView tail = QStringView(fileName).right(extension.size());
    for (qsizetype i = 0; i < tail.size(); ++i) {
        const char16_t c = tail[i].unicode();
        const char16_t upper = c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
        if (upper != extension[i].unicode()) {
            return false;
        }
    }
    return true;
}

QStringList FilesWithExtensions(const QString& folder, const QStringList& extensions,
                                bool withHidden) {
    QDir::Filters filters = QDir::Files | QDir::System;
    if (withHidden) {
        filters |= QDir::Hidden;
    }
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(filters, QDir::Name)) {
        if (std::any_of(extensions.begin(), extensions.end(),
                        [&](const QString& extension) { return HasExtension(name, extension); }) &&
            IsRegularFile(dir.filePath(name))) {
            paths << dir.filePath(name);
        }
    }
    return paths;
}

namespace {

Listing readFiles(const QString& folder, bool withHidden,
                  const std::function<bool(const Entry&)>& keep) {
    Listing listing;
    for (const QString& path : FilesWithExtensions(folder, {Extension}, withHidden)) {
        Entry entry;
        try {
            const DocumentFile::Header header = DocumentFile::ReadHeader(path);
            entry.Name1 = header.Name1;
            entry.Comment = header.Comment;
            entry.Saved = header.Saved;
            entry.TotalClaimMode = header.TotalClaimMode;
        } catch (const EModelError& error) {
            listing.Unreadable << error.message();
            continue;
        }
        entry.Path = path;
        const QString name = QFileInfo(path).fileName();
        entry.FileName = name.left(name.size() - Extension.size());
        if (keep(entry)) {
            listing.Entries.push_back(std::move(entry));
        }
    }
    return listing;
}

}  // namespace

Listing Read(const QString& folder) {
    return readFiles(folder, true, [](const Entry&) { return true; });
}

const std::vector<std::pair<Condition, QString>>& Conditions() {
    static const std::vector<std::pair<Condition, QString>> conditions = {
        {Condition::CompanyName, QStringLiteral("会社名")},
        {Condition::Comment, QStringLiteral("コメント")},
        {Condition::FileName, QStringLiteral("ファイル名")},
        {Condition::Mode, QStringLiteral("モード")},
        {Condition::SavedDate, QStringLiteral("保存日")},
    };
    return conditions;
}

// The texts come from Shift-JIS, where a search by characters never matches the second
// byte of one character and the first of the next; QString searches by characters too.
bool Matches(const Entry& entry, Condition condition, const QString& word) {
    const auto occursIn = [&](const QString& text) {
        return !word.isEmpty() && text.contains(word, Qt::CaseSensitive);
    };
    switch (condition) {
        case Condition::CompanyName:
            return occursIn(entry.Name1);
        case Condition::Comment:
            return occursIn(entry.Comment);
        case Condition::FileName:
            return occursIn(entry.FileName);
        case Condition::Mode:
            return entry.TotalClaimMode ? word == ModeTotalClaim : word == ModeNormal;
        case Condition::SavedDate:
            return occursIn(entry.Saved);
    }
    return false;
}

Listing ReadMatching(const QString& folder, Condition condition, const QString& word) {
    return readFiles(folder, false,
                     [&](const Entry& entry) { return Matches(entry, condition, word); });
}

int CompareTexts(const QString& a, const QString& b) {
    return sortKey(a).compare(sortKey(b));
}

void Sort(std::vector<Entry>& entries, Column column, bool ascending) {
    std::vector<QByteArray> keys;
    keys.reserve(entries.size());
    for (const Entry& entry : entries) {
        keys.push_back(sortKey(entry.Text(column)));
    }
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        const int c = keys[x].compare(keys[y]);
        return ascending ? c < 0 : c > 0;
    });
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const size_t i : order) {
        sorted.push_back(std::move(entries[i]));
    }
    entries = std::move(sorted);
}

QString SaveNameProblem(const QString& name) {
    // Blanks are what the trim of the name removes: spaces and everything below them.
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= u' '; })) {
        return QStringLiteral("ファイル名を入力してください。");
    }
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); })) {
        return QStringLiteral("ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。");
    }
    if (std::any_of(name.begin(), name.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; })) {
        return QStringLiteral("ファイル名に制御文字（改行やタブなど）を含めることは出来ません。");
    }
    return {};
}

QString DocumentPath(const QString& folder, const QString& name) {
    const QDir dir(folder);
    const QString standard = name + Extension;
    if (!QFileInfo::exists(dir.filePath(standard))) {
        // A file restored from another system may carry its extension in another case.
        for (const QString& found : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
            if (found.size() == standard.size() && HasExtension(found, Extension) &&
                found.startsWith(name)) {
                return dir.filePath(found);
            }
        }
    }
    return dir.filePath(standard);
}

void LoadDocument(TThEstimateObjectList& document, const QString& path) {
    const QByteArray bytes = ReadWholeFile(path, DocumentFile::MaxFileSize);
    {
        TThEstimateObjectList trial;
        DocumentFile::Decode(trial, bytes, path);
        if (trial.Count() > EditorLineLimit) {
            throw EFileFormatError(
                QStringLiteral("「%1」は%2行あり、編集できる%3行を超えているため開けません。")
                    .arg(path)
                    .arg(trial.Count())
                    .arg(EditorLineLimit));
        }
    }
    // The same bytes decode the same way a second time.
    DocumentFile::Decode(document, bytes, path);
}

}  // namespace FileList
