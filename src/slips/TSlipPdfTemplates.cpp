#include "TSlipPdfTemplates.h"

#include <cmath>

#include "MasterListSlip.h"
#include "ModelError.h"
#include "SlipLayout.h"
#include "SlipTemplate.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TPRText.h"
#include "TPrintOptions.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"

namespace {

const char* const PageParts[] = {"First", "Middle", "Final"};

int PagePart(TSlipPageKind pageKind) {
    switch (pageKind) {
        case TSlipPageKind::pkSingle:
        case TSlipPageKind::pkFirst:
            return 0;
        case TSlipPageKind::pkMiddle:
            return 1;
        case TSlipPageKind::pkLast:
            return 2;
    }
    return 0;
}

// The table columns: caption label, row label (numbered from 1) and the template's
// variable prefix of their left edge and width ("NAME" gives NAME_L and NAME_W, and
// NAME_L_NO_ETC, NAME_W_NO_ETC without the remarks column).
struct Column {
    const char* caption;
    const char* row;
    const char* var;
};

const Column Columns[] = {
    {"ChartFindingItemName", "ItemName", "NAME"},
    {"ChartFindingItemNum", "ItemNum", "NUM"},
    {"ChartFindingItemUnit", "ItemUnit", "UNIT"},
    {"ChartFindingItemUnitPrice", "ItemUnitPrice", "UP"},
    {"ChartFindingItemTotalPrice", "ItemTotalPrice", "AMT"},
    {"ChartFindingItemEtc", "ItemEtc", "ETC"},
};
// The remarks column only stands, in place, with the remarks on.
constexpr size_t RemarksColumn = 5;

// The per-rate block's labels on each of its rows, numbered from 1.
constexpr int RateBlockRows = 3;
const char* const RateRoles[] = {"RateName", "RateBase", "RateTaxName", "RateTax"};

QString MainTemplateName(bool landscape, TSlipPageKind pageKind) {
    return QStringLiteral("%1Mitsu%2Page")
        .arg(landscape ? QStringLiteral("Yoko") : QStringLiteral("Tate"),
             QString::fromLatin1(PageParts[PagePart(pageKind)]));
}

// Finds the components of one template by the names it gives them.
class Names {
  public:
    Names(TPRPage& page, bool landscape, TSlipPageKind pageKind)
        : page_(page), infix_(MainTemplateName(landscape, pageKind)) {}

    TPRLabel* Label(const QString& role) const { return Find<TPRLabel>("PRLabel", role); }
    TPRText* Text(const QString& role) const { return Find<TPRText>("PRText", role); }
    TPRRect* Rect(const QString& role) const { return Find<TPRRect>("PRRect", role); }
    TPRImage* Image(const QString& role) const { return Find<TPRImage>("PRImage", role); }
    TPRLabel* Label(const char* role, int n) const {
        return Label(QLatin1String(role) + QString::number(n));
    }
    TPRRect* Rect(const char* role, int n) const {
        return Rect(QLatin1String(role) + QString::number(n));
    }
    TPRPage& Page() const { return page_; }

  private:
    template <class T>
    T* Find(const char* prefix, const QString& role) const {
        return page_.Find<T>(QLatin1String(prefix) + infix_ + role);
    }

    TPRPage& page_;
    QString infix_;
};

void SetCaption(TPRLabel* label, const QString& text) {
    if (label != nullptr) {
        label->SetCaption(text);
    }
}

void Show(TPRItem* item, bool shown) {
    if (item != nullptr) {
        item->Printable = shown;
    }
}

// Lines of the header text blocks end in a full-width space, so that an empty line keeps
// its place when the block's text is trimmed.
QString BlockLine(const QString& text) {
    return text + QStringLiteral("　");
}

QStringList AddressLines(const TSlipHeaderBlock& block) {
    return {block.Postal.isEmpty() ? QStringLiteral("　") : block.Postal, BlockLine(block.Address1),
            BlockLine(block.Address2)};
}

QStringList ChargeAndTelLines(const TSlipHeaderBlock& block) {
    return {BlockLine(block.ChargeName), BlockLine(block.TelFax)};
}

void Follow(TPRRect* line, const TPRLabel& label, bool left) {
    if (line == nullptr) {
        return;
    }
    line->Width = label.Width;
    if (left) {
        line->Left = label.Left;
    }
}

}  // namespace

