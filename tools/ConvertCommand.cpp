#include "Clock.h"
#include "Commands.h"
#include "ToolDocument.h"

void RunConvert(CommandLine& arguments, const ToolContext& context, QTextStream&) {
    const QString usage =
        QStringLiteral("dorvani4-tool convert IN OUT [--saved \"yyyy/mm/dd hh:nn\"]");
    const std::optional<QString> saved = arguments.takeValue(QStringLiteral("--saved"));
    const QStringList paths = arguments.positional(2, usage);
    if (saved) {
        const QDateTime moment = QDateTime::fromString(*saved, QStringLiteral("yyyy/MM/dd HH:mm"));
        if (!moment.isValid()) {
            throw EUsageError(
                QStringLiteral("--saved: \"%1\" is not a time like \"2008/04/01 09:05\"")
                    .arg(*saved));
        }
        Clock::fix(moment);
    }
    ToolDocument loaded;
    LoadToolDocument(loaded, paths.at(0));
    SaveToolDocument(loaded, paths.at(1), context.folders);
}
