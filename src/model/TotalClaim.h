#pragma once

#include <QStringList>

class TThEstimateObjectList;

// Fills a document that was reset to total-invoice mode from the chosen document files, in
// the order given: line k is the k-th file (its name and amount), lines beyond those the
// document holds are appended; the customer comes from the first file; TaxIn is set when
// one file has it; SubTotal, Tax and Total are the sums. Every file is read before the
// document is touched, so a file that cannot be read throws EFileError naming it and the
// document stays as it was. For a qualified invoice the sums come per rate from the files'
// own per-rate figures, with the tax rounded once per rate on the summed bases.
void BuildTotalClaim(TThEstimateObjectList& document, const QStringList& paths);
