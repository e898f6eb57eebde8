#include "RenderSlipPage.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSvgRenderer>
#include <initializer_list>

#include "ModelError.h"
#include "SlipDrawing.h"
#include "SlipLayout.h"
#include "TPrintOptions.h"
#include "TThCampanyInfo.h"
#include "TThConfigInfo.h"
#include "TThEstimateObjectList.h"
#include "WindowsColor.h"

namespace {

// Millimetre positions of the header blocks, portrait and landscape.
struct HeaderPlaces {
    double titleY;
    QPointF leftPostal;
    double leftAddressY[2];
    double leftNameY[3];
    double leftChargeY;  // swapped layout: the sender's person in charge and telephone
    double leftTelFaxY;
    QPointF message;
    QPointF slipCode;
    QPointF date;
    QPointF customerCode;
    QPointF rightPostal;
    double rightAddressY[2];
    double rightNameY[3];
    double rightChargeY;
    double rightTelFaxY;
    QPointF stampBoxes;
    QPointF bank;
    QPointF conditions;
    double grandTotalY;
    QPointF registration;  // below the sender's telephone line, right or (swapped) left
    QPointF registrationSwapped;
};

const HeaderPlaces Portrait{15,           {21, 30},  {35, 40},  {45, 50, 55}, 61,        66,
                            {21, 75},     {165, 20}, {155, 26}, {21, 20},     {110, 37}, {41, 45},
                            {49, 53, 57}, 61,        65,        {150, 74},    {21, 80},  {21, 80},
                            100,          {110, 69}, {21, 70.5}};
const HeaderPlaces Landscape{
    7,         {21, 17},  {21, 25}, {29, 34, 39}, 44,       48,           {21, 68},
    {245, 12}, {235, 17}, {21, 12}, {205, 22},    {26, 30}, {34, 38, 42}, 46,
    50,        {240, 59}, {21, 55}, {110, 55},    80,       {205, 54},    {21, 52.5}};

// Table geometry in mm.
struct TablePlaces {
    double left;
    double width;
    double topFirst;  // single and first pages
    double topNext;   // middle and last pages
    double columns[6];
    double quantityRight;  // right edges minus the 0.5 mm inset, from the inset left
    double unitLeft;
    double unitPriceRight;
    double amountRight;
    double remarkLeft;
    // The per-rate block in the open left part of the totals rows, from the inset left:
    // the base's right edge, the tax caption and the tax's right edge.
    double rateBaseRight;
    double rateTaxLeft;
    double rateTaxRight;
};

const TablePlaces PortraitTable{10,  180, 110, 30, {70, 15, 12, 25, 30, 28}, 84, 85, 121, 151,
                                152, 50,  53,  94};
const TablePlaces LandscapeTable{13.5, 260, 90, 10, {100, 20, 15, 30, 40, 55}, 119, 120, 164, 204,
                                 205,  60,  64, 124};

class PageDrawer {
  public:
    PageDrawer(QPainter& painter, const TSlipSource& source, TSlipResolution dpi)
        : p_(painter), s_(source), dpi_(dpi) {}

    int X(std::initializer_list<double> mm) const { return Sum(dpi_.X, mm); }
    int Y(std::initializer_list<double> mm) const { return Sum(dpi_.Y, mm); }

    void Text(int points, const QString& text, int y, int x, bool bold = false,
              bool underline = false) {
        DrawSlipText(p_, dpi_.Y, points, text, y, x, bold, underline);
    }
    void Text(int points, const QString& text, QPointF mm, bool bold = false,
              bool underline = false) {
        Text(points, text, Y({mm.y()}), X({mm.x()}), bold, underline);
    }
    // In a cell cellMm wide from the left (or, alignRight, ending at the right) edge x.
    void CellText(int points, const QString& text, int y, int x, double cellMm,
                  bool alignRight = false, bool bold = false, bool underline = false) {
        DrawSlipTextInCell(p_, dpi_.Y, points, text, y, alignRight ? x - MmToPx(dpi_.X, cellMm) : x,
                           MmToPx(dpi_.X, cellMm), alignRight, bold, underline);
    }
    void CellText(int points, const QString& text, QPointF mm, double cellMm, bool bold = false,
                  bool underline = false) {
        CellText(points, text, Y({mm.y()}), X({mm.x()}), cellMm, false, bold, underline);
    }
    int Width(const QString& text, int points, bool bold = false) const {
        return SlipTextWidth(text, dpi_.Y, points, bold);
    }
    void Picture(const QImage& image, QRectF mm) {
        if (!image.isNull()) {
            p_.drawImage(MmRect(mm), image);
        }
    }
    QRect MmRect(QRectF mm) const {
        const int left = X({mm.left()});
        const int top = Y({mm.top()});
        return QRect(left, top, X({mm.width()}), Y({mm.height()}));
    }

