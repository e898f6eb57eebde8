// Files that embed subsets of their Japanese fonts, as real readers see them: qpdf checks the
// structure, poppler lists the fonts, gives the text back and draws the glyphs where the file
// puts them, even with a font configuration that knows nothing of our font names.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <set>
#include <string>
#include <vector>

#include "PdfTestSupport.h"
#include "TPdfDoc.h"
#include "TPdfFontSubset.h"
#include "TempDir.h"

using namespace pdf;

namespace {

struct ToolResult {
    int exitCode = -1;
    QString output;
};

ToolResult RunTool(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << program.toStdString() << " did not run (scripts/setup installs it)";
        return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

QString Write(const TempDir& dir, const QString& name, const std::string& bytes) {
    const QString path = dir.path(name);
    writeFileBytes(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return path;
}

// A page with every Japanese face: kanji, kana, half-width letters and katakana, the
// half-width space and "|".
std::string EmbeddedPage(bool embed) {
    TPdfDoc doc;
    doc.SetClock(FixedTime);
    doc.SetEmbedFonts(embed);
    doc.StartDocument();
    doc.AddPage();
    TPdfCanvas& canvas = doc.GetCanvas();
    struct Line {
        const char* font;
        const char* text;
    };
    const Line lines[] = {
        {"Gothic,Bold", "御見積書"},          {"Gothic", "株式会社ヘストレル 御中"},
        {"Gothic", "№M-2026-0417 | ㈱ ﾊﾝｶｸ"}, {"PGothic", "東京都千代田区 2-3-10"},
        {"Mincyo", "明朝の行 A|B"},
    };
    float top = 800;
    for (const Line& line : lines) {
        canvas.SetFont(line.font, 14);
        canvas.TextRect({40, top, 556, top - 20}, Sjis(line.text), TAlignment::taLeftJustify,
                        false);
        top -= 30;
    }
    return Saved(doc);
}

class PdfEmbeddedFontTest : public ::testing::Test {
  protected:
    void SetUp() override { path_ = Write(dir_, "embedded.pdf", EmbeddedPage(true)); }
    TempDir dir_;
    QString path_;
};

TEST_F(PdfEmbeddedFontTest, QpdfFindsNoErrors) {
    ToolResult result = RunTool("qpdf", {"--check", path_});
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("No syntax or stream encoding errors found"))
        << result.output.toStdString();
}

TEST_F(PdfEmbeddedFontTest, PdffontsListsEveryFontAsAnEmbeddedSubset) {
    ToolResult result = RunTool("pdffonts", {path_});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    QStringList lines = result.output.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2) << result.output.toStdString();
    lines = lines.mid(2);  // two heading lines
    QStringList names;
    for (const QString& line : lines) {
        const QStringList columns = line.simplified().split(' ');
        ASSERT_GE(columns.size(), 6) << line.toStdString();
        names << columns[0].section('+', 1);
        EXPECT_EQ(columns[0].indexOf('+'), 6) << "subset tag: " << line.toStdString();
        // emb, sub and uni are the three yes/no columns before the object number.
        EXPECT_EQ(columns[columns.size() - 5], "yes") << "emb: " << line.toStdString();
        EXPECT_EQ(columns[columns.size() - 4], "yes") << "sub: " << line.toStdString();
        EXPECT_EQ(columns[columns.size() - 3], "yes") << "uni: " << line.toStdString();
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"Gothic", "Gothic,Bold", "Mincyo", "PGothic"}))
        << result.output.toStdString();
}

TEST_F(PdfEmbeddedFontTest, PdftotextGivesTheTextBack) {
    ToolResult result = RunTool("pdftotext", {"-enc", "UTF-8", path_, "-"});
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    for (const QString& expected :
         {QStringLiteral("御見積書"), QStringLiteral("株式会社ヘストレル 御中"),
          QStringLiteral("№M-2026-0417 | ㈱ ﾊﾝｶｸ"), QStringLiteral("東京都千代田区 2-3-10"),
          QStringLiteral("明朝の行 A|B")}) {
        EXPECT_TRUE(result.output.contains(expected))
            << expected.toStdString() << " missing from:\n"
            << result.output.toStdString();
    }
}

