#pragma once

#include <QString>
#include <QTextStream>

#include "CommandLine.h"
#include "DataFolders.h"
#include "TThCustomerObjectList.h"

// What every command may use besides its own arguments.
struct ToolContext {
    DataFolders folders;
};

// The data root's customer master; empty when there is none yet.
TThCustomerObjectList LoadCustomers(const DataFolders& folders);

// One subcommand of dorvani4-tool. run() writes its result to out and returns normally,
// or throws: EUsageError for a wrong call, EModelError for bad input.
struct ToolCommand {
    QString name;
    QString usage;
    QString summary;
    void (*run)(CommandLine& arguments, const ToolContext& context, QTextStream& out);
};

void RunShow(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunConvert(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunConfig(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunMasters(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunExportCustomers(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunImportCustomers(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunZip(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunAddress(CommandLine& arguments, const ToolContext& context, QTextStream& out);
// The pdf command's usage and summary, whose kinds come from the table of slip kinds.
QString PdfUsage();
QString PdfSummary();
void RunPostalUpdate(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunPostalBuild(CommandLine& arguments, const ToolContext& context, QTextStream& out);
void RunPdf(CommandLine& arguments, const ToolContext& context, QTextStream& out);
