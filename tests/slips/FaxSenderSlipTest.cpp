#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>

#include "DrawnPage.h"
#include "FaxSenderSlip.h"
#include "IniFile.h"
#include "QtPrint.h"
#include "SlipDrawing.h"
#include "SlipFixture.h"
#include "TPRImage.h"
#include "TPRLabel.h"
#include "TPRPage.h"
#include "TPRText.h"
#include "TSlipPdfTemplates.h"
#include "TempDir.h"

namespace {

struct Fax : SlipFixture {
    TFaxSenderOptions fax;

    Fax() : SlipFixture(1) {
        config.FAX_TITLE = QStringLiteral("FAX送信状");
        fax.Subject = QStringLiteral("見積書送付の件");
        fax.PaperNum = 3;
    }
    TFaxSenderSource Source() const {
        return {document, config, profiles.Items(fax.CustomerInfo), fax};
    }
};

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(FaxSenderSlip, OptionsComeBackFromPrintIniIgnoringCase) {
    TempDir dir;
    IniFile ini = IniFile::Load(dir.path("print.ini"));
    const char* const stored[][2] = {{"CUSTOMER_INFO", "会社情報9"},
                                     {"PAPER_SIZE", "b5"},
                                     {"CONTENT", "one#crlf#two"},
                                     {"PAPER_NUM", "5000"},
                                     {"OPTION3", "1"}};
    for (const auto& [key, value] : stored) {
        ini.WriteString("FAX", key, QString::fromUtf8(value));
    }
    TFaxSenderOptions options = LoadFaxSenderOptions(ini);
    EXPECT_EQ(options.CustomerInfo, 0) << "a profile not in the list selects the first";
    EXPECT_EQ(options.PaperSize, 1);
    EXPECT_EQ(options.Content, "one\r\ntwo");
    EXPECT_EQ(FaxContentLines(options), QStringList({"one", "two"}));
    EXPECT_EQ(options.PaperNum, 1000);
    EXPECT_EQ(options.Requests, (std::array<bool, 4>{false, false, true, false}));
    options.Content = QStringLiteral("a\r\nb\r\nc");
    SaveFaxSenderOptions(ini, options);
    EXPECT_EQ(ini.ReadString("FAX", "CONTENT", ""), "a#CRLF#b#CRLF#c");
    EXPECT_EQ(ini.ReadString("FAX", "OPTION3", ""), "1");
    EXPECT_EQ(ini.ReadString("FAX", "PAPER_SIZE", ""), "B5");
}

TEST(FaxSenderSlip, ASquareLogoPrints24MmAndTheSealTakesThePaperPlace) {
    Fax slip;
    TThCampanyInfo& profile = slip.profiles.Items(0);
    profile.UseLogoImage = true;
    profile.LogoImage = SolidPicture(Qt::blue, 333, 333);
    profile.UseCampanyStamp = true;
    profile.StampImage = SolidPicture(Qt::red);
    profile.CampanyStampPosFaxSenderPosX_A4 = 185;  // 180 .. 190 mm
    profile.CampanyStampPosFaxSenderPosY_A4 = 60;
    profile.CampanyStampWidth_A4 = 10;
    profile.CampanyStampHeight_A4 = 10;
    profile.CampanyStampPosFaxSenderPosX_B5 = 174;  // 195 .. 200 mm on the A4 drawing
    profile.CampanyStampPosFaxSenderPosY_B5 = 52.2;
    profile.CampanyStampWidth_B5 = 4.35;
    profile.CampanyStampHeight_B5 = 4.35;
    const double dpi = 100;
    auto at = [&](double x, double y) { return QPoint(MmToPx(dpi, x), MmToPx(dpi, y)); };
    const QImage a4 = DrawnPage(RenderFaxSender(slip.Source(), true, {dpi, dpi}));
    EXPECT_EQ(a4.pixelColor(at(115.5, 85.5)), QColor(Qt::blue));
    EXPECT_EQ(a4.pixelColor(at(138.5, 108.5)), QColor(Qt::blue));
    EXPECT_EQ(a4.pixelColor(at(140, 100)), QColor(Qt::white));
    EXPECT_EQ(a4.pixelColor(at(185, 65)), QColor(Qt::red));
    const QImage b5 = DrawnPage(RenderFaxSender(slip.Source(), false, {dpi, dpi}));
    EXPECT_EQ(b5.pixelColor(at(197, 62)), QColor(Qt::red));
    EXPECT_EQ(b5.pixelColor(at(185, 65)), QColor(Qt::white));
}

TEST(FaxSenderPdf, NameLinesPostalLineAndCheckMarksFollowTheDocumentAndOptions) {
    const struct {
        const char* name2;
        const char* name3;
        const char* zip;
        std::array<const char*, 3> lines;
        const char* firstAddressLine;
    } cases[] = {
        {"", "", "", {"株式会社テスト 御中", "", ""}, "　"},
        {"", "経理部", "530-0001", {"株式会社テスト", "", "経理部 御中"}, "〒530-0001"},
        {"営業部", "", "530-0001", {"株式会社テスト", "営業部 御中", ""}, "〒530-0001"},
    };
    Fax slip;
    slip.fax.Requests = {true, false, false, true};
    TSlipPdfTemplates templates(slip.config);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        slip.document.Customer.Name2 = QString::fromUtf8(c.name2);
        slip.document.Customer.Name3 = QString::fromUtf8(c.name3);
        slip.document.Customer.Zip = QString::fromUtf8(c.zip);
        const TPRPage& page = BuildFaxSenderPdfPage(templates, slip.Source());
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(
                page.Find<TPRLabel>(QStringLiteral("PRLabelFaxSenderCustomerName%1").arg(k + 1))
                    ->Caption(),
                QString::fromUtf8(c.lines[static_cast<size_t>(k)]));
        }
        EXPECT_EQ(page.Find<TPRText>("PRTextFaxSenderCustomerAddress")->Lines.first(),
                  QString::fromUtf8(c.firstAddressLine));
        std::vector<bool> marks;
        for (const char* mark : {"Sikyu", "Sankou", "Kakunin", "Henshin"}) {
            marks.push_back(
                page.Find<TPRLabel>(QStringLiteral("PRLabelCheckMark") + mark)->Printable);
        }
        EXPECT_EQ(marks, (std::vector<bool>{true, false, false, true}));
    }
}

TEST(FaxSenderPdf, WholeFileReadsBack) {
    Fax slip;
    slip.fax.Content = QStringLiteral("一行目\r\n二行目");
    TempDir dir;
    TSlipPdfTemplates templates(slip.config);
    const QString path = dir.path("fax.pdf");
    SaveFaxSenderPdf(templates, slip.Source(), path);
    Output("qpdf", {"--check", path});
    EXPECT_TRUE(Output("pdfinfo", {path}).contains("595 x 842"));
    const QString out = Output("pdftotext", {"-layout", path, "-"});
    for (const char* text : {"FAX送信状", "要件：見積書送付の件", "送付枚数：3枚", "ご返信ください",
                             "一行目", "二行目", "株式会社テスト 御中"}) {
        EXPECT_EQ(out.count(QString::fromUtf8(text)), 1) << text << "\n" << out.toStdString();
    }
}

}  // namespace
