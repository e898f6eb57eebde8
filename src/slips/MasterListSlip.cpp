#include "MasterListSlip.h"

#include <QPainter>
#include <cmath>
#include <vector>

#include "AmountText.h"
#include "ModelError.h"
#include "SlipDrawing.h"
#include "SlipLayout.h"
#include "SlipPrintRun.h"
#include "TPRLabel.h"
#include "TPRLayoutPanel.h"
#include "TPRPage.h"
#include "TPRRect.h"
#include "TSlipPdfTemplates.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThEstimateObjectList.h"
#include "TThItemObjectList.h"
#include "WindowsColor.h"

namespace {

const QString ItemListTitle = QStringLiteral("品名リスト");
const QString CustomerListTitle = QStringLiteral("お客様一覧");
const QString ItemListPage = QStringLiteral("ItemList");
const QString CustomerListPage = QStringLiteral("CustomerList");

int EntryCount(const TMasterListSource& source) {
    return source.Kind == skItemList ? source.Items.Count() : source.Customers.Count();
}

QString UnitText(const TThItemObject& item) {
    return item.UnitName == TThItemObject::NoUnit ? QString() : item.UnitName;
}

QString PriceText(const TMasterListSource& source, const TThItemObject& item) {
    return FormatAmount(false, item.UnitPrice, source.Config.PRINTDECIMAL);
}

// The nine fields of a customer row as the customer list prints them, row by row.
struct CustomerCell {
    QString TThCustomerObject::*Field;
    const char* PdfRole;  // the label of row n is PdfRole + n
    int Band;             // 0, 1, 2 from the top of the block
    double LeftMm;
};

const CustomerCell CustomerCells[] = {
    {&TThCustomerObject::CusCode, "Code", 0, 10.5},
    {&TThCustomerObject::Name1, "Office1_", 0, 30.5},
    {&TThCustomerObject::Name2, "Office2_", 0, 84.5},
    {&TThCustomerObject::Name3, "Office3_", 0, 138.5},
    {&TThCustomerObject::Zip, "Zip", 1, 10.5},
    {&TThCustomerObject::Add1, "Address1_", 1, 30.5},
    {&TThCustomerObject::Tel, "Tel", 1, 138.5},
    {&TThCustomerObject::Add2, "Address2_", 2, 10.5},
    {&TThCustomerObject::Fax, "Fax", 2, 138.5},
};

struct Heading {
    const char* Text;
    int Band;
    double CentreMm;
};

const Heading CustomerHeadings[] = {
    {"お客様コード", 0, 20}, {"会社名１", 0, 57}, {"会社名２", 0, 111},
    {"会社名３", 0, 165.5},  {"郵便番号", 1, 20}, {"住所１", 1, 84},
    {"TEL", 1, 165.5},       {"住所２", 2, 74},   {"FAX", 2, 165.5},
};

// Separators of each band of a customer block, in mm across the sheet.
const std::vector<double> CustomerSeparators[] = {{30, 84, 138}, {30, 138}, {138}};

// An A4 portrait sheet in printer pixels, drawn in millimetres. Texts are drawn and measured
// across at the horizontal resolution and placed down by their height at the vertical one.
class ListPainter {
  public:
    ListPainter(TSlipPagePicture& page, TSlipResolution dpi) : dpi_(dpi) {
        page.Size = QSize(X(210), Y(297));
        page.Picture.setBoundingRect(QRect(QPoint(0, 0), page.Size));
        width_ = page.Size.width();
        p_.begin(&page.Picture);
        p_.fillRect(QRect(QPoint(0, 0), page.Size), Qt::white);
        p_.setBrush(Qt::NoBrush);
        Pen(2);
    }
    ~ListPainter() { p_.end(); }
    ListPainter(const ListPainter&) = delete;
    ListPainter& operator=(const ListPainter&) = delete;

    int X(double mm) const { return MmToPx(dpi_.X, mm); }
    int Y(double mm) const { return MmToPx(dpi_.Y, mm); }
    void Pen(int pixels) { p_.setPen(QPen(Qt::black, pixels)); }

