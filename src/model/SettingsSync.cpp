#include "SettingsSync.h"

#include <QFileInfo>

#include "PictureFile.h"
#include "SaveFile.h"

namespace {

// The bytes of a picture file; empty when it is absent or unreadable.
QByteArray fileBytes(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return {};
    }
    try {
        return ReadWholeFile(path, PictureFile::MaxSize);
    } catch (const EFileError&) {
        return {};
    }
}

// Whether a save must write although the owner changed nothing: the file does not read to its
// end (it is then replaced by what reads, once kept aside), or it lacks a key the owner holds
// (saves always wrote every key).
bool needsWrite(const QString& path, const IniFile& mine) {
    try {
        const IniFile now = IniFile::Load(path);
        now.ThrowIfBroken();
        for (const IniFile::Entry& entry : mine.Entries()) {
            if (!now.Value(entry.Section, entry.Key)) {
                return true;
            }
        }
        return false;
    } catch (const EModelError&) {
        return true;
    }
}

QString pictureText(const QByteArray& bytes, const QString& present) {
    return bytes.isEmpty() ? MergeConflict::Deleted : present;
}

QList<SharedSave::FileStamp> stampsOf(const QString& path,
                                      const QList<SettingsSync::Picture>& pictures) {
    QList<SharedSave::FileStamp> stamps{SharedSave::FileStamp::Of(path)};
    for (const SettingsSync::Picture& picture : pictures) {
        stamps << SharedSave::FileStamp::Of(picture.Path);
    }
    return stamps;
}

class SettingsJob : public SharedSave::Job {
  public:
    SettingsJob(const QString& path, const IniFile& base, const IniFile& mine,
                const QList<SettingsSync::Picture>& pictures, const QList<QImage>& baseImages,
                const QList<SharedSave::FileStamp>& baseStamps, const QList<QImage>& images)
        : path_(path),
          base_(base),
          mine_(mine),
          pictures_(pictures),
          baseImages_(baseImages),
          baseStamps_(baseStamps),
          images_(images) {}

    QList<MergeConflict> Merge(const MergeDecisions& decisions) override {
        theirs_ = IniFile::Load(path_);
        QList<MergeConflict> conflicts = ThreeWayMerge::MergeKeys(base_, mine_, theirs_, decisions);
        stored_.clear();
        for (qsizetype i = 0; i < pictures_.size(); ++i) {
            if (images_.at(i) == baseImages_.at(i)) {
                continue;
            }
            // Only a picture another copy wrote since is read: a conflict unless it is the same.
            const bool theirsChanged =
                SharedSave::FileStamp::Of(pictures_.at(i).Path) != baseStamps_.value(i + 1);
            const QByteArray now = theirsChanged ? fileBytes(pictures_.at(i).Path) : QByteArray();
            const QByteArray wanted =
                images_.at(i).isNull() ? QByteArray() : PictureFile::Encode(images_.at(i));
            if (theirsChanged && now != wanted) {
                const MergeConflict conflict{pictures_.at(i).Subject,
                                             pictureText(wanted, QStringLiteral("新しい画像")),
                                             pictureText(now, QStringLiteral("別の画像"))};
                const std::optional<bool> decided = decisions.KeepMine(conflict);
                if (!decided) {
                    conflicts.append(conflict);
                }
                if (!decided.value_or(false)) {
                    continue;
                }
            }
            stored_.append(i);
        }
        return conflicts;
    }
    void Write() override {
        theirs_.Save();
        for (const qsizetype i : stored_) {
            PictureFile::Store(pictures_.at(i).Path, images_.at(i));
        }
        // Under the lock: nobody else wrote since.
        stamps_ = stampsOf(path_, pictures_);
    }
    QStringList Paths() const override {
        QStringList paths{path_};
        for (const qsizetype i : stored_) {
            paths << pictures_.at(i).Path;
        }
        return paths;
    }

    const IniFile& Written() const { return theirs_; }
    const QList<SharedSave::FileStamp>& WrittenStamps() const { return stamps_; }
    bool Stored(qsizetype picture) const { return stored_.contains(picture); }

  private:
    QString path_;
    const IniFile& base_;
    const IniFile& mine_;
    const QList<SettingsSync::Picture>& pictures_;
    const QList<QImage>& baseImages_;
    const QList<SharedSave::FileStamp>& baseStamps_;  // the INI file's first
    const QList<QImage>& images_;
    IniFile theirs_;
    QList<qsizetype> stored_;
    QList<SharedSave::FileStamp> stamps_;
};

}  // namespace

QList<SharedSave::FileStamp> SettingsSync::Stamps(const QString& path) const {
    return stampsOf(path, pictures_);
}

void SettingsSync::Adopt(const IniFile& ini, const WriteKeys& keys, const QList<QImage>& images,
                         const QList<SharedSave::FileStamp>& stamps) {
    base_ = ini;
    keys(base_);
    baseImages_ = images;
    stamps_ = stamps;
}

IniFile SettingsSync::Read(const QString& path) {
    readStamps_ = Stamps(path);
    return IniFile::Load(path);
}

void SettingsSync::Adopt(const IniFile& ini, const WriteKeys& keys) {
    Adopt(ini, keys, {}, readStamps_);
}

SettingsSync::Saved SettingsSync::Save(const QString& path, const WriteKeys& keys,
                                       const QList<QImage>& images,
                                       const SharedSave::ConflictChoice& choose) {
    IniFile mine = base_;
    keys(mine);
    SettingsJob job(path, base_, mine, pictures_, baseImages_, stamps_, images);
    const bool changed =
        mine.Entries() != base_.Entries() || images != baseImages_ || needsWrite(path, mine);
    Saved saved;
    if (changed) {
        SharedSave::Run(SharedSave::RootOf(path), job, choose);
        saved.Ini = job.Written();
        saved.Stamps = job.WrittenStamps();
    } else {
        saved.Stamps = Stamps(path);
        saved.Ini = IniFile::Load(path);
    }
    for (qsizetype i = 0; i < pictures_.size(); ++i) {
        if (job.Stored(i)) {
            saved.Images << images.at(i);
            continue;
        }
        try {
            saved.Images << PictureFile::Load(pictures_.at(i).Path);
        } catch (const EFileError&) {
            saved.Images << baseImages_.value(i);
        }
    }
    return saved;
}

bool SettingsSync::ReloadIfChanged(const WriteKeys& keys, const QList<QImage>& images,
                                   const std::function<void()>& load) const {
    if (Stamps(base_.path()) == stamps_ || images != baseImages_) {
        return false;
    }
    IniFile mine = base_;
    keys(mine);
    if (mine.Entries() != base_.Entries()) {
        return false;  // unsaved here: merged at the next save instead
    }
    const std::unique_ptr<DataLock> reading = SharedSave::ReadLock(base_.path());
    load();
    return true;
}
