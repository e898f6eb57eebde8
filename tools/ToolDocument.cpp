#include "ToolDocument.h"

#include "CommandLine.h"
#include "DocumentJson.h"
#include "SaveFile.h"

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

void SaveToolDocument(const ToolDocument& loaded, const QString& path) {
    if (formOf(path) == Form::DocumentFile) {
        loaded.document.SaveToFile(path, loaded.comment);
        return;
    }
    SaveFileAtomically(path, DocumentToJson(loaded).toUtf8());
}
