#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <functional>

#include "IniFile.h"
#include "SharedSave.h"

// What an owner of settings (the operating settings, the sender profiles, the options of a
// print window) keeps so that its saves merge with those of other copies: the INI file as
// this copy read it, with the owner's keys as the owner writes them, and its pictures as
// they were read. A save writes only the keys and pictures this copy changed into the files
// as they are now; the owner then reads the merged file, so it also holds what others changed.
class SettingsSync {
  public:
    // One picture of the owner: its file and how a conflict names it.
    struct Picture {
        QString Path;
        QString Subject;
    };
    // Writes the owner's keys, as it holds them now, into an INI file.
    using WriteKeys = std::function<void(IniFile&)>;

    SettingsSync() = default;
    // Until a load is adopted, the file counts as empty and every picture as absent.
    explicit SettingsSync(QList<Picture> pictures)
        : pictures_(std::move(pictures)), baseImages_(pictures_.size()) {}

    // The stamps of the INI file at path and of the pictures; taken before a load, so a
    // write during it shows as a change.
    QList<SharedSave::FileStamp> Stamps(const QString& path) const;
    // After a load of ini: keys writes the owner's keys as it now holds them; images are its
    // pictures in the order of the constructor, as loaded (null: absent or unreadable).
    void Adopt(const IniFile& ini, const WriteKeys& keys, const QList<QImage>& images,
               const QList<SharedSave::FileStamp>& stamps);

    // For owners without pictures: reads the file at path and notes its stamps for the Adopt
    // that follows with the keys read from it.
    IniFile Read(const QString& path);
    void Adopt(const IniFile& ini, const WriteKeys& keys);

    struct Saved {
        IniFile Ini;           // the file as it is now, for the owner to read its keys from
        QList<QImage> Images;  // each picture as it is now
        QList<SharedSave::FileStamp> Stamps;
    };
    // Merges under the data root's write lock and writes what this copy changed; nothing is
    // written when it changed nothing. The owner reads what Saved holds, then adopts it.
    Saved Save(const QString& path, const WriteKeys& keys, const QList<QImage>& images,
               const SharedSave::ConflictChoice& choose);

    // Runs load, under the data root's write lock, when another copy wrote the INI file or a
    // picture since this copy read or wrote them and the owner holds nothing unsaved (keys and
    // images as it holds them now); true when it did.
    bool ReloadIfChanged(const WriteKeys& keys, const QList<QImage>& images,
                         const std::function<void()>& load) const;

  private:
    QList<Picture> pictures_;
    IniFile base_;
    QList<QImage> baseImages_;
    // The INI file's, then each picture's, as this copy read or wrote them: a picture whose
    // stamp moved was written by another copy.
    QList<SharedSave::FileStamp> stamps_;
    QList<SharedSave::FileStamp> readStamps_;
};
