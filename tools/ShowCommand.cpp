#include "Commands.h"
#include "DocumentJson.h"
#include "ModelError.h"
#include "TThConfigInfo.h"
#include "ToolDocument.h"

void RunShow(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString usage = QStringLiteral("dorvani4-tool show FILE [--tax-rate R] [--per-row]");
    const std::optional<QString> rate = arguments.takeValue(QStringLiteral("--tax-rate"));
    const bool perRow = arguments.takeFlag(QStringLiteral("--per-row"));
    const QString path = arguments.positional(1, usage).at(0);

    Currency taxRate;
    if (!rate) {
        TThConfigInfo config(context.folders.ImgFolder());
        config.LoadFromFile(context.folders.ConfPath());
        taxRate = config.TAX;
    } else {
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
