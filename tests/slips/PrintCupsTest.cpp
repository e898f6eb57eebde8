// Prints through a real CUPS server: a private cupsd in a temporary folder, listening only on
// a local socket, with a cups-pdf queue whose PDF files land in that folder.

#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <map>

#include "IniFile.h"
#include "MasterListFixture.h"
#include "QtPrint.h"
#include "SlipFixture.h"
#include "TFormPrintFaxSender.h"
#include "TFormPrintList.h"
#include "TFormPrintMitsu.h"
#include "TFormPrintReceipt.h"
#include "TFormPrintTotalClaim.h"
#include "TMainSlipOutput.h"
#include "TMasterListOutput.h"
#include "TPngButton.h"
#include "TSlipPdfTemplates.h"

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// cupsd with its configuration, spool and logs in a temporary folder; it ends with this
// object, or with the test program if that dies first.
class PrivateCups {
  public:
    PrivateCups() : queue_(QStringLiteral("Dorvani4Test%1").arg(getpid())) {
        // The filters run as the lp user and must reach the spool.
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
        const QString root = dir_.path();
        for (const char* folder : {"root", "spool/tmp", "cache", "state", "log", "out"}) {
            QDir().mkpath(root + "/" + folder);
        }
        QFile::setPermissions(root + "/spool/tmp", QFile::Permissions(0x7777));
        Write("root/cupsd.conf", QStringLiteral("Listen %1\nLogLevel info\nWebInterface No\n"
                                                "Browsing No\nDefaultAuthType None\n"
                                                "<Location />\n  Order allow,deny\n  Allow all\n"
                                                "</Location>\n")
                                     .arg(Socket()));
        Write("root/cups-files.conf",
              QStringLiteral("ServerRoot %1/root\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                             "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                             "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                             "Printcap %1/printcap\nServerBin /usr/lib/cups\n"
                             "DataDir /usr/share/cups\nSandboxing Relaxed\n")
                  .arg(root));
        // cups-pdf reads its settings only from /etc/cups; a file named after the queue
        // serves this queue alone and goes with it.
        QFile conf(QueueConf());
        if (conf.open(QIODevice::WriteOnly)) {
            conf.write(
                QStringLiteral("Out %1/out\nAnonDirName %1/out\nLabel 2\n").arg(root).toUtf8());
        }
        cupsd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                     {"-f", "-c", root + "/root/cupsd.conf", "-s", root + "/root/cups-files.conf"});
        for (int i = 0; i < 100 && !QFile::exists(Socket()); ++i) {
            QTest::qWait(50);
        }
        Run("/usr/sbin/lpadmin", {"-h", Socket(), "-p", queue_, "-E", "-v", "cups-pdf:/" + queue_,
                                  "-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
        qputenv("CUPS_SERVER", Socket().toUtf8());
    }
    ~PrivateCups() {
        cupsd_.kill();
        cupsd_.waitForFinished(5000);
        QFile::remove(QueueConf());
    }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    const QString& Queue() const { return queue_; }
    QString Socket() const { return dir_.path() + "/cups.sock"; }
    QString Log() const { return QString::fromUtf8(ReadAll("log/error_log")); }

    // The next PDF the queue writes; empty when none arrives within the time.
    QString WaitForPdf(const QStringList& seen) const {
        for (int i = 0; i < 300; ++i) {
            for (const QFileInfo& file : QDir(dir_.path() + "/out").entryInfoList({"*.pdf"})) {
                if (!seen.contains(file.absoluteFilePath()) && Finished(file)) {
                    return file.absoluteFilePath();
                }
            }
            QTest::qWait(100);
        }
        return {};
    }

  private:
    QString QueueConf() const { return QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue_); }
    void Write(const char* name, const QString& text) {
        QFile file(dir_.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
        file.write(text.toUtf8());
    }
    QByteArray ReadAll(const char* name) const {
        QFile file(dir_.path() + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // cups-pdf writes the file in place; it is whole when its trailer is there.
    static bool Finished(const QFileInfo& file) {
        QFile pdf(file.absoluteFilePath());
        return pdf.open(QIODevice::ReadOnly) && pdf.size() > 0 &&
               pdf.readAll().trimmed().endsWith("%%EOF");
    }

    QTemporaryDir dir_;
    QString queue_;
    QProcess cupsd_;
};

QString PdfInfo(const QString& path, const char* field) {
    const QString info = Run("pdfinfo", {path});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// Whether a line across the middle of page 1 crosses more stripe edges than a line down it.
bool StripesRunDown(const QString& pdf) {
    const QString png = pdf + ".page";
    Run("pdftoppm", {"-png", "-r", "30", "-f", "1", "-l", "1", "-singlefile", pdf, png});
    const QImage page(png + ".png");
    EXPECT_FALSE(page.isNull());
    auto stripe = [&](int x, int y) {
        const QColor c = page.pixelColor(x, y);
        return c.blue() > 200 && c.red() < 200;  // the light sky blue of odd rows
    };
    auto edges = [&](bool across) {
        int count = 0;
        const int length = across ? page.width() : page.height();
        for (int i = 1; i < length; ++i) {
            const int x = across ? i : page.width() / 2;
            const int y = across ? page.height() * 3 / 5 : i;
            const int px = across ? i - 1 : x;
            const int py = across ? y : i - 1;
            count += stripe(x, y) != stripe(px, py) ? 1 : 0;
        }
        return count;
    };
    return edges(true) > edges(false);
}

bool CupsAvailable() {
    return geteuid() == 0 && QFile::exists("/usr/sbin/cupsd") &&
           QFile::exists("/usr/lib/cups/backend/cups-pdf");
}

// The darkest row of a page picture: the bottom of the printed table's frame.
int LowestDarkRow(const QImage& page) {
    for (int y = page.height() - 1; y >= 0; --y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 64) {
                return y;
            }
        }
    }
    return -1;
}

// One server for every test: the printing system reads where its server is only once.
class PrintCups : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (CupsAvailable()) {
            server = new PrivateCups;
        }
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (server == nullptr) {
            GTEST_SKIP() << "needs root, cups and printer-driver-cups-pdf (scripts/setup)";
        }
    }

