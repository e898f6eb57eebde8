// The postal-code lookups of the header window, on the data root's table.

#include "Commands.h"
#include "ModelError.h"
#include "ZipTable.h"

namespace {

void printMatches(const ZipTable::Result& result, QTextStream& out) {
    if (!result.Refusal.isEmpty()) {
        // No match is bad input for a batch: the program's own message, status 1.
        throw EModelError(result.Refusal);
    }
    for (const ZipTable::Entry& entry : result.Entries) {
        out << entry.Code << '\t' << entry.Address << '\n';
    }
}

QString tablePath(const ToolContext& context) {
    return context.folders.ZipFolder() + QLatin1String(ZipTable::FileName);
}

}  // namespace

void RunZip(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString code =
        arguments.positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] zip CODE")).at(0);
    printMatches(ZipTable::FindByCode(tablePath(context), code), out);
}

void RunAddress(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString text =
        arguments.positional(1, QStringLiteral("dorvani4-tool [--data-root DIR] address TEXT"))
            .at(0);
    printMatches(ZipTable::FindByAddress(tablePath(context), text), out);
}