// The number of glyphs of a TrueType program, from its maxp table.
int GlyphCount(const std::string& program) {
    auto u16 = [&](std::size_t at) {
        return (static_cast<unsigned char>(program.at(at)) << 8U) |
               static_cast<unsigned char>(program.at(at + 1));
    };
    auto u32 = [&](std::size_t at) { return (u16(at) << 16U) | u16(at + 2); };
    const int tables = static_cast<int>(u16(4));
    for (int k = 0; k < tables; ++k) {
        const std::size_t entry = 12 + 16 * static_cast<std::size_t>(k);
        if (program.compare(entry, 4, "maxp") == 0) {
            return static_cast<int>(u16(u32(entry + 8) + 4));
        }
    }
    return -1;
}

TEST(PdfFontSubset, HoldsTheGlyphsOfTheCIDsAndNoOthers) {
    // CIDs of the fixed-pitch Gothic: 264 and 265 half-width "A" and "B", 842 "ぁ".
    struct Case {
        std::set<std::uint16_t> cids;
        int glyphs;  // .notdef too
    };
    const Case cases[] = {
        {{}, 1},
        {{264}, 2},
        {{264, 265}, 3},
        {{264, 265, 842}, 4},
    };
    for (const Case& c : cases) {
        const TPdfFontSubset subset = SubsetFace(TPdfEmbeddedFace::IPAGothic, c.cids);
        EXPECT_EQ(GlyphCount(subset.Program), c.glyphs) << c.cids.size() << " CIDs";
        std::set<std::uint16_t> glyphs;
        for (std::uint16_t cid : c.cids) {
            ASSERT_TRUE(subset.GlyphOfCID.count(cid)) << cid;
            EXPECT_NE(subset.GlyphOfCID.at(cid), 0) << "CID " << cid << " has no glyph";
            glyphs.insert(subset.GlyphOfCID.at(cid));
        }
        EXPECT_EQ(glyphs.size(), c.cids.size()) << "two CIDs share a glyph";
    }
}

TEST(PdfFontSubset, MetricsComeFromTheFace) {
    const TPdfFaceMetrics metrics = SubsetFace(TPdfEmbeddedFace::IPAMincho, {}).Metrics;
    EXPECT_GT(metrics.Ascent, 700);
    EXPECT_LT(metrics.Descent, -50);
    EXPECT_LT(metrics.BBox[0], metrics.BBox[2]);
    EXPECT_LT(metrics.BBox[1], 0);
    EXPECT_GT(metrics.BBox[3], 700);
}

// Length1 of the one embedded program of a file.
int ProgramLength(const std::string& file) {
    const std::size_t at = file.find("/Length1 ");
    return at == std::string::npos ? -1 : std::stoi(file.substr(at + 9));
}

TEST(PdfEmbeddedFont, OneCharacterGivesASmallProgramAndMoreGiveMore) {
    auto file = [](const char* text) {
        TPdfDoc doc;
        doc.SetClock(FixedTime);
        doc.SetEmbedFonts(true);
        doc.StartDocument();
        doc.AddPage();
        doc.GetCanvas().SetFont("Gothic", 12);
        doc.GetCanvas().TextRect({40, 800, 556, 780}, Sjis(text), TAlignment::taLeftJustify, false);
        return Saved(doc);
    };
    const int one = ProgramLength(file("あ"));
    const int many = ProgramLength(file("あいうえお見積書御中株式会社"));
    EXPECT_GT(one, 0);
    EXPECT_LT(one, 8000);  // the whole face is over 6 MB
    EXPECT_GT(many, one + 1000);
}

TEST(PdfEmbeddedFont, NothingIsEmbeddedWhenOff) {
    const std::string bytes = EmbeddedPage(false);
    for (const char* key : {"/FontFile2", "/CIDToGIDMap", "/ToUnicode", "/Length1"}) {
        EXPECT_EQ(bytes.find(key), std::string::npos) << key;
    }
}

// A grey PGM of pdftoppm: its width, height and samples.
struct GreyImage {
    int width = 0;
    int height = 0;
    QByteArray samples;
    bool Ink(int x, int y) const {
        return static_cast<unsigned char>(samples[y * width + x]) < 128;
    }
};