    // Title at the top, the date above the table's right end.
    void Heading(const QString& title, const QString& date) {
        p_.setPen(SlipNavy);
        DrawSlipText(p_, dpi_.X, 18, title, Y(15), width_ / 2 - Width(title, 18) / 2, false, true);
        Pen(2);
        Draw(8, date, X(189.5) - Width(date, 8), Y(24.5) - Height(8));
    }
    void PageNumber(int p, int count) {
        const QString text = PageNumberText(p, count);
        Draw(12, text, width_ / 2 - Width(text, 12) / 2, Y(267));
    }

    void Band(double topMm, double bottomMm, int windowsColor) {
        const int top = Y(topMm);
        p_.fillRect(QRect(X(10), top, X(190) - X(10), Y(bottomMm) - top),
                    WindowsColor::ToColor(windowsColor));
    }
    void Line(double x1, double y1, double x2, double y2) {
        p_.drawLine(X(x1), Y(y1), X(x2), Y(y2));
    }
    void Frame() { p_.drawRect(QRect(QPoint(X(10), Y(25)), QPoint(X(190), Y(265)))); }

    // Texts vertically centred on yMm: centred on xMm, starting at it, or ending at it.
    void Centred(int points, const QString& text, double xMm, double yMm) {
        Draw(points, text, X(xMm) - Width(text, points) / 2, Middle(points, yMm));
    }
    void LeftAt(int points, const QString& text, double xMm, double yMm) {
        Draw(points, text, X(xMm), Middle(points, yMm));
    }
    void RightAt(int points, const QString& text, double xMm, double yMm) {
        Draw(points, text, X(xMm) - Width(text, points), Middle(points, yMm));
    }

  private:
    int Width(const QString& text, int points) const { return SlipTextWidth(text, dpi_.X, points); }
    int Height(int points) const { return SlipFont(dpi_.Y, points).pixelSize(); }
    int Middle(int points, double yMm) const { return Y(yMm) - Height(points) / 2; }
    void Draw(int points, const QString& text, int x, int y) {
        DrawSlipText(p_, dpi_.X, points, text, y, x);
    }

    TSlipResolution dpi_;
    QPainter p_;
    int width_ = 0;
};

// The components of one list template, by the roles its file gives them; a template that
// lacks one is broken.
class ListTemplate {
  public:
    ListTemplate(const TSlipPdfTemplates& templates, const QString& name)
        : page_(templates.Template(name)), name_(name) {}

    TPRPage& Page() const { return page_; }
    TPRLabel& Label(const QString& role) const { return Find<TPRLabel>("PRLabel", role); }
    TPRLabel& Label(const char* role, int n) const {
        return Label(QLatin1String(role) + QString::number(n));
    }
    TPRRect& Rect(const QString& role) const { return Find<TPRRect>("PRRect", role); }
    int PanelWidth() const { return Find<TPRLayoutPanel>("PRLayoutPanel", QString()).Width; }

    // Title, date and page number; the title is as wide as its text and centred on the
    // panel, its underline below it.
    void FillPageFrame(const QString& title, const QString& date, int p, int count) const {
        TPRLabel& titleLabel = Label(QStringLiteral("Title"));
        titleLabel.SetCaption(title);
        Label(QStringLiteral("Date")).SetCaption(date);
        Label(QStringLiteral("PageNo")).SetCaption(PageNumberText(p, count));
        CentreLabel(titleLabel, PanelWidth());
        TPRRect& underline = Rect(QStringLiteral("TitleUnderLine"));
        underline.Left = titleLabel.Left;
        underline.Width = titleLabel.Width;
    }

    // The date, the page number and the row labels of every row.
    void Clear(const std::vector<const char*>& rowRoles, int rows) const {
        Label(QStringLiteral("Date")).SetCaption(QString());
        Label(QStringLiteral("PageNo")).SetCaption(QString());
        for (int n = 1; n <= rows; ++n) {
            for (const char* role : rowRoles) {
                Label(role, n).SetCaption(QString());
            }
        }
    }

  private:
    template <class T>
    T& Find(const char* prefix, const QString& role) const {
        const QString name = QLatin1String(prefix) + name_ + role;
        T* found = page_.Find<T>(name);
        if (found == nullptr) {
            throw EFileFormatError(
                QStringLiteral(":/slips/%1.json: \"%2\" is missing").arg(name_, name));
        }
        return *found;
    }

