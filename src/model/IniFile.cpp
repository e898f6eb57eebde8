#include "IniFile.h"

#include <QFileInfo>
#include <charconv>
#include <limits>

#include "BrokenFile.h"
#include "TextFile.h"

namespace {

std::optional<QString> sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = t.indexOf(u']');
    if (close < 0) {
        return std::nullopt;
    }
    return t.mid(1, close - 1).trimmed();
}

// The key of a key=value line; comments and other lines have none.
std::optional<QString> keyName(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(u';') || t.startsWith(u'#')) {
        return std::nullopt;
    }
    const qsizetype equals = t.indexOf(u'=');
    if (equals < 0) {
        return std::nullopt;
    }
    return t.left(equals).trimmed();
}

QString keyId(const QString& foldedSection, const QString& key) {
    return foldedSection + u'\n' + key.toCaseFolded();
}

std::optional<long long> parseInteger(const QString& text) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negative = t.startsWith(u'-');
        t.remove(0, 1);
    }
    bool ok = false;
    long long value = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        value = t.mid(2).toLongLong(&ok, 16);
    } else if (!t.isEmpty() && t.at(0).isDigit()) {
        value = t.toLongLong(&ok, 10);
    }
    if (!ok) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

IniFile IniFile::Load(const QString& path) {
    IniFile ini;
    ini.path_ = path;
    if (QFileInfo::exists(path)) {
        TextFile::Lines lines = TextFile::ReadLines(path);
        ini.lines_ = std::move(lines.Readable);
        ini.broken_ = std::move(lines.Broken);
    }
    return ini;
}

void IniFile::CheckFile(const QString& path) {
    Load(path).ThrowIfBroken();
}

void IniFile::ThrowIfBroken() const {
    if (broken_) {
        throw *broken_;
    }
}

const IniFile::Index& IniFile::index() const {
    if (index_) {
        return *index_;
    }
    Index& built = index_.emplace();
    // Only the first block of a section counts; a later [section] line of the same name
    // ends it like any other.
    Found* block = nullptr;
    QString blockName;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString& line = lines_.at(i);
        if (const auto name = sectionName(line)) {
            blockName = name->toCaseFolded();
            block = nullptr;
            if (!built.sections.contains(blockName)) {
                block = &built.sections.insert(blockName, Found{i, -1, i + 1}).value();
            }
            continue;
        }
        if (block == nullptr) {
            continue;
        }
        if (!line.trimmed().isEmpty()) {
            block->insertAt = i + 1;
        }
        if (const auto name = keyName(line)) {
            const QString id = keyId(blockName, *name);
            if (!built.keys.contains(id)) {
                built.keys.insert(id, i);
            }
        }
    }
    return built;
}

IniFile::Found IniFile::find(const QString& section, const QString& key) const {
    const QString folded = section.toCaseFolded();
    Found found = index().sections.value(folded);
    found.keyLine = index().keys.value(keyId(folded, key), -1);
    return found;
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const {
    const Found found = find(section, key);
    if (found.keyLine < 0) {
        return std::nullopt;
    }
    const QString& line = lines_.at(found.keyLine);
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

QList<IniFile::Entry> IniFile::Entries() const {
    QList<Entry> entries;
    const Index& built = index();
    QString section;
    QString folded;
    bool firstBlock = false;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString& line = lines_.at(i);
        if (const auto name = sectionName(line)) {
            section = *name;
            folded = name->toCaseFolded();
            firstBlock = built.sections.value(folded).sectionLine == i;
            continue;
        }
        const auto key = firstBlock ? keyName(line) : std::nullopt;
        if (key && built.keys.value(keyId(folded, *key), -1) == i) {
            entries.append({section, *key, line.mid(line.indexOf(u'=') + 1).trimmed()});
        }
    }
    return entries;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    return Value(section, key).value_or(defaultValue);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    const auto value = Value(section, key);
    const auto number = value ? parseInteger(*value) : std::nullopt;
    return number ? *number != 0 : defaultValue;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const auto value = Value(section, key);
    const auto number = value ? parseInteger(*value) : std::nullopt;
    if (!number || *number > std::numeric_limits<int>::max() ||
        *number < std::numeric_limits<int>::min()) {
        return defaultValue;
    }
    return static_cast<int>(*number);
}

double IniFile::ReadFloat(const QString& section, const QString& key, double defaultValue) const {
    const auto value = Value(section, key);
    if (!value) {
        return defaultValue;
    }
    QByteArray text = value->toLatin1();
    if (text.startsWith('+')) {
        text.remove(0, 1);
    }
    double number = 0;
    const auto [end, error] =
        std::from_chars(text.constData(), text.constData() + text.size(), number);
    if (text.isEmpty() || error != std::errc() || end != text.constData() + text.size()) {
        return defaultValue;
    }
    return number;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const Found found = find(section, key);
    const QString line = key + u'=' + value;
    if (found.keyLine >= 0) {
        lines_[found.keyLine] = line;
    } else if (found.sectionLine >= 0) {
        lines_.insert(found.insertAt, line);
        index_.reset();
    } else {
        lines_ << u'[' + section + u']' << line;
        index_.reset();
    }
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, FloatText(value));
}

QString IniFile::FloatText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, error == std::errc() ? end - buffer : 0);
}

void IniFile::Save() const {
    GuardBeforeReplacing(path_, CheckFile);
    TextFile::WriteLines(path_, lines_);
}