int MmToTemplateUnits(double mm) {
    return static_cast<int>(std::lround(mm * 842.0 / 297.0));
}

void FitLabelWidth(TPRLabel& label) {
    label.Width = static_cast<int>(std::lround(label.GetTextWidth()));
}

void CentreLabel(TPRLabel& label, int panelWidth) {
    FitLabelWidth(label);
    label.Left = static_cast<int>(std::lround((panelWidth - label.Width) / 2.0));
}

TSlipPdfTemplates::TSlipPdfTemplates(const TThConfigInfo& config) {
    for (const TSlipKindFacts& kind : SlipKinds()) {
        for (const char* name : kind.Templates) {
            const QString page = QString::fromLatin1(name);
            if (pages_.count(page) == 0) {
                Loaded loaded;
                loaded.Page =
                    LoadSlipTemplate(QStringLiteral(":/slips/%1.json").arg(page), &loaded.Vars);
                pages_.emplace(page, std::move(loaded));
            }
        }
    }
    report_.SetCreationDate(QDateTime(QDate(2010, 7, 8), QTime(10, 21, 41)));
    ApplyPdfSettings(config);
}

void TSlipPdfTemplates::ApplyPdfSettings(const TThConfigInfo& config) {
    ApplyPdfLineColors(config);
    report_.EmbedFonts = config.PDF_EMBED_FONTS;
}

TSlipPdfTemplates::~TSlipPdfTemplates() = default;

const TSlipPdfTemplates::Loaded& TSlipPdfTemplates::Find(const QString& name) const {
    const auto found = pages_.find(name);
    if (found == pages_.end()) {
        throw EFileError(QStringLiteral("no PDF page template \"%1\"").arg(name));
    }
    return found->second;
}

TPRPage& TSlipPdfTemplates::Template(const QString& name) const {
    return *Find(name).Page;
}

int TSlipPdfTemplates::TemplateVar(const QString& name, const QString& var) const {
    const TSlipTemplateVars& vars = Find(name).Vars;
    const auto found = vars.find(var);
    if (found == vars.end()) {
        throw EFileFormatError(
            QStringLiteral(":/slips/%1.json: the variable \"%2\" is missing").arg(name, var));
    }
    return found.value();
}

TPRPage& TSlipPdfTemplates::Template(bool landscape, TSlipPageKind pageKind) const {
    return Template(MainTemplateName(landscape, pageKind));
}

void TSlipPdfTemplates::ApplyPdfLineColors(const TThConfigInfo& config) {
    const TSlipPageKind parts[] = {TSlipPageKind::pkFirst, TSlipPageKind::pkMiddle,
                                   TSlipPageKind::pkLast};
    for (bool landscape : {false, true}) {
        for (TSlipPageKind part : parts) {
            const Names names(Template(landscape, part), landscape, part);
            if (TPRRect* header = names.Rect(QStringLiteral("LineHeader"))) {
                header->FillColor = config.LINE_COLOR_ODD;
            }
            for (int n = 1; TPRRect* line = names.Rect("Line", n); ++n) {
                line->FillColor = n % 2 == 1 ? config.LINE_COLOR_EVEN : config.LINE_COLOR_ODD;
            }
        }
    }
    // The total invoice's account table, both halves.
    for (const char* half : {"_1", "_2"}) {
        TPRPage& totalClaim = Template(QStringLiteral("TotalClaim"));
        const QString suffix = QLatin1String(half);
        totalClaim.Find<TPRRect>(QStringLiteral("PRRectTotalClaimHeader") + suffix)->FillColor =
            config.LINE_COLOR_ODD;
        totalClaim.Find<TPRRect>(QStringLiteral("PRRectTotalClaimContent") + suffix)->FillColor =
            config.LINE_COLOR_EVEN;
    }
    ApplyListLineColors(*this, config);
}

