#pragma once

// The fax cover sheet (FAX送信状): a one-page letter in front of a faxed slip, with the
// document's addressee, the sender, a subject, the pages sent, four request boxes and free
// text. Only the addressee and the date of the document are used.

#include <QString>
#include <QStringList>
#include <array>

#include "RenderSlipPage.h"

class IniFile;
class TPRPage;
class TSlipPdfTemplates;
class TThCampanyInfo;
class TThConfigInfo;
class TThEstimateObjectList;

// 至急, ご参考まで, ご確認ください, ご返信ください.
inline constexpr int FaxRequestCount = 4;

// The states of the fax cover's options window, all kept in print.ini.
struct TFaxSenderOptions {
    QString Printer;                               // PRINTER
    int CustomerInfo = 0;                          // CUSTOMER_INFO: sender profile 0-2
    int PaperSize = 0;                             // PAPER_SIZE: 0 A4, 1 B5
    QString Subject;                               // TITLE: 要件
    int PaperNum = 2;                              // PAPER_NUM: 送付枚数, 1 to 1000
    bool PrintName = false;                        // PRINT_NAME
    std::array<bool, FaxRequestCount> Requests{};  // OPTION1-4
    QString Content;                               // CONTENT: 連絡事項, lines in CR LF
};

inline constexpr int FaxPaperNumMin = 1;
inline constexpr int FaxPaperNumMax = 1000;

// The print.ini keys of its section, in file order.
const QStringList& FaxSenderOptionKeys();
// Profile and paper are found ignoring letter case; "#CRLF#" in CONTENT is a line break.
TFaxSenderOptions LoadFaxSenderOptions(const IniFile& printIni);
void SaveFaxSenderOptions(IniFile& printIni, const TFaxSenderOptions& options);
// The request boxes' texts.
const std::array<QString, FaxRequestCount>& FaxRequestTexts();

struct TFaxSenderSource {
    const TThEstimateObjectList& Document;
    const TThConfigInfo& Config;
    const TThCampanyInfo& Profile;
    const TFaxSenderOptions& Options;
};

// "日付：" with the document's date and "送付枚数：" with the pages sent.
QString FaxDateLine(const TFaxSenderSource& source);
// The lines of the contents.
QStringList FaxContentLines(const TFaxSenderOptions& options);

// The sheet as a picture for the printer and the preview; isA4 only moves the seal.
TSlipPagePicture RenderFaxSender(const TFaxSenderSource& source, bool isA4, TSlipResolution dpi);

// The filled template page PRPageFaxSender, valid until it is built again.
TPRPage& BuildFaxSenderPdfPage(TSlipPdfTemplates& templates, const TFaxSenderSource& source);
// The one page into a PDF file, written atomically.
void SaveFaxSenderPdf(TSlipPdfTemplates& templates, const TFaxSenderSource& source,
                      const QString& fileName);
