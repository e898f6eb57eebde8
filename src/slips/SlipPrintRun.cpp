#include "SlipPrintRun.h"

#include <QPainter>
#include <cmath>

#include "SlipLayout.h"
#include "TPrintOptions.h"

std::vector<TSlipSheet> SlipSheets(int m, bool withCopies) {
    std::vector<TSlipSheet> sheets;
    const int total = withCopies ? 2 * m : m;
    for (int i = 1; i <= total; ++i) {
        TSlipSheet sheet;
        sheet.Copy = i > m;
        sheet.Number = sheet.Copy ? i - m : i;
        sheet.PageKind = SlipPageKindOf(sheet.Number, m);
        if (!sheets.empty()) {
            // A break follows first and middle pages; the copy run starts on a sheet of its own.
            const TSlipPageKind before = sheets.back().PageKind;
            sheet.NewPageBefore = before == TSlipPageKind::pkFirst ||
                                  before == TSlipPageKind::pkMiddle ||
                                  (sheet.Copy && (sheet.PageKind == TSlipPageKind::pkSingle ||
                                                  sheet.PageKind == TSlipPageKind::pkFirst));
        }
        sheets.push_back(sheet);
    }
    return sheets;
}

void PrintSlipSheets(QPainter& painter, const TSlipSource& source, bool isA4, TSlipResolution dpi,
                     const std::function<void()>& newPage) {
    const int m = SlipPageCount(source);
    const double scale = PrintScale(isA4);
    for (const TSlipSheet& sheet : SlipSheets(m, source.Options.PrintCopy)) {
        if (sheet.NewPageBefore) {
            newPage();
        }
        const TSlipPagePicture page =
            RenderSlipPage(source, sheet.PageKind, isA4, sheet.Copy, sheet.Number, m, dpi);
        const QSize target(static_cast<int>(std::lround(page.Size.width() * scale)),
                           static_cast<int>(std::lround(page.Size.height() * scale)));
        DrawSlipPage(painter, page, target);
    }
}
