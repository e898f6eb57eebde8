#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

#include "ModelError.h"

// "conf.ini" and "print.ini": Shift-JIS text of [sections] and key=value lines. The file is
// read once; typed reads fall back to their default; writes change the lines in memory
// (replacing a value in place, or adding the key at the end of its section and the
// section at the end of the file) and Save writes the whole file atomically, so every
// other section, key, comment and line keeps its place.
class IniFile {
  public:
    // An absent file reads as empty; Save creates it. A file broken at a line holds the lines
    // before it (ThrowIfBroken tells); EFileError when the file cannot be read at all.
    static IniFile Load(const QString& path);
    // Throws when the file at path cannot be read to its end.
    static void CheckFile(const QString& path);
    // EBrokenLineError when the file was broken at a line.
    void ThrowIfBroken() const;

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    double ReadFloat(const QString& section, const QString& key, double defaultValue) const;
    // The raw value text, absent when the key is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    // Every key that the reads see (the first of its name in the first block of its
    // section), in file order, with its section and key as written.
    struct Entry {
        QString Section;
        QString Key;
        QString Value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    QList<Entry> Entries() const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Shortest general form with "." whatever the locale: 5, 8, 2.5, 21.75.
    void WriteFloat(const QString& section, const QString& key, double value);

    // A file on disk that does not load completely is copied aside first (BrokenFile.h), so
    // saving over the lines that were readable loses nothing.
    void Save() const;
    const QString& path() const { return path_; }

    static QString FloatText(double value);

  private:
    struct Found {
        qsizetype sectionLine = -1;  // the [section] line, -1 when the section is missing
        qsizetype keyLine = -1;      // the key's line, -1 when the key is missing
        qsizetype insertAt = -1;     // where a new key of the section goes
    };
    // Where every section's first block and its keys are, built by one walk over the lines
    // when first needed, so reading many keys of a long file stays linear. Writes that
    // move lines drop it.
    struct Index {
        QHash<QString, Found> sections;  // by case-folded name
        QHash<QString, qsizetype> keys;  // by case-folded "section\nkey"
    };
    Found find(const QString& section, const QString& key) const;
    const Index& index() const;

    QString path_;
    QStringList lines_;
    mutable std::optional<Index> index_;
    std::optional<EBrokenLineError> broken_;
};