    QPainter& p_;
    const TSlipSource& s_;
    TSlipResolution dpi_;

  private:
    static int Sum(double dpi, std::initializer_list<double> mm) {
        int px = 0;
        for (double v : mm) {
            px += MmToPx(dpi, v);
        }
        return px;
    }
};

void DrawLogo(PageDrawer& d, QPointF at) {
    const QImage& logo = d.s_.Profile.LogoImage;
    const TLogoSize size = FitLogo(logo, 70, 25);
    d.Picture(logo, QRectF(at, QSizeF(size.Width, size.Height)));
}

// The addressee in the left position, or the sender there in the swapped layout.
void DrawLeftBlock(PageDrawer& d, const HeaderPlaces& h) {
    const TSlipHeaderBlock block = LeftHeaderBlock(d.s_);
    if (block.Logo) {
        DrawLogo(d, h.leftPostal);
        return;
    }
    const double x = h.leftPostal.x();
    // The block ends 2 mm before the right one starts.
    const double cell = h.rightPostal.x() - x - 2;
    d.CellText(12, block.Postal, h.leftPostal, cell);
    d.CellText(12, block.Address1, {x, h.leftAddressY[0]}, cell);
    d.CellText(12, block.Address2, {x, h.leftAddressY[1]}, cell);
    const int nameSize = block.Sender ? 12 : d.s_.Config.NameFontSize;
    for (size_t k = 0; k < 3; ++k) {
        d.CellText(nameSize, block.Names[k], {x, h.leftNameY[k]}, cell, true, true);
    }
    if (block.Sender) {
        d.CellText(12, block.ChargeName, {x, h.leftChargeY}, cell);
        d.CellText(12, block.TelFax, {x, h.leftTelFaxY}, cell);
    }
}

// The sender in the right position, or the addressee there in the swapped layout.
void DrawRightBlock(PageDrawer& d, const HeaderPlaces& h, double sheetWidthMm) {
    const TSlipHeaderBlock block = RightHeaderBlock(d.s_);
    if (block.Logo) {
        DrawLogo(d, h.rightPostal);
        return;
    }
    const double x = h.rightPostal.x();
    // The block ends at the 10 mm margin of the sheet.
    const double cell = sheetWidthMm - 10 - x;
    d.CellText(10, block.Postal, h.rightPostal, cell);
    d.CellText(10, block.Address1, {x, h.rightAddressY[0]}, cell);
    d.CellText(10, block.Address2, {x, h.rightAddressY[1]}, cell);
    for (size_t k = 0; k < 3; ++k) {
        d.CellText(12, block.Names[k], {x, h.rightNameY[k]}, cell);
    }
    if (block.Sender) {
        d.CellText(10, block.ChargeName, {x, h.rightChargeY}, cell);
        d.CellText(10, block.TelFax, {x, h.rightTelFaxY}, cell);
    }
}

void DrawStampBoxes(PageDrawer& d, QPointF at) {
    const double x0 = at.x();
    const double y0 = at.y();
    QPainter& p = d.p_;
    for (double dy : {0.0, 5.0, 20.0}) {
        p.drawLine(d.X({x0}), d.Y({y0, dy}), d.X({x0, 30}), d.Y({y0, dy}));
    }
    for (double dx : {0.0, 15.0, 30.0}) {
        p.drawLine(d.X({x0, dx}), d.Y({y0}), d.X({x0, dx}), d.Y({y0, 20}));
    }
    const TPrintOptions& o = d.s_.Options;
    const QString captions[] = {o.CheckStampMsg, StampBoxCaption(d.s_.Kind)};
    const int choices[] = {o.CheckStamp, o.PersonalStamp};
    const int cell = MmToPx(d.dpi_.X, 15);
    for (int box = 0; box < 2; ++box) {
        const double left = x0 + 15 * box;
        const int width = d.Width(captions[box], 10);
        d.Text(10, captions[box], d.Y({y0, 0.5}), d.X({left}) + (cell / 2 - width / 2));
        if (choices[box] > 0) {
            // Inset by 0.5 mm inside the 15 × 15 mm stamp area.
            const QImage& stamp = d.s_.Config.Stamp(choices[box] - 1);
            const QRect area(QPoint(d.X({left, 0.5}), d.Y({y0, 0.5, 5})),
                             QPoint(d.X({left, -0.5, 15}), d.Y({y0, -0.5, 5, 15})));
            if (!stamp.isNull()) {
                d.p_.drawImage(area, stamp);
            }
        }
    }
}

void DrawHeader(PageDrawer& d, const HeaderPlaces& h, int sheetWidthPx, double sheetWidthMm,
                bool isA4, bool isCopy) {
    const TSlipSource& s = d.s_;
    QString title;
    QString message;
    GetSlipTitle(s.Config, s.Kind, title, message);
    if (isCopy) {
        title += SlipCopyMark;
    }
    d.p_.setPen(SlipNavy);
    const int titleWidth = d.Width(title, 24);
    d.Text(24, title, d.Y({h.titleY}), sheetWidthPx / 2 - titleWidth / 2 - MmToPx(d.dpi_.X, 5),
           false, true);
    d.p_.setPen(QPen(Qt::black, 2));

    DrawLeftBlock(d, h);
    d.Text(10, message, h.message);
    d.Text(10, SlipCodeText(s.Document), h.slipCode);
    d.Text(10, SlipDateText(s.Document), h.date);
    d.Text(10, CustomerCodeText(s), h.customerCode);
    if (s.Profile.UseCampanyStamp) {
        d.Picture(s.Profile.StampImage, CompanyStampRect(s.Profile, isA4));
    }
    DrawRightBlock(d, h, sheetWidthMm);
    // Printed with a logo too: the number is what makes the invoice a qualified one.
    d.Text(10, RegistrationNoText(s.Document, s.Profile),
           s.Options.ChangeSR ? h.registrationSwapped : h.registration);
    if (s.Options.PrintStampArea) {
        DrawStampBoxes(d, h.stampBoxes);
    }
    const QStringList lines = BankOrConditionLines(s, true);
    const QPointF start = PrintsBankAccount(s) ? h.bank : h.conditions;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        d.CellText(10, lines[k], {start.x(), start.y() + 4.0 * static_cast<double>(k)},
                   sheetWidthMm - 10 - start.x());
    }
    const QString grandTotal = GrandTotalText(s);
    if (!grandTotal.isEmpty()) {
        const int width = d.Width(grandTotal, 18, true);
        d.Text(18, grandTotal, d.Y({h.grandTotalY}),
               MmToPx(d.dpi_.X, sheetWidthMm / 2) - width / 2 - MmToPx(d.dpi_.X, 5), true, true);
    }
}

