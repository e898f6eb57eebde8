#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <new>

#include "Commands.h"
#include "CopyOwner.h"
#include "DataLock.h"
#include "ModelError.h"
#include "ZipTableInstall.h"

// dorvani4-tool: batch work and inspection on the same core as the desktop program.
// Exit status: 0 done, 1 bad input (the message names the file), 2 wrong call.

namespace {

const ToolCommand Commands[] = {
    {"show", "show FILE [--tax-rate R] [--per-row] [--qualified] [--reduced-rate R]",
     "recompute a document's totals and print it as JSON", RunShow},
    {"convert", "convert IN OUT [--saved \"yyyy/mm/dd hh:nn\"]",
     "convert between a document file (.MT4) and JSON (.json)", RunConvert},
    {"config", "config", "print the settings and the three sender profiles as JSON", RunConfig},
    {"masters", "masters", "print the customers, items and units as JSON", RunMasters},
    {"export-customers", "export-customers OUT.csv",
     "write the customer list as CSV with its header line", RunExportCustomers},
    {"import-customers", "import-customers FILE.csv [--map FIELD=COLUMN,...] [--dry-run]",
     "append one customer per line of a CSV file (Shift-JIS or UTF-8) as the import window "
     "does; FIELD is お客様コード, 会社名１, 会社名２, 会社名３, 郵便番号, 住所１, 住所２, TEL or "
     "FAX, COLUMN counts from 1; without --map the window's first choices; --dry-run prints "
     "the customers and writes nothing",
     RunImportCustomers},
    {"zip", "zip CODE", "list the addresses of a postal code (\"100\" lists every 100-xxxx)",
     RunZip},
    {"address", "address TEXT", "list the postal codes whose address holds TEXT", RunAddress},
    {"postal-update",
     "postal-update [--check] [--source japanpost|server|FILE|FOLDER ...] [--url URL] "
     "[--jigyosyo-url URL] [--proxy HOST:PORT]",
     "check for new postal-code data and install it (from conf.ini's [ZIPUPDATE] source, "
     "--url and --jigyosyo-url standing in for its addresses; or from Japan Post's two files "
     "downloaded elsewhere: --source ken_all.zip --source jigyosyo.zip, KEN_ALL.CSV and "
     "JIGYOSYO.CSV alike, in any order, or --source FOLDER holding both); progress on stderr",
     RunPostalUpdate},
    {"postal-build",
     "postal-build ken_all.zip|KEN_ALL.CSV jigyosyo.zip|JIGYOSYO.CSV OUTDIR, or FOLDER OUTDIR",
     "convert Japan Post's two files (given, or in FOLDER) into zip.dat and version.txt for "
     "an update server",
     RunPostalBuild},
    {"pdf", PdfUsage(), PdfSummary(), RunPdf},
};

QString helpText() {
    QString text = QStringLiteral(
                       "usage: dorvani4-tool [--data-root DIR] COMMAND ...\n\n"
                       "--data-root DIR  the data folder to use instead of the window's "
                       "choice, now %1\n"
                       "--version        print the version and stop\n\ncommands:\n")
                       .arg(DataFolders::ChosenRoot());
    for (const ToolCommand& command : Commands) {
        text += QStringLiteral("  %1\n      %2\n").arg(command.usage, command.summary);
    }
    return text;
}

int fail(int status, const QString& message) {
    QTextStream(stderr) << "dorvani4-tool: " << message << '\n';
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CopyOwner::SetProgram(QStringLiteral("dorvani4-tool"));
    DataLock::SetTakeOverNotice([](const std::optional<CopyOwner>& previous) {
        QTextStream(stderr) << "dorvani4-tool: " << DataLock::TakeOverText(previous) << '\n';
    });
    QStringList arguments = app.arguments().mid(1);
    std::optional<QString> dataRoot;
    try {
        CommandLine global(arguments);
        dataRoot = global.takeValue(QStringLiteral("--data-root"));
        arguments = global.rest();
    } catch (const EUsageError& error) {
        return fail(2, error.message());
    }
    if (arguments.isEmpty()) {
        return fail(2, helpText());
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        QTextStream(stdout) << helpText();
        return 0;
    }
    if (name == QLatin1String("--version")) {
        QTextStream(stdout) << "dorvani4-tool " DORVANI4_VERSION "\n";
        return 0;
    }
    for (const ToolCommand& command : Commands) {
        if (command.name != name) {
            continue;
        }
        // Without --data-root the tool works where this user's window does.
        if (!dataRoot) {
            if (const QString problem = DataFolders::ChosenRootProblem(); !problem.isEmpty()) {
                return fail(1, problem);
            }
        }
        const ToolContext context{DataFolders(dataRoot.value_or(DataFolders::ChosenRoot()))};
        try {
            // A postal swap cut off in any copy is completed or undone before anything reads
            // the table; the command still runs when that fails.
            ZipTable::SettleAtStart(context.folders);
        } catch (const EModelError& error) {
            fail(1, error.message());
        }
        try {
            CommandLine line(arguments);
            QTextStream out(stdout);
            command.run(line, context, out);
            out.flush();
            return 0;
        } catch (const EUsageError& error) {
            return fail(2, error.message());
        } catch (const EModelError& error) {
            return fail(1, error.message());
        } catch (const std::bad_alloc&) {
            return fail(1, OutOfMemoryText);
        }
    }
    return fail(2, QStringLiteral("unknown command \"%1\"\n%2").arg(name, helpText()));
}
