#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class TThConfigInfo;

// What a piece of slip output produces. The main slips are 0-4 and 6.
enum TSlipKind : std::uint8_t {
    skMitsu = 0,
    skTanka = 1,
    skNouhin = 2,
    skSeikyu = 3,
    skJuryo = 4,
    skRyoshu = 5,
    skSeikyuMeisai = 6,
    skTotalClaim = 7,
    skFax = 8,
    skItemList = 9,
    skCustomerList = 10,
};

// Where a page stands in one printed run.
enum class TSlipPageKind : std::uint8_t { pkSingle = 1, pkFirst = 2, pkMiddle = 3, pkLast = 4 };

// Page n (from 1) of m.
TSlipPageKind SlipPageKindOf(int n, int m);

// Kinds of one family share their options window, their drawing and their PDF pages.
enum class TSlipFamily : std::uint8_t { MainSlip, TotalClaim, Receipt, FaxSender, MasterList };

// The optional controls of the main slips' options window a kind shows.
enum TSlipOffer : unsigned {
    offerStamps = 1,      // check-stamp caption and both stamp choices
    offerBank = 2,        // bank account choice and its box
    offerTax = 4,         // tax of the grand total
    offerSwap = 8,        // swap addressee and sender
    offerGrandTotal = 16  // grand-total box, its amount, page total and totals amounts
};

// Everything that tells one slip kind from another.
struct TSlipKindFacts {
    TSlipKind Kind;
    const char* Section;              // print.ini section, also the tool's KIND
    const char* Caption;              // the options window's caption
    QString TThConfigInfo::*Title;    // nullptr: the kind has no title of the settings
    QString TThConfigInfo::*Message;  // nullptr: an empty message
    TSlipFamily Family;
    std::span<const char* const> Templates;  // the PDF template pages, by page name
    // Main slips only.
    unsigned Offers = 0;
    bool AmountsRows = false;            // page-total and totals rows below the lines
    const char* GrandTotalCaption = "";  // leads the grand-total box
    const char* RightStampCaption = "";  // the right stamp box
    const char* Button = "";             // the main window's picture button; "" for none
};

// Every kind, in number order.
std::span<const TSlipKindFacts> SlipKinds();
// The kind's facts; nullptr for a number outside the table.
const TSlipKindFacts* FindSlipKind(TSlipKind kind);
// The kind's facts; the kind must be in the table.
const TSlipKindFacts& SlipKindFacts(TSlipKind kind);
std::vector<TSlipKind> SlipKindsOf(TSlipFamily family);
// The one-sheet slips, each with an options window of its own, in number order.
std::vector<TSlipKind> SheetSlipKinds();

// The kind's title and message from the settings; for kinds without a title nothing is set
// and the result is false.
bool GetSlipTitle(const TThConfigInfo& config, TSlipKind kind, QString& title, QString& message);
// The title or the message alone; empty for kinds without one.
QString SlipTitle(const TThConfigInfo& config, TSlipKind kind);
QString SlipMessage(const TThConfigInfo& config, TSlipKind kind);

// The print.ini section of the kind; "none" for a number outside the table.
QString PrintSectionName(TSlipKind kind);
// The kind whose section name this is, in any case.
std::optional<TSlipKind> SlipKindFromSection(const QString& name);
// The caption of the options window ("見積書印刷").
QString PrintWindowCaption(TSlipKind kind);
