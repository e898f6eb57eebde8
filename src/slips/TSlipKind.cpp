#include "TSlipKind.h"

#include "TThConfigInfo.h"

namespace {

struct MainSlip {
    TSlipKind kind;
    const char* section;
    const char* caption;
};

const MainSlip MainSlips[] = {
    {skMitsu, "MITSU", "見積書印刷"},   {skTanka, "TANKA", "単価見積書印刷"},
    {skNouhin, "NOUHIN", "納品書印刷"}, {skSeikyu, "SEIKYU", "請求書印刷"},
    {skJuryo, "JYURYO", "受領書印刷"},  {skSeikyuMeisai, "SEIKYU_MEISAI", "請求明細書印刷"},
};

const MainSlip* FindMainSlip(TSlipKind kind) {
    for (const MainSlip& slip : MainSlips) {
        if (slip.kind == kind) {
            return &slip;
        }
    }
    return nullptr;
}

}  // namespace

TSlipPageKind SlipPageKindOf(int n, int m) {
    if (m == 1) {
        return TSlipPageKind::pkSingle;
    }
    if (n == m) {
        return TSlipPageKind::pkLast;
    }
    return n == 1 ? TSlipPageKind::pkFirst : TSlipPageKind::pkMiddle;
}

bool GetSlipTitle(const TThConfigInfo& config, TSlipKind kind, QString& title, QString& message) {
    struct Texts {
        const QString* title;
        const QString* message;
    };
    const Texts texts[] = {
        {&config.EST_TITLE, &config.EST_MSG},
        {&config.UNIT_PRICE_EST_TITLE, &config.UNIT_PRICE_EST_MSG},
        {&config.DELIVER_TITLE, &config.DELIVER_MSG},
        {&config.CLAIM_TITLE, &config.CLAIM_MSG},
        {&config.RECEIVE_TITLE, &config.RECEIVE_MSG},
        {&config.RECEIPT_TITLE, &config.RECEIPT_MSG},
        {&config.CLAIM_DETAIL_TITLE, &config.CLAIM_DETAIL_MSG},
        {&config.TOTAL_CLAIM_TITLE, &config.TOTAL_CLAIM_MSG},
        {&config.FAX_TITLE, nullptr},
    };
    if (kind > skFax) {
        return false;
    }
    title = *texts[kind].title;
    message = texts[kind].message != nullptr ? *texts[kind].message : QString();
    return true;
}

QString PrintSectionName(TSlipKind kind) {
    const MainSlip* slip = FindMainSlip(kind);
    return QString::fromLatin1(slip != nullptr ? slip->section : "none");
}

std::optional<TSlipKind> SlipKindFromSection(const QString& name) {
    for (const MainSlip& slip : MainSlips) {
        if (name.compare(QLatin1String(slip.section), Qt::CaseInsensitive) == 0) {
            return slip.kind;
        }
    }
    return std::nullopt;
}

QString PrintWindowCaption(TSlipKind kind) {
    const MainSlip* slip = FindMainSlip(kind);
    return slip != nullptr ? QString::fromUtf8(slip->caption) : QString();
}