void TSlipPdfTemplates::ClearSlipPdfPage(const TSlipSource& source, TSlipPageKind pageKind) {
    const TPrintOptions& options = source.Options;
    const bool landscape = options.Landscape;
    const Names names(Template(landscape, pageKind), landscape, pageKind);
    const bool firstTemplate = PagePart(pageKind) == 0;
    const bool single = pageKind == TSlipPageKind::pkSingle;
    const bool amounts = HasAmountsRows(source.Kind);

    if (firstTemplate) {
        for (const char* role : {"CampanyStamp", "CampanyLogo", "CheckStamp", "PersonalStamp"}) {
            names.Image(QLatin1String(role))->SetPicture(QImage());
        }
        for (const char* role : {"CustomerCode", "Title", "SlipCode", "SlipDate", "CustomerName1",
                                 "CustomerName2", "CustomerName3", "Msg", "MyName1", "MyName2",
                                 "MyName3", "CheckStamp", "PersonalStamp", "GrandTotal"}) {
            names.Label(QLatin1String(role))->SetCaption(QString());
        }
        for (const char* role : {"CustomerAddress", "MyTelFaxChargeName1", "MyTelFaxChargeName2",
                                 "Condition", "MyAddress"}) {
            names.Text(QLatin1String(role))->Lines.clear();
        }
        if (auto* bank =
                names.Page().Find<TPRText>(QStringLiteral("PRTextYokoMitsuFirstBankAccount"))) {
            bank->Lines.clear();
        }
        for (const char* role : {"StampArea", "StampLine", "StampVerLine"}) {
            Show(names.Rect(QLatin1String(role)), options.PrintStampArea);
        }
    }

    const int rows =
        StripedRowCount(landscape, PagePart(pageKind) == 0 ? TSlipPageKind::pkFirst : pageKind) - 1;
    for (int n = 1; n <= rows; ++n) {
        for (const Column& column : Columns) {
            if (TPRLabel* label = names.Label(column.row, n)) {
                label->SetCaption(QString());
            }
        }
    }
    if (TPRText* etc = names.Text(QStringLiteral("Etc"))) {
        etc->Lines.clear();
    }
    SetCaption(names.Label(QStringLiteral("FindingTax")), QString());
    // What a qualified invoice adds, and the totals captions back in their place.
    for (const char* role : {"RegistrationNo", "RegistrationNoSwapped", "ReducedNote"}) {
        SetCaption(names.Label(QLatin1String(role)), QString());
    }
    for (int k = 1; k <= RateBlockRows; ++k) {
        for (const char* role : RateRoles) {
            SetCaption(names.Label(role, k), QString());
        }
    }
    for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) {
        if (TPRLabel* caption = names.Label(QLatin1String(role))) {
            caption->Left =
                TemplateVar(MainTemplateName(landscape, pageKind), QStringLiteral("FIND_L"));
        }
    }

    // The remarks column and the columns' places, as the template's column file gives them.
    const QString page = MainTemplateName(landscape, pageKind);
    const QString place = options.PrintNote ? QString() : QStringLiteral("_NO_ETC");
    Show(names.Label(QStringLiteral("ChartFindingItemEtc")), options.PrintNote);
    Show(names.Rect(QStringLiteral("VerLine5")), options.PrintNote);
    for (size_t c = 0; c < std::size(Columns); ++c) {
        const Column& column = Columns[c];
        if (c == RemarksColumn && !options.PrintNote) {
            break;
        }
        const QString var = QLatin1String(column.var);
        const int left = TemplateVar(page, var + QStringLiteral("_L") + place);
        const int width = TemplateVar(page, var + QStringLiteral("_W") + place);
        auto set = [&](TPRLabel* label) {
            if (label != nullptr) {
                label->Left = left;
                label->Width = width;
            }
        };
        set(names.Label(QLatin1String(column.caption)));
        for (int n = 1; n <= rows; ++n) {
            set(names.Label(column.row, n));
        }
    }
    for (int n = 1; n <= rows; ++n) {
        Show(names.Label("ItemEtc", n), options.PrintNote);
    }
    for (int k = 1; k <= 4; ++k) {
        names.Rect("VerLine", k)->Left = TemplateVar(page, QStringLiteral("V%1").arg(k) + place);
    }

    // What the page kind shows.
    if (firstTemplate) {
        for (int k = StripedRowCount(landscape, TSlipPageKind::pkSingle); k <= rows; ++k) {
            Show(names.Rect("Line", k), !single);
        }
        Show(names.Text(QStringLiteral("Etc")), single);
        Show(names.Rect(QStringLiteral("EtcArea")), single);
        Show(names.Label(QStringLiteral("PageNo")), !single);
        Show(names.Label(QStringLiteral("FindingPageTotal")), !single && amounts);
        for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) {
            Show(names.Label(QLatin1String(role)), single && amounts);
        }
    } else if (pageKind == TSlipPageKind::pkMiddle) {
        Show(names.Label(QStringLiteral("FindingPageTotal")), amounts);
    } else {
        for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) {
            Show(names.Label(QLatin1String(role)), amounts);
        }
    }

    // Rects 17 high at a pitch of 16: k rows span 16k.
    const int striped = StripedRowCount(landscape, pageKind);
    const int dividers = DividerRowCount(source.Kind, landscape, pageKind);
    for (int k = 1; k <= 5; ++k) {
        names.Rect("VerLine", k)->Height = 16 * (k <= 3 ? dividers : striped);
    }
}

