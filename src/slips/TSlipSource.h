#pragma once

#include "TSlipKind.h"

class TThCampanyInfo;
class TThConfigInfo;
class TThEstimateObjectList;
struct TPrintOptions;

// Everything one main slip is made of: the document, the settings, the sender profile the
// options chose, the options and the kind. Slip output reads it and never changes it.
struct TSlipSource {
    const TThEstimateObjectList& Document;
    const TThConfigInfo& Config;
    const TThCampanyInfo& Profile;
    const TPrintOptions& Options;
    TSlipKind Kind;
};