void DrawUnitPicture(PageDrawer& d, int x, int y) {
    static QSvgRenderer* const renderer = [] {
        auto* svg = new QSvgRenderer(QStringLiteral(":/slips/m3.svg"));
        if (!svg->isValid()) {
            throw EFileError(QStringLiteral(":/slips/m3.svg: the m3 picture cannot be read"));
        }
        return svg;
    }();
    const QFontMetrics metrics(SlipFont(d.dpi_.Y, 10));
    renderer->render(&d.p_, QRectF(x, y, d.Width(QStringLiteral("あ"), 10), metrics.height()));
}

void DrawTable(PageDrawer& d, TSlipPageKind pageKind, int n, int m) {
    const TSlipSource& s = d.s_;
    const bool landscape = s.Options.Landscape;
    const TablePlaces& t = landscape ? LandscapeTable : PortraitTable;
    const bool remarks = s.Options.PrintNote;
    const double extra = remarks ? 0 : t.columns[5];
    const double top = HasHeaderBlocks(pageKind) ? t.topFirst : t.topNext;
    const int striped = StripedRowCount(landscape, pageKind);
    const int rows = TableRowCount(landscape, pageKind);
    const int left = d.X({t.left});
    const int right = d.X({t.left, t.width});
    auto rowTop = [&](int i, double offset = 0) { return d.Y({top, 5.5 * i, offset}); };
    QPainter& p = d.p_;

    p.setPen(Qt::NoPen);
    for (int i = 0; i < striped; ++i) {
        p.setBrush(
            WindowsColor::ToColor(i % 2 == 0 ? s.Config.LINE_COLOR_ODD : s.Config.LINE_COLOR_EVEN));
        p.drawRect(QRect(QPoint(left, rowTop(i)), QPoint(right, rowTop(i + 1))));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2));

    const QString* captions[] = {&s.Config.ITEM_NAME,  &s.Config.ART,   &s.Config.UNIT_NAME,
                                 &s.Config.UNIT_PRICE, &s.Config.PRICE, &s.Config.NOTE};
    int columnLeft = left;
    for (int c = 0; c < (remarks ? 6 : 5); ++c) {
        const int width = MmToPx(d.dpi_.X, t.columns[c] + (c == 0 ? extra : 0));
        d.Text(10, *captions[c], rowTop(0, 1),
               columnLeft + (width / 2 - d.Width(*captions[c], 10) / 2));
        columnLeft += width;
    }

    p.setPen(QPen(SlipNavy, 2));
    p.drawRect(QRect(QPoint(left, rowTop(0)), QPoint(right, rowTop(rows))));
    for (int k = 0; k <= striped; ++k) {
        p.drawLine(left, rowTop(k), right, rowTop(k));
    }
    const int dividers = DividerRowCount(s.Kind, landscape, pageKind);
    // Item name, quantity and unit end above the amounts rows; unit price and amount run
    // down every striped row. With remarks off the amount's edge is the frame, except on
    // last pages.
    int x = left;
    for (int c = 0; c < 5; ++c) {
        x += MmToPx(d.dpi_.X, t.columns[c] + (c == 0 ? extra : 0));
        if (c == 4 && !remarks && pageKind != TSlipPageKind::pkLast) {
            break;
        }
        p.drawLine(x, rowTop(0), x, rowTop(c < 3 ? dividers : striped));
    }
    p.setPen(QPen(Qt::black, 2));

    const int a = d.X({t.left, 0.5});
    // Each cell is its column less the 0.5 mm insets at both sides.
    auto cell = [&](int c) { return t.columns[c] + (c == 0 ? extra : 0) - 1; };
    auto rightAligned = [&](const QString& text, double edge, int y, double cellMm) {
        d.CellText(10, text, y, a + MmToPx(d.dpi_.X, extra + edge), cellMm, true);
    };
    const TSlipLineRange range = SlipLineRange(s, n, m);
    for (int k = 1; k <= range.Count; ++k) {
        const TSlipLineRow row = SlipLineRow(s, s.Document.Items(range.First + k - 1));
        const int y = rowTop(k, 1);
        d.CellText(10, row.ItemName, y, a, cell(0));
        rightAligned(row.Num, t.quantityRight, y, cell(1));
        const int unitX = a + MmToPx(d.dpi_.X, extra + t.unitLeft);
        if (row.UnitName == QStringLiteral("m3")) {
            DrawUnitPicture(d, unitX, y);
        } else {
            d.CellText(10, row.UnitName, y, unitX, cell(2));
        }
        rightAligned(row.UnitPrice, t.unitPriceRight, y, cell(3));
        rightAligned(row.TotalPrice, t.amountRight, y, cell(4));
        d.CellText(10, row.Etc, y, a + MmToPx(d.dpi_.X, t.remarkLeft), cell(5));
    }

    if (HasAmountsRows(s.Kind)) {
        const int first = SlipCapacity(s.Kind, landscape).Of(pageKind) + 1;
        const std::vector<TSlipRateRow> rates =
            HasRemarkRows(pageKind) ? SlipRateRows(s) : std::vector<TSlipRateRow>();
        // The per-rate block takes the open left part of the totals rows; their captions move
        // into the unit-price column to make room.
        const int captionX =
            rates.empty() ? d.X({t.left, 50})
                          : d.X({t.left, 0.5}) + MmToPx(d.dpi_.X, extra + t.columns[0] +
                                                                      t.columns[1] + t.columns[2]);
        for (size_t k = 0; k < rates.size() && k < 3; ++k) {
            const TSlipRateRow& rate = rates[k];
            const int y = rowTop(first + static_cast<int>(k), 1);
            d.Text(10, rate.Caption, y, a);
            d.Text(10, rate.Base, y,
                   a + MmToPx(d.dpi_.X, t.rateBaseRight) - d.Width(rate.Base, 10));
            d.Text(10, rate.TaxCaption, y, a + MmToPx(d.dpi_.X, t.rateTaxLeft));
            d.Text(10, rate.Tax, y, a + MmToPx(d.dpi_.X, t.rateTaxRight) - d.Width(rate.Tax, 10));
        }
        auto amountsRow = [&](int row, const QString& caption, const QString& amount) {
            d.Text(10, caption, rowTop(row, 1), captionX);
            rightAligned(amount, t.amountRight, rowTop(row, 1), cell(4));
        };
        if (HasRemarkRows(pageKind)) {
            const auto totals = SlipTotalRows(s);
            for (int k = 0; k < 3; ++k) {
                const TSlipTotalRow& total = totals[static_cast<size_t>(k)];
                amountsRow(first + k, total.Caption, total.Amount);
            }
        } else {
            amountsRow(first, PageTotalCaption, PageTotalText(s, range));
        }
    }
    if (HasRemarkRows(pageKind)) {
        const QStringList remarkRows = RemarkRows(s.Document);
        for (int r = 0; r < remarkRows.size(); ++r) {
            d.CellText(10, remarkRows[r], rowTop(striped + r, 1), a, t.width - 1);
        }
    }
    if (HasRemarkRows(pageKind)) {
        // Below the frame, left of where a page number stands.
        d.Text(10, ReducedNoteText(s.Document), rowTop(rows, 2), a);
    }
    if (pageKind != TSlipPageKind::pkSingle) {
        const QString number = PageNumberText(n, m);
        const int sheetWidth = MmToPx(d.dpi_.X, landscape ? 297 : 210);
        d.Text(12, number, rowTop(rows, 2), sheetWidth / 2 - d.Width(number, 12) / 2);
    }
}

}  // namespace