void TSlipPdfTemplates::FillHeader(const TSlipSource& source) {
    const bool landscape = source.Options.Landscape;
    const Names names(Template(landscape, TSlipPageKind::pkFirst), landscape,
                      TSlipPageKind::pkFirst);
    const TThEstimateObjectList& d = source.Document;
    const TThCampanyInfo& profile = source.Profile;
    const TPrintOptions& options = source.Options;

    QString title;
    QString message;
    GetSlipTitle(source.Config, source.Kind, title, message);
    names.Label(QStringLiteral("Title"))->SetCaption(title);

    // The left block is the addressee, or the sender in the swapped layout; the right one
    // the other. A sender with a logo shows the logo in place of its texts.
    struct Place {
        TSlipHeaderBlock block;
        TPRText* address;
        const char* names;
        TPRText* chargeAndTel;
    };
    const Place places[] = {
        {LeftHeaderBlock(source), names.Text(QStringLiteral("CustomerAddress")), "CustomerName",
         names.Text(QStringLiteral("MyTelFaxChargeName2"))},
        {RightHeaderBlock(source), names.Text(QStringLiteral("MyAddress")), "MyName",
         names.Text(QStringLiteral("MyTelFaxChargeName1"))},
    };
    for (const Place& place : places) {
        if (place.block.Logo) {
            TPRImage* logo = names.Image(QStringLiteral("CampanyLogo"));
            const TLogoSize size = FitLogo(profile.LogoImage, 179, 65);
            logo->SetPicture(profile.LogoImage);
            logo->Width = size.Width;
            logo->Height = size.Height;
            logo->Left = place.address->Left;
            logo->Top = place.address->Top;
            continue;
        }
        place.address->Lines = AddressLines(place.block);
        for (int k = 0; k < 3; ++k) {
            names.Label(place.names, k + 1)->SetCaption(place.block.Names[static_cast<size_t>(k)]);
        }
        if (place.block.Sender) {
            place.chargeAndTel->Lines = ChargeAndTelLines(place.block);
        }
    }

    if (profile.UseCampanyStamp) {
        TPRImage* stamp = names.Image(QStringLiteral("CampanyStamp"));
        stamp->SetPicture(profile.StampImage);
        stamp->Left = MmToTemplateUnits(profile.CampanyStampDetailPosX_A4 - 5);
        stamp->Top = MmToTemplateUnits(profile.CampanyStampDetailPosY_A4);
        stamp->Width = MmToTemplateUnits(profile.CampanyStampWidth_A4);
        stamp->Height = MmToTemplateUnits(profile.CampanyStampHeight_A4);
    }

    names.Label(QStringLiteral("Msg"))->SetCaption(message);
    names.Label(QStringLiteral("SlipCode"))->SetCaption(SlipCodeText(d));
    names.Label(QStringLiteral("SlipDate"))->SetCaption(SlipDateText(d));
    names.Label(QStringLiteral("CustomerCode"))->SetCaption(CustomerCodeText(source));

    if (options.PrintStampArea) {
        names.Label(QStringLiteral("CheckStamp"))->SetCaption(options.CheckStampMsg);
        names.Label(QStringLiteral("PersonalStamp"))->SetCaption(StampBoxCaption(source.Kind));
        if (options.CheckStamp > 0) {
            names.Image(QStringLiteral("CheckStamp"))
                ->SetPicture(source.Config.Stamp(options.CheckStamp - 1));
        }
        if (options.PersonalStamp > 0) {
            names.Image(QStringLiteral("PersonalStamp"))
                ->SetPicture(source.Config.Stamp(options.PersonalStamp - 1));
        }
    }

    QStringList lines = BankOrConditionLines(source, false);
    TPRText* target = names.Text(QStringLiteral("Condition"));
    if (PrintsBankAccount(source)) {
        for (QString& line : lines) {
            line = BlockLine(line);
        }
        if (landscape) {
            target = names.Page().Find<TPRText>(QStringLiteral("PRTextYokoMitsuFirstBankAccount"));
        }
    }
    target->Lines = lines;

    names.Label(QStringLiteral("GrandTotal"))->SetCaption(GrandTotalText(source));
    names
        .Label(options.ChangeSR ? QStringLiteral("RegistrationNoSwapped")
                                : QStringLiteral("RegistrationNo"))
        ->SetCaption(RegistrationNoText(d, profile));
}