GreyImage ReadPgm(const QByteArray& file) {
    // "P5\n<width> <height>\n255\n" then the samples.
    GreyImage image;
    QList<QByteArray> header;
    int at = 0;
    while (header.size() < 4 && at < file.size()) {
        int end = at;
        while (end < file.size() && !QChar::isSpace(file[end])) {
            ++end;
        }
        header << file.mid(at, end - at);
        at = end + 1;
    }
    if (header.size() == 4 && header[0] == "P5") {
        image.width = header[1].toInt();
        image.height = header[2].toInt();
        image.samples = file.mid(at, image.width * image.height);
    }
    return image;
}

// The glyphs of a fixed-pitch line drawn with a font configuration that has no rule for
// "Gothic": each run of inked columns must lie inside the cell the file gives its character,
// and every character with a visible glyph must ink its cell.
TEST(PdfEmbeddedFont, GlyphsSitInTheirWrittenCells) {
    TempDir dir;
    constexpr float kSize = 40;
    constexpr float kLeft = 40;
    const std::string text = "№M-2026|㈱";
    // Cell widths in half-width units and whether the character is drawn.
    const std::vector<int> cells = {2, 1, 1, 1, 1, 1, 1, 1, 2};

    TPdfDoc doc;
    doc.SetClock(FixedTime);
    doc.SetEmbedFonts(true);
    doc.StartDocument();
    doc.AddPage();
    doc.GetCanvas().SetFont("Gothic", kSize);
    doc.GetCanvas().TextRect({kLeft, 800, 556, 740}, Sjis(text), TAlignment::taLeftJustify, false);
    const QString pdf = Write(dir, "cells.pdf", Saved(doc));

    const QString conf = dir.path("fonts.conf");
    writeFileBytes(conf, QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>\n"
                                        "<dir>/usr/share/fonts</dir>\n<cachedir>%1</cachedir>\n"
                                        "</fontconfig>\n")
                             .arg(dir.path("cache"))
                             .toUtf8());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("FONTCONFIG_FILE", conf);
    constexpr int kDpi = 72;  // one pixel a point
    ToolResult result =
        RunTool("pdftoppm",
                {"-gray", "-r", QString::number(kDpi), "-aa", "no", "-aaVector", "no", "-x", "0",
                 "-y", "0", "-W", "596", "-H", "120", pdf, dir.path("cells")},
                environment);
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    const GreyImage image = ReadPgm(readFileBytes(dir.path("cells-1.pgm")));
    ASSERT_GT(image.width, 0);

    std::vector<bool> inked(static_cast<std::size_t>(image.width), false);
    for (int x = 0; x < image.width; ++x) {
        for (int y = 0; y < image.height; ++y) {
            inked[static_cast<std::size_t>(x)] =
                inked[static_cast<std::size_t>(x)] || image.Ink(x, y);
        }
    }
    std::vector<float> edges = {kLeft};
    for (int cell : cells) {
        edges.push_back(edges.back() + static_cast<float>(cell) * kSize / 2);
    }
    auto cellOf = [&](float x) {
        for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
            if (x >= edges[k] && x < edges[k + 1]) {
                return static_cast<int>(k);
            }
        }
        return -1;
    };
    std::vector<bool> cellInked(cells.size(), false);
    for (int x = 0; x < image.width; ++x) {
        if (!inked[static_cast<std::size_t>(x)]) {
            continue;
        }
        int end = x;
        while (end + 1 < image.width && inked[static_cast<std::size_t>(end + 1)]) {
            ++end;
        }
        // A pixel of slack at either side for rounding.
        const int first = cellOf(static_cast<float>(x) + 1);
        const int last = cellOf(static_cast<float>(end));
        EXPECT_NE(first, -1) << "ink outside the line at columns " << x << "-" << end;
        EXPECT_EQ(first, last) << "a glyph runs over a cell edge at columns " << x << "-" << end;
        if (first >= 0) {
            cellInked[static_cast<std::size_t>(first)] = true;
        }
        x = end;
    }
    for (std::size_t k = 0; k < cells.size(); ++k) {
        EXPECT_TRUE(cellInked[k]) << "nothing drawn in cell " << k << " from x " << edges[k];
    }
}

}  // namespace
