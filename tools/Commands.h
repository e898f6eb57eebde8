#pragma once

#include <QString>
#include <QTextStream>

#include "CommandLine.h"

// One subcommand of dorvani4-tool. run() writes its result to out and returns normally,
// or throws: EUsageError for a wrong call, EModelError for bad input.
struct ToolCommand {
    QString name;
    QString usage;
    QString summary;
    void (*run)(CommandLine& arguments, QTextStream& out);
};

void RunShow(CommandLine& arguments, QTextStream& out);
void RunConvert(CommandLine& arguments, QTextStream& out);
