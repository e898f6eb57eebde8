#include "ToolDocument.h"

#include <QFile>
#include <QSaveFile>

#include "CommandLine.h"
#include "DocumentJson.h"
#include "ModelError.h"

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EFileError(QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString()));
    }
    if (file.size() > DocumentFile::MaxFileSize) {
        throw EFileFormatError(QStringLiteral("%1: the file is too large for a document").arg(path));
    }
    DocumentFromJson(loaded, file.readAll(), path);
}

void SaveToolDocument(const ToolDocument& loaded, const QString& path) {
    if (formOf(path) == Form::DocumentFile) {
        loaded.document.SaveToFile(path, loaded.comment);
        return;
    }
    QSaveFile file(path);
    const QByteArray json = DocumentToJson(loaded).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        throw EFileError(QStringLiteral("「%1」に保存できません: %2").arg(path, file.errorString()));
    }
}
