#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QTableView>
#include <QTest>

#include "CustomerPrint.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "TempDir.h"

#include "Cp932.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TFormCustomer.h"
#include "TFormImport.h"
#include "TPngButton.h"
#include "TThCustomerObjectList.h"

namespace {

// A "CSV UTF-8" export of a spreadsheet: BOM, a heading line, a quoted address with a
// comma and one with a line break.
const QByteArray SpreadsheetExport =
    "\xEF\xBB\xBF" + QStringLiteral(
                         "会社名,部署,担当,TEL,FAX,〒,住所,建物\r\n"
                         "株式会社青葉,営業部,山田 太郎,022-111-2222,022-111-3333,"
                         "980-0811,\"宮城県仙台市青葉区一番町1-1, 青葉ビル\",\r\n"
                         "有限会社みどり,,,03-1234-5678,,150-0001,\"東京都渋谷区\r\n"
                         "神宮前2-2\",3F\r\n")
                         .toUtf8();

class TFormImportTest : public ::testing::Test {
  protected:
    TFormImportTest() {
        list.Add(std::make_unique<TThCustomerObject>(
            TThCustomerObject{"C01", "前から", "", "", "", "", "", "", "", ""}));
        form.SetEntryWindows(&add, &edit);
        form.SetImportWindow(&import);
        form.SetImportDialog([this](QWidget*, const QString&) { return csvPath; });
    }

    template <typename T>
    T* control(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void openList() {
        form.Bind(list, savePath, {});
        form.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void startImport(const QByteArray& bytes) {
        writeFileBytes(csvPath, bytes);
        openList();
        QTest::mouseClick(control<TPngButton>(&form, "PNGBtnImport"), Qt::LeftButton);
    }
    QTableView* grid() { return control<QTableView>(&import, "SG_CSV"); }
    QString chosen(const char* box) { return control<QComboBox>(&import, box)->currentText(); }

    MessageLog messages;
    TempDir temp;
    QString savePath = temp.path(QStringLiteral("Customer.dat"));
    QString csvPath = temp.path(QStringLiteral("得意先.csv"));
    TThCustomerObjectList list;
    TFormCustomAdd add;
    TFormCustomEdit edit;
    TFormImport import;
    TFormCustomer form;
};

TEST_F(TFormImportTest, ShowsTheFileAsAGridWithThePreselectedColumns) {
    startImport(SpreadsheetExport);
    ASSERT_TRUE(import.isVisible());
    EXPECT_EQ(import.windowTitle(), "インポート");
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(u'\n').toStdString();
    QAbstractItemModel* model = grid()->model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 8);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "１");
    EXPECT_EQ(model->headerData(7, Qt::Horizontal).toString(), "８");
    EXPECT_EQ(model->index(1, 2).data().toString(), "山田 太郎");
    EXPECT_EQ(model->index(1, 6).data().toString(), "宮城県仙台市青葉区一番町1-1, 青葉ビル");
    EXPECT_EQ(model->index(2, 6).data().toString(), "東京都渋谷区 神宮前2-2");
    EXPECT_EQ(model->index(2, 7).data().toString(), "3F");

    const std::pair<const char*, const char*> preselected[] = {
        {"CBCusCode", "なし"}, {"CBName1", "１"}, {"CBName2", "２"},
        {"CBName3", "３"},     {"CBTel", "４"},   {"CBFax", "５"},
        {"CBZip", "６"},       {"CBAdd1", "７"},  {"CBAdd2", "８"}};
    for (const auto& [box, column] : preselected) {
        EXPECT_EQ(chosen(box), column) << box;
        auto* combo = control<QComboBox>(&import, box);
        EXPECT_FALSE(combo->isEditable()) << box;
        EXPECT_EQ(combo->count(), 9) << "eight columns and なし";
    }
}

TEST_F(TFormImportTest, ImportAppendsEveryLineToTheLiveListOnly) {
    startImport(SpreadsheetExport);
    control<QComboBox>(&import, "CBCusCode")->setCurrentIndex(3);  // column ４
    control<QComboBox>(&import, "CBName3")->setCurrentIndex(8);    // なし
    QTest::mouseClick(control<TPngButton>(&import, "PNGBtnImport"), Qt::LeftButton);
    EXPECT_FALSE(import.isVisible());
    ASSERT_EQ(list.Count(), 4) << "the heading line becomes a customer too";
    EXPECT_EQ(list.Items(1), (TThCustomerObject{"TEL", "会社名", "部署", "", "", "〒", "住所",
                                                "建物", "TEL", "FAX"}));
    EXPECT_EQ(list.Items(3).Add1, "東京都渋谷区 神宮前2-2");
    EXPECT_EQ(control<QTableView>(&form, "LVCustomer")->model()->rowCount(), 4);
    EXPECT_FALSE(QFile::exists(savePath)) << "nothing is written before the list closes";
    QTest::mouseClick(control<TPngButton>(&form, "PNGBtnClose"), Qt::LeftButton);
    TThCustomerObjectList saved;
    saved.LoadFromFile(savePath);
    ASSERT_EQ(saved.Count(), 4);
    EXPECT_EQ(saved.Items(2).Add1, "宮城県仙台市青葉区一番町1-1, 青葉ビル");
    EXPECT_EQ(saved.Items(3).Add1, "東京都渋谷区 神宮前2-2") << "one line per customer";
}

TEST_F(TFormImportTest, CancelImportsNothing) {
    startImport(Cp932::encode(QStringLiteral("青葉,東京\r\n")));
    ASSERT_TRUE(import.isVisible());
    EXPECT_EQ(grid()->model()->index(0, 0).data().toString(), "青葉") << "Shift-JIS";
    QTest::mouseClick(control<TPngButton>(&import, "PNGBtnCancel"), Qt::LeftButton);
    EXPECT_FALSE(import.isVisible());
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(TFormImportTest, AFileThatCannotBeReadIsReportedAndOpensNothing) {
    startImport(QByteArray("abc,\x81\x20"));
    EXPECT_FALSE(import.isVisible());
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts.first().contains(csvPath));
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(TFormImportTest, AnUnencodableCharacterIsShownAndNothingIsImported) {
    startImport(QString::fromUtf8("株式会社\xF0\x9F\x8D\xA3,寿司\r\n普通,行\r\n").toUtf8());
    ASSERT_TRUE(import.isVisible());
    QTest::mouseClick(control<TPngButton>(&import, "PNGBtnImport"), Qt::LeftButton);
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts.first().contains(QStringLiteral("1行目 1列目")))
        << messages.Texts.first().toStdString();
    EXPECT_TRUE(import.isVisible());
    EXPECT_EQ(list.Count(), 1);

    control<QComboBox>(&import, "CBName1")->setCurrentIndex(2);  // なし
    QTest::mouseClick(control<TPngButton>(&import, "PNGBtnImport"), Qt::LeftButton);
    EXPECT_FALSE(import.isVisible());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(1).Name2, "寿司");
}

}  // namespace
