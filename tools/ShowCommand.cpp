#include <QTextStream>

#include "Commands.h"
#include "DocumentJson.h"
#include "ModelError.h"
#include "TThConfigInfo.h"
#include "ToolDocument.h"

void RunShow(CommandLine& arguments, const ToolContext& context, QTextStream& out) {
    const QString usage = QStringLiteral(
        "dorvani4-tool show FILE [--tax-rate R] [--per-row] [--qualified] [--reduced-rate R]");
    const std::optional<QString> rate = arguments.takeValue(QStringLiteral("--tax-rate"));
    const bool perRow = arguments.takeFlag(QStringLiteral("--per-row"));
    const bool qualified = arguments.takeFlag(QStringLiteral("--qualified"));
    const std::optional<QString> reducedRate =
        arguments.takeValue(QStringLiteral("--reduced-rate"));
    const QString path = arguments.positional(1, usage).at(0);

    const auto parseRate = [](const QString& option, const QString& text) {
        try {
            return Currency::fromText(text);
        } catch (const EConvertError& error) {
            throw EUsageError(QStringLiteral("%1: %2").arg(option, error.message()));
        }
    };
    TThConfigInfo config(context.folders.ImgFolder());
    if (!rate) {
        config.LoadFromFile(context.folders.ConfPath());
    } else {
        config.TAX = parseRate(QStringLiteral("--tax-rate"), *rate);
    }
    config.QUALIFIED_INVOICE = config.QUALIFIED_INVOICE || qualified;
    if (reducedRate) {
        config.REDUCED_TAX = parseRate(QStringLiteral("--reduced-rate"), *reducedRate);
    }
    ToolDocument loaded;
    // Before reading too: a total invoice read as a qualified one keeps its per-rate total.
    loaded.document.TakeTaxSettings(config);
    LoadToolDocument(loaded, path);
    if (!loaded.document.LoadNotice.isEmpty()) {
        QTextStream(stderr) << loaded.document.LoadNotice << '\n';
    }
    loaded.document.TakeTaxSettings(config);
    loaded.document.CalcPerRow = perRow;
    try {
        loaded.document.CalcTotal();
    } catch (const EConvertError& error) {
        throw EConvertError(QStringLiteral("%1: %2").arg(path, error.message()));
    }
    out << DocumentToJson(loaded);
}
