#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "CopyOwner.h"
#include "DataLock.h"
#include "SharedSave.h"

class TThEstimateObjectList;

// The document file a window has open: the presence marker it holds for it, or, when another
// copy had it open first, that copy, which makes it read-only here; and the file's stamp as
// this copy last read or wrote it, to tell whether another copy saved it since.
class OpenDocument {
  public:
    // A file the user picked in a list, stamped when the list showed it.
    struct Listed {
        QString Path;
        SharedSave::FileStamp Stamp;
    };
    // Asks the user a Yes/No question; true goes on.
    using Ask = std::function<bool(const QString& question)>;

    explicit OpenDocument(QString root);
    ~OpenDocument();
    OpenDocument(const OpenDocument&) = delete;
    OpenDocument& operator=(const OpenDocument&) = delete;

    const QString& Root() const { return root_; }
    // Empty for a new document and a total invoice being assembled.
    const QString& Path() const { return path_; }
    bool ReadOnly() const { return readOnly_; }
    // Who has it open while it is read-only (absent: a record that could not be read).
    const std::optional<CopyOwner>& Holder() const { return holder_; }

    // The document at path was just read; stamp is the file's from before the read. Its marker
    // is taken, or the document becomes read-only when another copy holds it; the marker of
    // the document open before goes.
    void Opened(const QString& path, const SharedSave::FileStamp& stamp);
    // No file is open any more: a new document, a total invoice, the end of the program.
    void Close();

    // What the user is told after opening a document called name read-only.
    QString ReadOnlyNotice(const QString& name) const;

    // Saves document with comment as the file at path, which the user calls name; afterwards
    // that file is the one open here, with its marker. An existing file is written only after
    // ask said yes to OverwriteQuestion; the write runs under the data root's write lock,
    // which also records this copy as its last writer, and asks again when the file changed
    // once more meanwhile. False when the user said no. Throws EDocumentInUse when another
    // copy has the file open, EModelError when it cannot be written.
    bool Save(const TThEstimateObjectList& document, const QString& name, const QString& path,
              const QString& comment, const std::optional<Listed>& listed, const Ask& ask);

    // The question before the file at path, called name and stamped seen now, is replaced by
    // document: plain, or naming who saved it since this copy read or listed it, and noting
    // when a total invoice would give way to a normal document.
    QString OverwriteQuestion(const TThEstimateObjectList& document, const QString& name,
                              const QString& path, const SharedSave::FileStamp& seen,
                              const std::optional<Listed>& listed) const;

  private:
    bool isOpen(const QString& path) const;

    QString root_;
    QString path_;
    SharedSave::FileStamp stamp_;
    std::unique_ptr<DataLock> marker_;
    bool readOnly_ = false;
    std::optional<CopyOwner> holder_;
};