TPRPage& TSlipPdfTemplates::BuildSlipPdfPage(const TSlipSource& source, TSlipPageKind pageKind,
                                             int n, int m) {
    ClearSlipPdfPage(source, pageKind);
    const bool landscape = source.Options.Landscape;
    const Names names(Template(landscape, pageKind), landscape, pageKind);
    const TThConfigInfo& config = source.Config;
    const bool firstTemplate = HasHeaderBlocks(pageKind);
    if (firstTemplate) {
        FillHeader(source);
    }

    const QString* captions[] = {&config.ITEM_NAME,  &config.ART,   &config.UNIT_NAME,
                                 &config.UNIT_PRICE, &config.PRICE, &config.NOTE};
    for (size_t c = 0; c < std::size(Columns); ++c) {
        SetCaption(names.Label(QLatin1String(Columns[c].caption)), *captions[c]);
    }

    const TSlipLineRange range = SlipLineRange(source, n, m);
    for (int k = 1; k <= range.Count; ++k) {
        const TSlipLineRow row = SlipLineRow(source, source.Document.Items(range.First + k - 1));
        const QString* cells[] = {&row.ItemName,  &row.Num,        &row.UnitName,
                                  &row.UnitPrice, &row.TotalPrice, &row.Etc};
        for (size_t c = 0; c < std::size(Columns); ++c) {
            SetCaption(names.Label(Columns[c].row, k), *cells[c]);
        }
    }

    const bool totals = HasRemarkRows(pageKind);
    if (HasAmountsRows(source.Kind)) {
        const int capacity = SlipCapacity(source.Kind, landscape).Of(pageKind);
        if (totals) {
            const auto rows = SlipTotalRows(source);
            for (int k = 0; k < 3; ++k) {
                SetCaption(names.Label("ItemTotalPrice", capacity + 1 + k),
                           rows[static_cast<size_t>(k)].Amount);
            }
            SetCaption(names.Label(QStringLiteral("FindingTax")), rows[1].Caption);
            FillRateBlock(source, pageKind);
        } else {
            SetCaption(names.Label("ItemTotalPrice", capacity + 1), PageTotalText(source, range));
        }
    }
    if (totals) {
        names.Text(QStringLiteral("Etc"))->Lines = RemarkRows(source.Document);
        names.Label(QStringLiteral("ReducedNote"))->SetCaption(ReducedNoteText(source.Document));
    }
    if (pageKind != TSlipPageKind::pkSingle) {
        names.Label(QStringLiteral("PageNo"))->SetCaption(PageNumberText(n, m));
    }
    if (firstTemplate) {
        FitFirstPage(landscape);
    }
    return names.Page();
}

