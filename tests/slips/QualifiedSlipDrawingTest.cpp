#include <gtest/gtest.h>

#include <QPainter>

#include "DrawnPage.h"
#include "QualifiedFixture.h"
#include "RenderSlipPage.h"
#include "SlipDrawing.h"
#include "TotalClaimSlip.h"

namespace {

constexpr double Dpi = 100;

QImage Page(const QualifiedSlip& slip) {
    return DrawnPage(
        RenderSlipPage(slip.Source(), TSlipPageKind::pkSingle, true, false, 1, 1, {Dpi, Dpi}));
}

QRect MmRect(double left, double top, double right, double bottom) {
    return QRect(QPoint(MmToPx(Dpi, left), MmToPx(Dpi, top)),
                 QPoint(MmToPx(Dpi, right), MmToPx(Dpi, bottom)));
}

// Every pixel where the two pictures differ lies in one of the places, and each place
// holds some of them: what is added goes where it is meant to and nowhere else.
void ExpectChangesOnlyIn(const QImage& before, const QImage& after,
                         const std::vector<std::pair<const char*, QRect>>& places) {
    ASSERT_EQ(before.size(), after.size());
    std::vector<int> hits(places.size(), 0);
    int strays = 0;
    QPoint firstStray;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y)) {
                continue;
            }
            bool placed = false;
            for (size_t k = 0; k < places.size(); ++k) {
                if (places[k].second.contains(x, y)) {
                    ++hits[k];
                    placed = true;
                }
            }
            if (!placed && strays++ == 0) {
                firstStray = {x, y};
            }
        }
    }
    EXPECT_EQ(strays, 0) << "first at " << firstStray.x() * 25.4 / Dpi << " mm, "
                         << firstStray.y() * 25.4 / Dpi << " mm";
    for (size_t k = 0; k < places.size(); ++k) {
        EXPECT_GT(hits[k], 0) << places[k].first;
    }
}

TEST(QualifiedSlipDrawing, SwitchedOffTheNewFactsDrawNothing) {
    for (bool landscape : {false, true}) {
        QualifiedSlip marked(false);
        QualifiedSlip plain(false);
        marked.options.Landscape = plain.options.Landscape = landscape;
        for (int i = 0; i < 4; ++i) {
            plain.document.Items(i).Reduced = false;
        }
        plain.profiles.Items(0).RegistrationNo.clear();
        EXPECT_EQ(Page(marked), Page(plain)) << landscape;
    }
}

TEST(QualifiedSlipDrawing, NumberMarksBlockAndNoteGoWhereTheyBelong) {
    // Sheet millimetres: the line below the sender, the third line's name cell (緑茶), the
    // three totals rows up to the amount column's edge (the tax is 420 on, 450 off), the
    // line below the table.
    struct Case {
        bool landscape;
        std::vector<std::pair<const char*, QRect>> places;
    };
    const Case cases[] = {
        {false,
         {{"number", MmRect(109, 68.5, 160, 74)},
          {"mark", MmRect(10.5, 127, 80, 132)},
          {"block", MmRect(10.5, 226, 162, 242)},
          {"note", MmRect(10, 265.5, 45, 271)}}},
        {true,
         {{"number", MmRect(204, 53.5, 250, 58.5)},
          {"mark", MmRect(14, 107, 113, 112)},
          {"block", MmRect(14, 151, 218.5, 167)},
          {"note", MmRect(13.5, 190.5, 50, 196)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.landscape);
        QualifiedSlip on;
        QualifiedSlip off(false);
        on.options.Landscape = off.options.Landscape = c.landscape;
        ExpectChangesOnlyIn(Page(off), Page(on), c.places);
    }
}

TEST(QualifiedSlipDrawing, SwappedSenderKeepsItsNumberBesideIt) {
    QualifiedSlip on;
    QualifiedSlip off(false);
    for (QualifiedSlip* slip : {&on, &off}) {
        slip->kind = skJuryo;
        slip->options.ChangeSR = true;
    }
    ExpectChangesOnlyIn(Page(off), Page(on),
                        {{"number", MmRect(20.5, 70, 70, 75)},
                         {"mark", MmRect(10.5, 127, 80, 132)},
                         {"block", MmRect(10.5, 226, 162, 242)},
                         {"note", MmRect(10, 265.5, 45, 271)}});
}

TEST(QualifiedSlipDrawing, TotalInvoiceBlockStandsLeftOfTheSender) {
    auto sheet = [](bool on) {
        QualifiedSlip slip(on);
        slip.document.TotalClaimMode = true;
        // The account table shows the same sums either way.
        slip.document.SubTotal = Currency::fromUnits(5000);
        slip.document.Tax = Currency::fromUnits(420);
        slip.document.Total = Currency::fromUnits(5420);
        const TTotalClaimOptions claim;
        return DrawnPage(RenderTotalClaim(
            {slip.document, slip.config, slip.profiles.Items(0), claim}, true, {Dpi, Dpi}));
    };
    // Both halves, the copy 115 mm lower.
    std::vector<std::pair<const char*, QRect>> places;
    for (double o : {0.0, 115.0}) {
        places.push_back({o == 0 ? "block" : "copy's block", MmRect(20.5, o + 61.5, 110, o + 74)});
        places.push_back(
            {o == 0 ? "number" : "copy's number", MmRect(114.5, o + 75, 160, o + 79.5)});
    }
    ExpectChangesOnlyIn(sheet(false), sheet(true), places);
}

}  // namespace