    TPRPage& page_;
    QString name_;
};

}  // namespace

QString ListDateText(const TThEstimateObjectList& document) {
    return document.Year + QStringLiteral("年") + document.Month + QStringLiteral("月") +
           document.Day + QStringLiteral("日");
}

int ListRowsPerPage(TSlipKind kind) {
    return kind == skItemList ? 47 : 15;
}

int SlipPageCount(const TMasterListSource& source) {
    const int rows = ListRowsPerPage(source.Kind);
    return std::max(1, (EntryCount(source) + rows - 1) / rows);
}

TSlipPagePicture DrawItemListPage(const TMasterListSource& source, int p, int count,
                                  TSlipResolution dpi) {
    TSlipPagePicture page;
    {
        ListPainter d(page, dpi);
        d.Heading(ItemListTitle, source.Date);
        const int rows = ListRowsPerPage(skItemList);
        for (int b = 0; b <= rows; ++b) {
            d.Band(25 + 5 * b, 30 + 5 * b,
                   b % 2 == 0 ? source.Config.LINE_COLOR_ODD : source.Config.LINE_COLOR_EVEN);
        }
        d.Pen(5);
        d.Frame();
        for (double x : {153.0, 165.0, 190.0}) {
            d.Line(x, 25, x, 265);
        }
        d.Pen(1);
        for (int b = 1; b <= rows; ++b) {
            d.Line(10, 25 + 5 * b, 190, 25 + 5 * b);
        }
        d.Pen(2);
        d.Centred(10, QStringLiteral("品名"), 81.5, 27.5);
        d.Centred(10, QStringLiteral("単位"), 159, 27.5);
        d.Centred(10, QStringLiteral("単価"), 177.5, 27.5);
        const int first = (p - 1) * rows;
        for (int k = 0; k < rows && first + k < source.Items.Count(); ++k) {
            const TThItemObject& item = source.Items.Items(first + k);
            const double y = 32.5 + 5 * k;
            d.LeftAt(10, item.ItemName, 10.5, y);
            d.LeftAt(10, UnitText(item), 153.5, y);
            d.RightAt(10, PriceText(source, item), 189.5, y);
        }
        d.PageNumber(p, count);
    }
    return page;
}

TSlipPagePicture DrawCustomerListPage(const TMasterListSource& source, int p, int count,
                                      TSlipResolution dpi) {
    TSlipPagePicture page;
    {
        ListPainter d(page, dpi);
        d.Heading(CustomerListTitle, source.Date);
        const int rows = ListRowsPerPage(skCustomerList);
        for (int b = 0; b <= rows; ++b) {
            const double y0 = 25 + 15 * b;
            d.Band(y0, y0 + 5, source.Config.LINE_COLOR_ODD);
            d.Band(y0 + 5, y0 + 15, source.Config.LINE_COLOR_EVEN);
        }
        for (int b = 0; b <= rows; ++b) {
            const double y0 = 25 + 15 * b;
            // The heading block's separators are finer than the customers'.
            d.Pen(b == 0 ? 1 : 2);
            for (int band = 0; band < 3; ++band) {
                for (double x : CustomerSeparators[band]) {
                    d.Line(x, y0 + 5 * band, x, y0 + 5 * band + 5);
                }
            }
            d.Pen(7);
            d.Line(10, y0, 190, y0);
            d.Pen(2);
            d.Line(10, y0 + 5, 190, y0 + 5);
            d.Line(10, y0 + 10, 190, y0 + 10);
        }
        d.Pen(7);
        d.Frame();
        d.Pen(2);
        for (const Heading& heading : CustomerHeadings) {
            d.Centred(8, QString::fromUtf8(heading.Text), heading.CentreMm,
                      27.5 + 5 * heading.Band);
        }
        const int first = (p - 1) * rows;
        for (int k = 0; k < rows && first + k < source.Customers.Count(); ++k) {
            const TThCustomerObject& customer = source.Customers.Items(first + k);
            for (const CustomerCell& cell : CustomerCells) {
                d.LeftAt(8, customer.*cell.Field, cell.LeftMm, 42.5 + 15 * k + 5 * cell.Band);
            }
        }
        d.PageNumber(p, count);
    }
    return page;
}

