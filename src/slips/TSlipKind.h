#pragma once

#include <QString>
#include <cstdint>
#include <optional>

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

// The kind's title and message from the settings; for kinds above skFax nothing is set and
// the result is false.
bool GetSlipTitle(const TThConfigInfo& config, TSlipKind kind, QString& title, QString& message);

// The print.ini section of a main slip ("MITSU" ... "SEIKYU_MEISAI"); "none" for the others.
QString PrintSectionName(TSlipKind kind);
// The main slip whose section name this is, in any case.
std::optional<TSlipKind> SlipKindFromSection(const QString& name);
// The caption of the options window ("見積書印刷"); empty for kinds that have none.
QString PrintWindowCaption(TSlipKind kind);
