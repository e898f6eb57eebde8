#pragma once

#include <QString>

#include "Currency.h"
#include "DataFolders.h"
#include "DocumentFile.h"
#include "TThEstimateObjectList.h"

// A document as the tool handles it: the document itself and the header entries that the
// document object does not keep.
struct ToolDocument {
    // The rate a document gets when nothing else sets it.
    static inline const Currency DefaultTaxRate = Currency::fromUnits(5);

    ToolDocument() { document.TaxRate = DefaultTaxRate; }

    TThEstimateObjectList document;
    QString layout = DocumentFile::Mitsu4;
    QString saved;
    QString comment;
};

// Reads a ".MT4" document file or its ".json" form, chosen by the extension.
void LoadToolDocument(ToolDocument& loaded, const QString& path);
// Writes one of the two forms; a document file always gets the newest layout. A document of
// the data folder of folders is written under the data root's write lock, recorded as this
// copy's, and refused (EDocumentInUse) while a window has it open.
void SaveToolDocument(const ToolDocument& loaded, const QString& path, const DataFolders& folders);
