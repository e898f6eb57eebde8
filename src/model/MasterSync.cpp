#include "MasterSync.h"

#include "TextFile.h"

namespace {

class MasterJob : public SharedSave::Job {
  public:
    MasterJob(const QString& path, const QStringList& base, const QStringList& mine,
              const MasterSync::Format& format)
        : path_(path), base_(base), mine_(mine), format_(format) {}

    QList<MergeConflict> Merge(const MergeDecisions& decisions) override {
        bool complete = true;
        const ThreeWayMerge::Records merged = ThreeWayMerge::MergeRecords(
            base_, mine_, format_.Read(path_, &complete), format_.Kind, decisions);
        result_ = merged.Lines;
        return merged.Conflicts;
    }
    void Write() override {
        GuardBeforeReplacing(path_, format_.Check);
        TextFile::WriteLines(path_, result_);
        stamp_ = SharedSave::FileStamp::Of(path_);
    }
    QStringList Paths() const override { return {path_}; }

    const QStringList& Result() const { return result_; }
    // Taken under the lock, right after the write: nobody else wrote in between.
    const SharedSave::FileStamp& Stamp() const { return stamp_; }

  private:
    QString path_;
    const QStringList& base_;
    const QStringList& mine_;
    const MasterSync::Format& format_;
    QStringList result_;
    SharedSave::FileStamp stamp_;
};

}  // namespace

void MasterSync::Adopt(const SharedSave::FileStamp& stamp, const QStringList& lines) {
    base_ = lines;
    stamp_ = stamp;
}

QStringList MasterSync::Save(const QString& path, const QStringList& mine, const Format& format,
                             const SharedSave::ConflictChoice& choose) {
    if (mine == base_) {
        // Nothing of this copy's to write; what another copy wrote is taken in. A broken file
        // is still replaced by what reads of it, once it is kept aside (BrokenFile.h); the
        // read lock goes with this block, before that save takes the write lock.
        const std::unique_ptr<DataLock> reading = SharedSave::ReadLock(path);
        const SharedSave::FileStamp stamp = SharedSave::FileStamp::Of(path);
        bool complete = true;
        const QStringList theirs = format.Read(path, &complete);
        if (complete) {
            Adopt(stamp, theirs);
            return base_;
        }
    }
    MasterJob job(path, base_, mine, format);
    SharedSave::Run(SharedSave::RootOf(path), job, choose);
    Adopt(job.Stamp(), job.Result());
    return base_;
}

bool MasterSync::ChangedOnDisk(const QString& path) const {
    return SharedSave::FileStamp::Of(path) != stamp_;
}