QRectF CompanyStampRect(const TThCampanyInfo& profile, bool isA4, const TStampPosition& at) {
    if (isA4) {
        return {profile.*at.XA4 - 5, profile.*at.YA4, profile.CampanyStampWidth_A4,
                profile.CampanyStampHeight_A4};
    }
    return {profile.*at.XB5 / B5PrintScale - 5, profile.*at.YB5 / B5PrintScale,
            profile.CampanyStampWidth_B5 / B5PrintScale,
            profile.CampanyStampHeight_B5 / B5PrintScale};
}

QRectF CompanyStampRect(const TThCampanyInfo& profile, bool isA4) {
    return CompanyStampRect(
        profile, isA4,
        {&TThCampanyInfo::CampanyStampDetailPosX_A4, &TThCampanyInfo::CampanyStampDetailPosY_A4,
         &TThCampanyInfo::CampanyStampDetailPosX_B5, &TThCampanyInfo::CampanyStampDetailPosY_B5});
}

void DrawSlipPage(QPainter& painter, const TSlipPagePicture& page, QSize target) {
    const QPaintDevice* device = painter.device();
    const double playX = static_cast<double>(device->logicalDpiX()) / page.Picture.logicalDpiX();
    const double playY = static_cast<double>(device->logicalDpiY()) / page.Picture.logicalDpiY();
    painter.save();
    painter.scale(target.width() / (page.Size.width() * playX),
                  target.height() / (page.Size.height() * playY));
    painter.drawPicture(0, 0, page.Picture);
    painter.restore();
}

TSlipPagePicture RenderSlipPage(const TSlipSource& source, TSlipPageKind pageKind, bool isA4,
                                bool isCopy, int n, int m, TSlipResolution dpi) {
    const bool landscape = source.Options.Landscape;
    const double widthMm = landscape ? 297 : 210;
    const double heightMm = landscape ? 210 : 297;
    TSlipPagePicture page;
    page.Size = QSize(MmToPx(dpi.X, widthMm), MmToPx(dpi.Y, heightMm));
    page.Picture.setBoundingRect(QRect(QPoint(0, 0), page.Size));
    QPainter painter(&page.Picture);
    painter.fillRect(QRect(QPoint(0, 0), page.Size), Qt::white);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2));
    PageDrawer drawer(painter, source, dpi);
    if (HasHeaderBlocks(pageKind)) {
        DrawHeader(drawer, landscape ? Landscape : Portrait, page.Size.width(), widthMm, isA4,
                   isCopy);
    }
    DrawTable(drawer, pageKind, n, m);
    painter.end();
    return page;
}
