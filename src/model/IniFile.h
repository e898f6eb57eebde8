#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// "conf.ini" and "print.ini": Shift-JIS text of [sections] and key=value lines. The file is
// read once; typed reads fall back to their default; writes change the lines in memory
// (replacing a value in place, or adding the key at the end of its section and the
// section at the end of the file) and Save writes the whole file atomically, so every
// other section, key, comment and line keeps its place.
class IniFile {
  public:
    // An absent file reads as empty; Save creates it.
    static IniFile Load(const QString& path);

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    double ReadFloat(const QString& section, const QString& key, double defaultValue) const;
    // The raw value text, absent when the key is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Shortest general form with "." whatever the locale: 5, 8, 2.5, 21.75.
    void WriteFloat(const QString& section, const QString& key, double value);

    void Save() const;
    const QString& path() const { return path_; }

    static QString FloatText(double value);

  private:
    struct Found {
        qsizetype sectionLine = -1;  // the [section] line, -1 when the section is missing
        qsizetype keyLine = -1;      // the key's line, -1 when the key is missing
        qsizetype insertAt = -1;     // where a new key of the section goes
    };
    Found find(const QString& section, const QString& key) const;

    QString path_;
    QStringList lines_;
};