TSlipPagePicture DrawListPage(const TMasterListSource& source, int p, int count,
                              TSlipResolution dpi) {
    return source.Kind == skItemList ? DrawItemListPage(source, p, count, dpi)
                                     : DrawCustomerListPage(source, p, count, dpi);
}

void PrintListPages(QPainter& painter, const TMasterListSource& source, bool isA4,
                    TSlipResolution dpi, const std::function<void()>& newPage) {
    const int count = SlipPageCount(source);
    const double scale = PrintScale(isA4);
    for (int p = 1; p <= count; ++p) {
        if (p > 1) {
            newPage();
        }
        const TSlipPagePicture page = DrawListPage(source, p, count, dpi);
        DrawSlipPage(painter, page,
                     QSize(static_cast<int>(std::lround(page.Size.width() * scale)),
                           static_cast<int>(std::lround(page.Size.height() * scale))));
    }
}

TPRPage& FillItemListPdfPage(TSlipPdfTemplates& templates, const TMasterListSource& source, int p,
                             int count) {
    const ListTemplate page(templates, ItemListPage);
    const int rows = ListRowsPerPage(skItemList);
    page.Clear({"ItemName", "ItemUnit", "ItemUnitPrice"}, rows);
    const int first = (p - 1) * rows;
    for (int n = 1; n <= rows && first + n - 1 < source.Items.Count(); ++n) {
        const TThItemObject& item = source.Items.Items(first + n - 1);
        page.Label("ItemName", n).SetCaption(item.ItemName);
        page.Label("ItemUnit", n).SetCaption(UnitText(item));
        page.Label("ItemUnitPrice", n).SetCaption(PriceText(source, item));
    }
    page.FillPageFrame(ItemListTitle, source.Date, p, count);
    return page.Page();
}

TPRPage& FillCustomerListPdfPage(TSlipPdfTemplates& templates, const TMasterListSource& source,
                                 int p, int count) {
    const ListTemplate page(templates, CustomerListPage);
    const int rows = ListRowsPerPage(skCustomerList);
    std::vector<const char*> roles;
    for (const CustomerCell& cell : CustomerCells) {
        roles.push_back(cell.PdfRole);
    }
    page.Clear(roles, rows);
    const int first = (p - 1) * rows;
    for (int n = 1; n <= rows && first + n - 1 < source.Customers.Count(); ++n) {
        const TThCustomerObject& customer = source.Customers.Items(first + n - 1);
        for (const CustomerCell& cell : CustomerCells) {
            page.Label(cell.PdfRole, n).SetCaption(customer.*cell.Field);
        }
    }
    page.FillPageFrame(CustomerListTitle, source.Date, p, count);
    return page.Page();
}

void SaveListPdf(TSlipPdfTemplates& templates, const TMasterListSource& source,
                 const QString& fileName) {
    const int count = SlipPageCount(source);
    templates.SavePdf(fileName, [&] {
        for (int p = 1; p <= count; ++p) {
            templates.Report().PrintPage(
                source.Kind == skItemList ? FillItemListPdfPage(templates, source, p, count)
                                          : FillCustomerListPdfPage(templates, source, p, count));
        }
    });
}

void ApplyListLineColors(TSlipPdfTemplates& templates, const TThConfigInfo& config) {
    const int odd = config.LINE_COLOR_ODD;
    const int even = config.LINE_COLOR_EVEN;
    const ListTemplate items(templates, ItemListPage);
    items.Rect(QStringLiteral("LineHeader")).FillColor = odd;
    for (int n = 1; n <= ListRowsPerPage(skItemList); ++n) {
        items.Rect(QStringLiteral("Line%1").arg(n)).FillColor = n % 2 == 1 ? even : odd;
    }
    const ListTemplate customers(templates, CustomerListPage);
    for (int part = 1; part <= 3; ++part) {
        const int colour = part == 1 ? odd : even;
        customers.Rect(QStringLiteral("LineHeader%1").arg(part)).FillColor = colour;
        for (int n = 1; n <= ListRowsPerPage(skCustomerList); ++n) {
            customers.Rect(QStringLiteral("Line%1_%2").arg(n).arg(part)).FillColor = colour;
        }
    }
}
