#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Cp932.h"
#include "QtPrint.h"
#include "TempDir.h"
#include "ToolProcess.h"

namespace {

QJsonObject parse(const QString& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

class ImportCommandTest : public ::testing::Test {
  protected:
    ImportCommandTest() {
        writeFileBytes(dir.path("Customer.dat"),
                       Cp932::encode(QStringLiteral("C1,前から,,,,,,,\r\n")));
        writeFileBytes(csv, "\xEF\xBB\xBF" + QStringLiteral("青葉商事,営業部,,022-1,022-2\r\n"
                                                            "\"みどり, 本店\",,,03-1,\r\n")
                                                 .toUtf8());
    }
    ToolRun import(const QStringList& more) {
        return tool(QStringList{"--data-root", dir.root(), "import-customers", csv} + more);
    }

    TempDir dir;
    QString csv = dir.path("得意先.csv");
};

TEST_F(ImportCommandTest, DryRunPrintsTheCustomersAndWritesNothing) {
    const QByteArray before = readFileBytes(dir.path("Customer.dat"));
    const ToolRun run = import({"--dry-run"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = parse(run.out);
    EXPECT_EQ(json["added"].toInt(), 2);
    EXPECT_FALSE(json["written"].toBool());
    const QJsonArray customers = json["customers"].toArray();
    ASSERT_EQ(customers.size(), 2);
    EXPECT_EQ(customers[0].toObject()["Name1"].toString(), "青葉商事");
    EXPECT_EQ(customers[0].toObject()["Name2"].toString(), "営業部");
    EXPECT_EQ(customers[0].toObject()["Tel"].toString(), "022-1") << "the window's preselection";
    EXPECT_EQ(customers[0].toObject()["Fax"].toString(), "022-2");
    EXPECT_EQ(customers[1].toObject()["Name1"].toString(), "みどり, 本店");
    EXPECT_EQ(readFileBytes(dir.path("Customer.dat")), before);
}

TEST_F(ImportCommandTest, AppendsWithTheGivenColumnsOnly) {
    const ToolRun run = import({"--map", "会社名１=1,TEL=4,お客様コード=4"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(parse(run.out)["written"].toBool());
    EXPECT_EQ(Cp932::decode(readFileBytes(dir.path("Customer.dat"))),
              "C1,前から,,,,,,,\r\n"
              "022-1,青葉商事,,,,,,022-1,\r\n"
              "03-1,\"みどり, 本店\",,,,,,03-1,\r\n");
}

struct ImportFailure {
    const char* name;
    QStringList arguments;
    QByteArray file;  // written to the CSV when not empty
    int status;
    const char* mentions;
    friend void PrintTo(const ImportFailure& c, std::ostream* os) { *os << c.name; }
};

std::string ImportFailureName(const ::testing::TestParamInfo<ImportFailure>& failure) {
    return failure.param.name;
}

class ImportCommandFailure : public ImportCommandTest,
                             public ::testing::WithParamInterface<ImportFailure> {};

TEST_P(ImportCommandFailure, ExplainsAndWritesNothing) {
    const QByteArray before = readFileBytes(dir.path("Customer.dat"));
    if (!GetParam().file.isEmpty()) {
        writeFileBytes(csv, GetParam().file);
    }
    const ToolRun run = import(GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().mentions))) << run.err.toStdString();
    EXPECT_EQ(readFileBytes(dir.path("Customer.dat")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportCommandFailure,
    ::testing::Values(
        ImportFailure{"UnknownField", {"--map", "名前=1"}, {}, 2, "会社名１"},
        ImportFailure{"ColumnBeyondTheFile", {"--map", "会社名１=6"}, {}, 2, "1 to 5"},
        ImportFailure{"NotShiftJisNorUtf8", {}, QByteArray("a,\x81\x20"), 1, "オフセット 2"},
        ImportFailure{
            "Unencodable", {}, QStringLiteral("ok\r\n寿司🍣\r\n").toUtf8(), 1, "2行目 1列目"}),
    ImportFailureName);

}  // namespace
