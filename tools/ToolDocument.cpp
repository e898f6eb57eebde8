#include "ToolDocument.h"

#include "CommandLine.h"
#include "DataLock.h"
#include "DocumentJson.h"
#include "DocumentPresence.h"
#include "SaveFile.h"
#include "SharedSave.h"

namespace {

enum class Form { Json, DocumentFile };

Form formOf(const QString& path) {
    if (path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
        return Form::Json;
    }
    if (path.endsWith(QLatin1String(".MT4"), Qt::CaseInsensitive)) {
        return Form::DocumentFile;
    }
    throw EUsageError(QStringLiteral("%1: the file name must end in .json or .MT4").arg(path));
}

}  // namespace

void LoadToolDocument(ToolDocument& loaded, const QString& path) {
    if (formOf(path) == Form::DocumentFile) {
        const DocumentFile::Header header = DocumentFile::ReadHeader(path);
        loaded.layout = header.Magic;
        loaded.saved = header.Saved;
        loaded.comment = header.Comment;
        loaded.document.LoadFromFile(path);
        return;
    }
    DocumentFromJson(loaded, ReadWholeFile(path, DocumentFile::MaxFileSize), path);
}

void SaveToolDocument(const ToolDocument& loaded, const QString& path, const DataFolders& folders) {
    if (formOf(path) == Form::DocumentFile) {
        const QString& root = folders.RootFolder();
        if (!DocumentPresence::InDataFolder(root, path)) {
            loaded.document.SaveToFile(path, loaded.comment);
            return;
        }
        // A window that has the document open would later save its own version over this one.
        std::optional<CopyOwner> holder;
        const std::unique_ptr<DataLock> marker = DocumentPresence::Claim(root, path, &holder);
        if (!marker) {
            throw EDocumentInUse(DocumentPresence::InUseText(path, holder));
        }
        const DataLock lock(root, DataLock::WriteName);
        loaded.document.SaveToFile(path, loaded.comment);
        SharedSave::RecordWrite(root, path);
        return;
    }
    SaveFileAtomically(path, DocumentToJson(loaded).toUtf8());
}
