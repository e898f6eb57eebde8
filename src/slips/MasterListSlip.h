#pragma once

// The printed master lists: the item list (品名リスト, 47 items a page) and the customer list
// (お客様一覧, 15 customers a page), as pictures for the printer and the preview and as
// filled PDF template pages.

#include <QString>
#include <functional>

#include "RenderSlipPage.h"
#include "TSlipKind.h"

class QPainter;
class TPRPage;
class TSlipPdfTemplates;
class TThConfigInfo;
class TThCustomerObjectList;
class TThEstimateObjectList;
class TThItemObjectList;

// Everything one list print is made of; Kind is skItemList or skCustomerList. Date is the
// text printed on every page.
struct TMasterListSource {
    TSlipKind Kind;
    const TThItemObjectList& Items;
    const TThCustomerObjectList& Customers;
    const TThConfigInfo& Config;
    QString Date;
};

// The header date of the document as the lists print it: "令和08年12月10日".
QString ListDateText(const TThEstimateObjectList& document);

// Rows of one page: 47 items or 15 customers.
int ListRowsPerPage(TSlipKind kind);
// The entries over the rows of a page, at least one page for an empty master.
int SlipPageCount(const TMasterListSource& source);

// Page p (from 1) of count as an A4 portrait picture at dpi.
TSlipPagePicture DrawItemListPage(const TMasterListSource& source, int p, int count,
                                  TSlipResolution dpi);
TSlipPagePicture DrawCustomerListPage(const TMasterListSource& source, int p, int count,
                                      TSlipResolution dpi);
// The page of the source's kind.
TSlipPagePicture DrawListPage(const TMasterListSource& source, int p, int count,
                              TSlipResolution dpi);

// Every page onto the painter's device, shrunk for B5 from the top-left corner; newPage
// starts the next sheet.
void PrintListPages(QPainter& painter, const TMasterListSource& source, bool isA4,
                    TSlipResolution dpi, const std::function<void()>& newPage);

// The template page (PRPageItemList, PRPageCustomerList) filled for page p of count, valid
// until it is filled again.
TPRPage& FillItemListPdfPage(TSlipPdfTemplates& templates, const TMasterListSource& source, int p,
                             int count);
TPRPage& FillCustomerListPdfPage(TSlipPdfTemplates& templates, const TMasterListSource& source,
                                 int p, int count);
// Every page of the list into one PDF file, written atomically.
void SaveListPdf(TSlipPdfTemplates& templates, const TMasterListSource& source,
                 const QString& fileName);

// The stripes of both list templates from LINE_COLOR_ODD and LINE_COLOR_EVEN.
void ApplyListLineColors(TSlipPdfTemplates& templates, const TThConfigInfo& config);
