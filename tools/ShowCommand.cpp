#include "Commands.h"
#include "DocumentJson.h"
#include "ModelError.h"
#include "ToolDocument.h"

void RunShow(CommandLine& arguments, QTextStream& out) {
    const QString usage = QStringLiteral("dorvani4-tool show FILE [--tax-rate R] [--per-row]");
    const std::optional<QString> rate = arguments.takeValue(QStringLiteral("--tax-rate"));
    const bool perRow = arguments.takeFlag(QStringLiteral("--per-row"));
    const QString path = arguments.positional(1, usage).at(0);

    Currency taxRate = ToolDocument::DefaultTaxRate;
    if (rate) {
        try {
            taxRate = Currency::fromText(*rate);
        } catch (const EConvertError& error) {
            throw EUsageError(QStringLiteral("--tax-rate: %1").arg(error.message()));
        }
    }
    ToolDocument loaded;
    LoadToolDocument(loaded, path);
    loaded.document.TaxRate = taxRate;
    loaded.document.CalcPerRow = perRow;
    try {
        loaded.document.CalcTotal();
    } catch (const EConvertError& error) {
        throw EConvertError(QStringLiteral("%1: %2").arg(path, error.message()));
    }
    out << DocumentToJson(loaded);
}
