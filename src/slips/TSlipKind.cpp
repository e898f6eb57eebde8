#include "TSlipKind.h"

#include "TThConfigInfo.h"

namespace {

using C = TThConfigInfo;

constexpr const char* MainTemplates[] = {"TateMitsuFirstPage",  "TateMitsuMiddlePage",
                                         "TateMitsuFinalPage",  "YokoMitsuFirstPage",
                                         "YokoMitsuMiddlePage", "YokoMitsuFinalPage"};
constexpr const char* TotalClaimTemplates[] = {"TotalClaim"};
constexpr const char* ItemListTemplates[] = {"ItemList"};
constexpr const char* CustomerListTemplates[] = {"CustomerList"};
constexpr const char* ReceiptTemplates[] = {"Receipt"};
constexpr const char* FaxSenderTemplates[] = {"FaxSender"};

constexpr unsigned AllOffers = offerStamps | offerTax | offerGrandTotal;

constexpr TSlipKindFacts Kinds[] = {
    {skMitsu, "MITSU", "見積書印刷", &C::EST_TITLE, &C::EST_MSG, TSlipFamily::MainSlip,
     MainTemplates, AllOffers, true, " 御見積金額  ", "担当者印", "PNGBtnMitsu"},
    {skTanka, "TANKA", "単価見積書印刷", &C::UNIT_PRICE_EST_TITLE, &C::UNIT_PRICE_EST_MSG,
     TSlipFamily::MainSlip, MainTemplates, offerStamps, false, "", "担当者印", "PNGBtnTanka"},
    {skNouhin, "NOUHIN", "納品書印刷", &C::DELIVER_TITLE, &C::DELIVER_MSG, TSlipFamily::MainSlip,
     MainTemplates, AllOffers, true, " 合計金額  ", "担当者印", "PNGBtnNouhin"},
    {skSeikyu, "SEIKYU", "請求書印刷", &C::CLAIM_TITLE, &C::CLAIM_MSG, TSlipFamily::MainSlip,
     MainTemplates, AllOffers | offerBank, true, " 合計金額  ", "担当者印", "PNGBtnSeikyu"},
    {skJuryo, "JYURYO", "受領書印刷", &C::RECEIVE_TITLE, &C::RECEIVE_MSG, TSlipFamily::MainSlip,
     MainTemplates, offerTax | offerGrandTotal | offerSwap, true, " 合計金額  ", "受領印",
     "PNGBtnJuryo"},
    {skRyoshu, "RYOSYU", "領収書印刷", &C::RECEIPT_TITLE, &C::RECEIPT_MSG, TSlipFamily::Receipt,
     ReceiptTemplates, 0, false, "", "", "PNGBtnRyoshu"},
    {skSeikyuMeisai, "SEIKYU_MEISAI", "請求明細書印刷", &C::CLAIM_DETAIL_TITLE,
     &C::CLAIM_DETAIL_MSG, TSlipFamily::MainSlip, MainTemplates, AllOffers | offerBank, true,
     " 合計金額  ", "担当者印", "PNGBtnBtnSeikyuMeisai"},
    {skTotalClaim, "GOUKEI_SEIKYU", "合計請求書印刷", &C::TOTAL_CLAIM_TITLE, &C::TOTAL_CLAIM_MSG,
     TSlipFamily::TotalClaim, TotalClaimTemplates, 0, false, "", "", "PNGBtnGoukei"},
    {skFax, "FAX", "FAX送信状印刷", &C::FAX_TITLE, nullptr, TSlipFamily::FaxSender,
     FaxSenderTemplates, 0, false, "", "", "pngBtnSoushin"},
    {skItemList, "ITEM_LIST", "品名リスト印刷", nullptr, nullptr, TSlipFamily::MasterList,
     ItemListTemplates},
    {skCustomerList, "CUSTOMER_LIST", "お客様一覧印刷", nullptr, nullptr, TSlipFamily::MasterList,
     CustomerListTemplates},
};

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

std::span<const TSlipKindFacts> SlipKinds() {
    return Kinds;
}

const TSlipKindFacts* FindSlipKind(TSlipKind kind) {
    for (const TSlipKindFacts& facts : Kinds) {
        if (facts.Kind == kind) {
            return &facts;
        }
    }
    return nullptr;
}

const TSlipKindFacts& SlipKindFacts(TSlipKind kind) {
    return *FindSlipKind(kind);
}

std::vector<TSlipKind> SlipKindsOf(TSlipFamily family) {
    std::vector<TSlipKind> kinds;
    for (const TSlipKindFacts& facts : Kinds) {
        if (facts.Family == family) {
            kinds.push_back(facts.Kind);
        }
    }
    return kinds;
}

std::vector<TSlipKind> SheetSlipKinds() {
    std::vector<TSlipKind> kinds;
    for (const TSlipKindFacts& facts : Kinds) {
        if (facts.Family == TSlipFamily::Receipt || facts.Family == TSlipFamily::TotalClaim ||
            facts.Family == TSlipFamily::FaxSender) {
            kinds.push_back(facts.Kind);
        }
    }
    return kinds;
}

bool GetSlipTitle(const TThConfigInfo& config, TSlipKind kind, QString& title, QString& message) {
    const TSlipKindFacts* facts = FindSlipKind(kind);
    if (facts == nullptr || facts->Title == nullptr) {
        return false;
    }
    title = config.*facts->Title;
    message = facts->Message != nullptr ? config.*facts->Message : QString();
    return true;
}

QString SlipTitle(const TThConfigInfo& config, TSlipKind kind) {
    QString title;
    QString message;
    GetSlipTitle(config, kind, title, message);
    return title;
}

QString SlipMessage(const TThConfigInfo& config, TSlipKind kind) {
    QString title;
    QString message;
    GetSlipTitle(config, kind, title, message);
    return message;
}

QString PrintSectionName(TSlipKind kind) {
    const TSlipKindFacts* facts = FindSlipKind(kind);
    return QString::fromLatin1(facts != nullptr ? facts->Section : "none");
}

std::optional<TSlipKind> SlipKindFromSection(const QString& name) {
    for (const TSlipKindFacts& facts : Kinds) {
        if (name.compare(QLatin1String(facts.Section), Qt::CaseInsensitive) == 0) {
            return facts.Kind;
        }
    }
    return std::nullopt;
}

QString PrintWindowCaption(TSlipKind kind) {
    const TSlipKindFacts* facts = FindSlipKind(kind);
    return facts != nullptr ? QString::fromUtf8(facts->Caption) : QString();
}
