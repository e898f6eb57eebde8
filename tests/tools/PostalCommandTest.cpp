#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "QtPrint.h"
#include "TempDir.h"
#include "ToolProcess.h"

namespace {

ToolRun run(const TempDir& root, const QStringList& arguments) {
    return tool(QStringList{"--data-root", root.root()} + arguments);
}

class PostalCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QDir().mkpath(root.path("zip"));
        ASSERT_TRUE(QFile::copy(DORVANI4_TEST_DATA "/postal/zip.dat", root.path("zip/zip.dat")));
    }
    TempDir root;
};

TEST_F(PostalCommandTest, PrintsOneMatchPerLineInFileOrder) {
    const ToolRun byCode = run(root, {"zip", "100-0001"});
    ASSERT_EQ(byCode.status, 0) << byCode.err.toStdString();
    EXPECT_EQ(byCode.out, "100-0001\t東京都千代田区千代田\n");

    const ToolRun prefix = run(root, {"zip", "100"});
    EXPECT_EQ(prefix.out.split('\n', Qt::SkipEmptyParts).size(), 4);
    EXPECT_TRUE(prefix.out.startsWith("100-0001\t"));

    const ToolRun byAddress = run(root, {"address", "千代田"});
    ASSERT_EQ(byAddress.status, 0);
    const QStringList lines = byAddress.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), "100-0001\t東京都千代田区千代田");
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.at(3), "101-0021\t東京都千代田区外神田");  // file order, not sorted
}

TEST_F(PostalCommandTest, NoMatchGivesTheProgramsMessage) {
    struct Case {
        QStringList arguments;
        const char* message;
    };
    for (const Case& c :
         {Case{{"zip", "999"}, "郵便番号が不明です。"}, Case{{"zip", "10"}, "郵便番号が不明です。"},
          Case{{"address", "存在しない町"}, "住所が不明です。"}}) {
        const ToolRun lookup = run(root, c.arguments);
        EXPECT_EQ(lookup.status, 1) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(lookup.out.isEmpty());
        EXPECT_EQ(lookup.err,
                  QStringLiteral("dorvani4-tool: %1\n").arg(QString::fromUtf8(c.message)));
    }
}

TEST(PostalCommand, MissingTableIsAFileError) {
    TempDir empty;
    const ToolRun lookup = run(empty, {"zip", "100"});
    EXPECT_EQ(lookup.status, 1);
    EXPECT_TRUE(lookup.err.contains("zip.dat")) << lookup.err.toStdString();
}

}  // namespace
