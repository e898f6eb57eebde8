#pragma once

#include <QByteArray>
#include <QString>

struct ToolDocument;

// The JSON form of a document: every field by its model name, every Currency as its exact
// decimal text, so nothing passes through floating point.
QString DocumentToJson(const ToolDocument& loaded);

// Fills loaded from JSON text; fields that are absent keep the values of a new document
// (with its 100 empty lines). Throws EFileFormatError naming the file and the field.
void DocumentFromJson(ToolDocument& loaded, const QByteArray& json, const QString& fileName);
