#include "OpenDocument.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "DocumentFile.h"
#include "DocumentPresence.h"
#include "TThEstimateObjectList.h"

namespace {

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString minutes(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

// A file that cannot be read as a document is not called a total invoice; the question
// stays the plain one.
bool isTotalClaim(const QString& path) {
    try {
        return DocumentFile::ReadHeader(path).TotalClaimMode;
    } catch (const EModelError&) {
        return false;
    }
}

}  // namespace

OpenDocument::OpenDocument(QString root) : root_(std::move(root)) {}

OpenDocument::~OpenDocument() = default;

bool OpenDocument::isOpen(const QString& path) const {
    return !path_.isEmpty() && absolute(path) == absolute(path_);
}

void OpenDocument::Opened(const QString& path, const SharedSave::FileStamp& stamp) {
    // Opening the document again keeps its marker.
    if (!isOpen(path) || !marker_) {
        std::optional<CopyOwner> holder;
        marker_ = DocumentPresence::Claim(root_, path, &holder);
        readOnly_ = marker_ == nullptr;
        holder_ = readOnly_ ? holder : std::nullopt;
    }
    path_ = path;
    stamp_ = stamp;
}

void OpenDocument::Close() {
    marker_.reset();
    path_.clear();
    stamp_ = {};
    readOnly_ = false;
    holder_.reset();
}

QString OpenDocument::ReadOnlyNotice(const QString& name) const {
    return QStringLiteral(
               "%1 は、%2が開いています。\r\n読み取り専用で開きます。"
               "上書き保存はできませんが、別の名前で保存できます。")
        .arg(name, DocumentPresence::Who(holder_));
}

QString OpenDocument::OverwriteQuestion(const TThEstimateObjectList& document, const QString& name,
                                        const QString& path, const SharedSave::FileStamp& seen,
                                        const std::optional<Listed>& listed) const {
    const bool changedSinceRead = isOpen(path) && stamp_.Exists && seen != stamp_;
    const bool changedSinceListed =
        listed && absolute(listed->Path) == absolute(path) && seen != listed->Stamp;
    QString text;
    if (changedSinceRead || changedSinceListed) {
        const QString since =
            changedSinceRead ? QStringLiteral("読み込んだ") : QStringLiteral("一覧に表示した");
        const std::optional<SharedSave::LastWrite> last = SharedSave::LastWriteOf(root_, path);
        // This copy's own record is older than the change: a program that keeps none made it.
        if (last && !last->Owner.SameCopy(CopyOwner::Current())) {
            text = QStringLiteral("%1 は、このコピーが%2後に %3が %4 に保存しています。")
                       .arg(name, since, last->Owner.Describe(), minutes(last->When));
        } else {
            const QDateTime modified = QDateTime::fromMSecsSinceEpoch(seen.ModifiedNs / 1000000);
            text = QStringLiteral("%1 は、このコピーが%2後に %3 に変更されています。")
                       .arg(name, since, minutes(modified));
        }
    } else {
        text = name + QStringLiteral(" は既に存在します。");
    }
    if (!document.TotalClaimMode && isTotalClaim(path)) {
        text += QStringLiteral(
            "\r\nこのファイルは合計請求データです。上書きすると通常のデータに置き換わります。");
    }
    return text + QStringLiteral("\r\n上書きしますか？");
}

bool OpenDocument::Save(const TThEstimateObjectList& document, const QString& name,
                        const QString& path, const QString& comment,
                        const std::optional<Listed>& listed, const Ask& ask) {
    const bool ours = isOpen(path) && marker_;
    std::unique_ptr<DataLock> marker;
    if (!ours) {
        std::optional<CopyOwner> holder;
        marker = DocumentPresence::Claim(root_, path, &holder);
        if (!marker) {
            if (isOpen(path)) {
                holder_ = holder;
            }
            throw EDocumentInUse(DocumentPresence::InUseText(name, holder) +
                                 QStringLiteral("\r\n別の名前で保存してください。"));
        }
    }
    for (;;) {
        const SharedSave::FileStamp seen = SharedSave::FileStamp::Of(path);
        // Asked without the write lock, which other copies wait for.
        if (seen.Exists && !ask(OverwriteQuestion(document, name, path, seen, listed))) {
            return false;
        }
        SharedSave::FileStamp written;
        {
            const DataLock lock(root_, DataLock::WriteName);
            if (SharedSave::FileStamp::Of(path) != seen) {
                continue;  // saved once more while the question was open
            }
            document.SaveToFile(path, comment);
            SharedSave::RecordWrite(root_, path);
            written = SharedSave::FileStamp::Of(path);
        }
        if (!ours) {
            marker_ = std::move(marker);
        }
        path_ = path;
        stamp_ = written;
        readOnly_ = false;
        holder_.reset();
        return true;
    }
}