void TSlipPdfTemplates::FillRateBlock(const TSlipSource& source, TSlipPageKind pageKind) {
    const std::vector<TSlipRateRow> rates = SlipRateRows(source);
    if (rates.empty()) {
        return;
    }
    const bool landscape = source.Options.Landscape;
    const Names names(Template(landscape, pageKind), landscape, pageKind);
    for (size_t k = 0; k < rates.size() && k < RateBlockRows; ++k) {
        const TSlipRateRow& rate = rates[k];
        const QString* cells[] = {&rate.Caption, &rate.Base, &rate.TaxCaption, &rate.Tax};
        for (size_t c = 0; c < std::size(RateRoles); ++c) {
            SetCaption(names.Label(RateRoles[c], static_cast<int>(k) + 1), *cells[c]);
        }
    }
    // The block takes the open left part of the totals rows; their captions move into the
    // unit-price column.
    const QString place = source.Options.PrintNote ? QString() : QStringLiteral("_NO_ETC");
    const int left =
        TemplateVar(MainTemplateName(landscape, pageKind), QStringLiteral("UP_L") + place);
    for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) {
        names.Label(QLatin1String(role))->Left = left;
    }
}

void TSlipPdfTemplates::FitFirstPage(bool landscape) {
    const Names names(Template(landscape, TSlipPageKind::pkFirst), landscape,
                      TSlipPageKind::pkFirst);
    const int panelWidth = names.Page().Width;
    TPRLabel* title = names.Label(QStringLiteral("Title"));
    CentreLabel(*title, panelWidth);
    Follow(names.Rect(QStringLiteral("TitleUnderLine")), *title, true);
    for (int k = 1; k <= 3; ++k) {
        TPRLabel* name = names.Label("CustomerName", k);
        FitLabelWidth(*name);
        Follow(names.Rect("CustomerNameUnderLine", k), *name, false);
    }
    TPRLabel* grandTotal = names.Label(QStringLiteral("GrandTotal"));
    CentreLabel(*grandTotal, panelWidth);
    Follow(names.Rect(QStringLiteral("GrandTotalUnderLine")), *grandTotal, true);
}

void TSlipPdfTemplates::PrintSlipPages(const TSlipSource& source) {
    const int m = SlipPageCount(source);
    for (int n = 1; n <= m; ++n) {
        report_.PrintPage(BuildSlipPdfPage(source, SlipPageKindOf(n, m), n, m));
    }
}

void TSlipPdfTemplates::SaveSlipPdf(const TSlipSource& source, const QString& fileName) {
    SavePdf(fileName, [&] { PrintSlipPages(source); });
}

void TSlipPdfTemplates::SavePdf(const QString& fileName, const std::function<void()>& printPages) {
    report_.FileName = fileName;
    report_.BeginDocument();
    try {
        printPages();
        report_.EndDocument();
    } catch (...) {
        report_.AbortDocument();
        throw;
    }
}