    static PrivateCups* server;
    // The PDF files the queue wrote so far, by every test.
    static QStringList seen;
};

PrivateCups* PrintCups::server = nullptr;
QStringList PrintCups::seen;

TEST_F(PrintCups, ThreePagesWithCopiesReachTheQueue) {
    PrivateCups& cups = *server;
    QTemporaryDir data;
    SlipFixture slip(61, data.path() + "/");
    TSlipPdfTemplates templates(slip.config);
    TFormPrintMitsu form(data.path() + "/print.ini");
    TMainSlipOutput output(form, templates);
    for (bool landscape : {false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        IniFile ini = IniFile::Load(data.path() + "/print.ini");
        ini.WriteString("MITSU", "PRINTER", cups.Queue());
        ini.WriteBool("MITSU", "PRINT_COPY", true);
        ini.WriteBool("MITSU", "PRINT_DIRECTION", landscape);
        ini.Save();
        QTimer::singleShot(0, &form, [&] {
            QTest::mouseClick(form.findChild<TPngButton*>("pngBtnOK"), Qt::LeftButton);
        });
        output.Run(nullptr, skMitsu, slip.document, slip.config, slip.profiles);
        EXPECT_EQ(form.Printer().printerName(), cups.Queue());

        const QString pdf = cups.WaitForPdf(seen);
        ASSERT_FALSE(pdf.isEmpty()) << cups.Log().right(3000).toStdString();
        seen << pdf;
        // cups-pdf names the file after the job title, then the job number.
        EXPECT_TRUE(QFileInfo(pdf).fileName().startsWith("Rokuvel_Dorvani4")) << pdf.toStdString();
        EXPECT_EQ(PdfInfo(pdf, "Pages"), "6");
        // Landscape pages reach the A4 sheet turned: the table's stripes then run down it.
        EXPECT_EQ(PdfInfo(pdf, "Page size"), "595 x 842 pts (A4)");
        EXPECT_EQ(StripesRunDown(pdf), landscape);
    }
}

// Both master lists through the queue: every page, portrait, and B5 shrinks the drawing
// towards the top-left corner.
TEST_F(PrintCups, MasterListsReachTheQueueOnA4AndShrunkOnB5) {
    PrivateCups& cups = *server;
    QTemporaryDir data;
    const MasterListFixture lists(48, 16);
    TSlipPdfTemplates templates(lists.config);
    TFormPrintItemList items(data.path() + "/print.ini");
    TFormPrintCustomerList customers(data.path() + "/print.ini");
    TMasterListOutput output(items, customers, templates);
    std::map<QString, int> frameBottom;
    for (TFormPrintList* form :
         {static_cast<TFormPrintList*>(&items), static_cast<TFormPrintList*>(&customers)}) {
        for (const char* paper : {"A4", "B5"}) {
            const QString section = PrintSectionName(form->Kind());
            SCOPED_TRACE((section + " " + paper).toStdString());
            IniFile ini = IniFile::Load(data.path() + "/print.ini");
            ini.WriteString(section, "PRINTER", cups.Queue());
            ini.WriteString(section, "PAPER_SIZE", paper);
            ini.Save();
            QTimer::singleShot(0, form, [form] {
                QTest::mouseClick(form->findChild<TPngButton*>("pngBtnOK"), Qt::LeftButton);
            });
            output.Run(nullptr, lists.Source(form->Kind()));

            const QString pdf = cups.WaitForPdf(seen);
            ASSERT_FALSE(pdf.isEmpty()) << cups.Log().right(3000).toStdString();
            seen << pdf;
            EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");
            EXPECT_EQ(PdfInfo(pdf, "Page size"), "595 x 842 pts (A4)");
            const QString png = pdf + ".page";
            ::Run("pdftoppm", {"-png", "-r", "50", "-f", "1", "-l", "1", "-singlefile", pdf, png});
            frameBottom[QString::fromLatin1(paper)] = LowestDarkRow(QImage(png + ".png"));
        }
        // The frame ends at 265 mm of 297; on B5 at 0.87 of that, from the same top.
        const double ratio = frameBottom["B5"] / static_cast<double>(frameBottom["A4"]);
        EXPECT_NEAR(ratio, 0.87, 0.03) << frameBottom["A4"] << " " << frameBottom["B5"];
    }
}

// The one-sheet slips print one portrait sheet each, A4 or shrunk for B5.
TEST_F(PrintCups, EveryOneSheetSlipReachesTheQueueAsOnePortraitSheet) {
    PrivateCups& cups = *server;
    QTemporaryDir data;
    SlipFixture slip(3, data.path() + "/");
    slip.document.TotalClaimMode = true;
    TSlipPdfTemplates templates(slip.config);
    TEtcSlipOutput output(templates);
    TFormPrintReceipt receipt(data.path() + "/print.ini");
    TFormPrintFaxSender fax(data.path() + "/print.ini");
    TFormPrintTotalClaim totalClaim(data.path() + "/print.ini");
    for (TFormPrintEtcSlip* form :
         std::initializer_list<TFormPrintEtcSlip*>{&receipt, &totalClaim, &fax}) {
        for (const char* paper : {"A4", "B5"}) {
            SCOPED_TRACE(testing::Message()
                         << PrintSectionName(form->Kind()).toStdString() << " " << paper);
            IniFile ini = IniFile::Load(data.path() + "/print.ini");
            ini.WriteString(PrintSectionName(form->Kind()), "PRINTER", cups.Queue());
            ini.WriteString(PrintSectionName(form->Kind()), "PAPER_SIZE", paper);
            ini.Save();
            QTimer::singleShot(0, form, [&] {
                QTest::mouseClick(form->findChild<TPngButton*>("pngBtnOK"), Qt::LeftButton);
            });
            output.Run(nullptr, *form, slip.document, slip.config, slip.profiles);
            EXPECT_EQ(form->Printer().printerName(), cups.Queue());
            const QString pdf = cups.WaitForPdf(seen);
            ASSERT_FALSE(pdf.isEmpty()) << cups.Log().right(3000).toStdString();
            seen << pdf;
            EXPECT_EQ(PdfInfo(pdf, "Pages"), "1");
            EXPECT_EQ(PdfInfo(pdf, "Page size"), "595 x 842 pts (A4)");
        }
    }
}

}  // namespace
