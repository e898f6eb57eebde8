#include "MainWindowFixture.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableView>
#include <QTimer>

#include "Clock.h"
#include "TDatePickButton.h"
#include "TFormCustomer.h"
#include "TFormZipSearch.h"
#include "THistoryComboBox.h"

namespace {

class HeaderInputTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Clock::fix(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    }
    void TearDown() override {
        Clock::unfix();
        MainWindowFixture::TearDown();
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(QLatin1String(name)); }
    THistoryComboBox* history(const char* name) const {
        return control<THistoryComboBox>(QLatin1String(name));
    }
    QStringList entries(QComboBox* box) const {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) {
            texts << box->itemText(i);
        }
        return texts;
    }
};

TEST_F(HeaderInputTest, ControlsSitWhereTheFormSaysInTabOrder) {
    start();
    const std::tuple<const char*, int, int, int> places[] = {
        {"MMYear", 601, 13, 53},
        {"MMCusCode", 98, 39, 121},
        {"MMSlipCode", 303, 39, 121},
        {"EdtZip", 98, 69, 66},
        {"EdtAdd1", 98, 100, 251},
        {"EdtName3", 98, 224, 195},
        {"CBNameTitle", 300, 224, 50},
        {"EdtTel", 49, 31, 180},
        {"EdtDelivery", 98, 270, 174},
        {"CBPlace", 98, 301, 195},
        {"BtnDelHistoryPlace", 376, 300, 75},
        {"MMEtc", 98, 395, 617},
        {"EdtMemo", 98, 492, 617},
        {"PNGBtnCustomer", 7, 4, 80},
    };
    for (const auto& [name, left, top, width] : places) {
        const QRect at = control<QWidget>(QLatin1String(name))->geometry();
        EXPECT_EQ(at.topLeft(), QPoint(left, top)) << name;
        EXPECT_EQ(at.width(), width) << name;
    }
    EXPECT_EQ(edit("EdtZip")->maxLength(), 8);
    EXPECT_EQ(entries(control<QComboBox>(QStringLiteral("CBNameTitle"))),
              QStringList({"", "御中", "様", "殿", "宛"}));
    const QStringList order{"MMYear",
                            "MMMonth",
                            "MMDay",
                            "MMCusCode",
                            "MMSlipCode",
                            "EdtZip",
                            "EdtAdd1",
                            "EdtAdd2",
                            "EdtName1",
                            "EdtName2",
                            "EdtName3",
                            "CBNameTitle",
                            "EdtTel",
                            "EdtFax",
                            "EdtDelivery",
                            "ChBDelivery",
                            "CBPlace",
                            "ChBPlace",
                            "BtnDelHistoryPlace",
                            "CBCondition",
                            "ChBCondition",
                            "Button1",
                            "CBLimit",
                            "ChBLimit",
                            "Button2",
                            "MMEtc",
                            "EdtMemo"};
    QWidget* at = edit("MMYear");
    at->setFocus();
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        // A drop-down's line edit takes the focus for its box.
        if (auto* box = qobject_cast<QComboBox*>(focused->parentWidget())) {
            focused = box;
        }
        EXPECT_EQ(focused->objectName(), order[i]);
    }
}

TEST_F(HeaderInputTest, AFreshDocumentHasTodayInTheEraAndTheHonorific) {
    TFormMain& w = start();
    EXPECT_EQ(edit("MMYear")->text(), "令和08");
    EXPECT_EQ(edit("MMMonth")->text(), "12");
    EXPECT_EQ(edit("MMDay")->text(), "10");
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBNameTitle"))->currentText(), "御中");
    EXPECT_EQ(w.FEstimate.Year, "令和08");
    EXPECT_EQ(w.FEstimate.Day, "10");
    EXPECT_EQ(w.FEstimate.Customer.NameTitle, "御中");
    EXPECT_EQ(control<QTabWidget>(QStringLiteral("PGMain"))->currentIndex(), 0);
}

TEST_F(HeaderInputTest, EveryChangeIsMirroredIntoTheDocument) {
    TFormMain& w = start();
    const std::pair<const char*, QString TThEstimateObjectList::*> fields[] = {
        {"MMSlipCode", &TThEstimateObjectList::SlipCode},
        {"EdtDelivery", &TThEstimateObjectList::Delivery},
        {"EdtMemo", &TThEstimateObjectList::Memo},
        {"MMMonth", &TThEstimateObjectList::Month}};
    for (const auto& [name, member] : fields) {
        typeInto(edit(name), QStringLiteral("値") + QLatin1String(name));
        EXPECT_EQ(w.FEstimate.*member, QStringLiteral("値") + QLatin1String(name)) << name;
    }
    const std::pair<const char*, QString TThCustomerObject::*> customer[] = {
        {"MMCusCode", &TThCustomerObject::CusCode}, {"EdtName1", &TThCustomerObject::Name1},
        {"EdtName3", &TThCustomerObject::Name3},    {"EdtZip", &TThCustomerObject::Zip},
        {"EdtAdd2", &TThCustomerObject::Add2},      {"EdtFax", &TThCustomerObject::Fax}};
    for (const auto& [name, member] : customer) {
        typeInto(edit(name), QStringLiteral("12"));
        EXPECT_EQ(w.FEstimate.Customer.*member, "12") << name;
    }
    const std::pair<const char*, bool TThEstimateObjectList::*> switches[] = {
        {"ChBDelivery", &TThEstimateObjectList::PrintDelivery},
        {"ChBPlace", &TThEstimateObjectList::PrintPlace},
        {"ChBCondition", &TThEstimateObjectList::PrintCondition},
        {"ChBLimit", &TThEstimateObjectList::PrintLimit}};
    for (const auto& [name, member] : switches) {
        QTest::mouseClick(control<QCheckBox>(QLatin1String(name)), Qt::LeftButton);
        EXPECT_TRUE(w.FEstimate.*member) << name;
    }
    typeInto(history("CBCondition"), QStringLiteral("月末締め翌月末払い"));
    EXPECT_EQ(w.FEstimate.Condition, "月末締め翌月末払い");
    control<QComboBox>(QStringLiteral("CBNameTitle"))->setCurrentIndex(2);
    EXPECT_EQ(w.FEstimate.Customer.NameTitle, "様");

    // The remarks keep their lines with CR LF; Enter makes the new line there.
    auto* remarks = control<QPlainTextEdit>(QStringLiteral("MMEtc"));
    QTest::mouseClick(remarks->viewport(), Qt::LeftButton);
    TypeText(remarks, QStringLiteral("1行目"));
    QTest::keyClick(remarks, Qt::Key_Return);
    TypeText(remarks, QStringLiteral("2行目"));
    EXPECT_EQ(w.FEstimate.Etc, "1行目\r\n2行目");
    EXPECT_TRUE(remarks->hasFocus());
}

TEST_F(HeaderInputTest, EnterMovesToTheNextField) {
    start();
    typeInto(edit("EdtName1"), QStringLiteral("株式会社"));
    QTest::keyClick(edit("EdtName1"), Qt::Key_Return);
    EXPECT_TRUE(edit("EdtName2")->hasFocus());
    QTest::keyClick(edit("EdtName2"), Qt::Key_Enter);
    EXPECT_TRUE(edit("EdtName3")->hasFocus());
}

TEST_F(HeaderInputTest, LoadHeaderFillsTheWindowWithoutCopyingHalfFilledFields) {
    TFormMain& w = start();
    w.FEstimate.Customer.Name1 = QStringLiteral("有限会社サンプル");
    w.FEstimate.Customer.NameTitle = QStringLiteral("様");
    w.FEstimate.Place = QStringLiteral("本社倉庫");
    w.FEstimate.PrintLimit = true;
    w.FEstimate.Etc = QStringLiteral("A\r\nB");
    w.SetHeaderNotify(false);
    w.LoadHeader();
    w.SetHeaderNotify(true);
    EXPECT_EQ(edit("EdtName1")->text(), "有限会社サンプル");
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBNameTitle"))->currentText(), "様");
    EXPECT_EQ(history("CBPlace")->currentText(), "本社倉庫");
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("ChBLimit"))->isChecked());
    EXPECT_EQ(control<QPlainTextEdit>(QStringLiteral("MMEtc"))->toPlainText(), "A\nB");
    EXPECT_EQ(w.FEstimate.Etc, "A\r\nB");
    EXPECT_EQ(w.FEstimate.Customer.Name1, "有限会社サンプル");

    // Detached, a change stays in the window only.
    w.SetHeaderNotify(false);
    edit("EdtName1")->setText(QStringLiteral("途中"));
    EXPECT_EQ(w.FEstimate.Customer.Name1, "有限会社サンプル");
}

TEST_F(HeaderInputTest, TheDatePickerWritesTheEraDate) {
    TFormMain& w = start();
    auto* picker = control<TDatePickButton>(QStringLiteral("DateTimePicker1"));
    EXPECT_EQ(picker->Date(), QDate(2026, 12, 10));
    QTest::mouseClick(picker, Qt::LeftButton);
    ASSERT_TRUE(picker->Calendar()->isVisible());
    EXPECT_EQ(picker->Calendar()->selectedDate(), QDate(2026, 12, 10));
    picker->Calendar()->setSelectedDate(QDate(2005, 11, 30));
    QTest::keyClick(picker->Calendar()->findChild<QTableView*>(), Qt::Key_Return);
    EXPECT_FALSE(picker->Calendar()->isVisible());
    EXPECT_EQ(edit("EdtDelivery")->text(), "平成17年11月30日");
    EXPECT_EQ(w.FEstimate.Delivery, "平成17年11月30日");
    EXPECT_EQ(picker->Date(), QDate(2005, 11, 30));
}

TEST_F(HeaderInputTest, LeavingAHistoryBoxRemembersItsText) {
    start();
    THistoryComboBox* place = history("CBPlace");
    for (int i = 0; i < 2; ++i) {
        typeInto(place, QStringLiteral("本社"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    typeInto(place, QStringLiteral("第二倉庫"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    typeInto(place, QStringLiteral("   "));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(entries(place), QStringList({"第二倉庫", "本社"}));
    QSettings stored(THistoryComboBox::RegistryFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Software/Hestrel/Pelkano3/Place/0")).toString(),
              "第二倉庫");
    EXPECT_EQ(stored.value(QStringLiteral("Software/Hestrel/Pelkano3/Place/1")).toString(), "本社");

    // The next start loads them.
    AppWindows::Destroy();
    start();
    EXPECT_EQ(entries(history("CBPlace")), QStringList({"第二倉庫", "本社"}));
    EXPECT_TRUE(history("CBPlace")->currentText().isEmpty());
}

TEST_F(HeaderInputTest, DeletingAHistoryAsksAndKeepsTheText) {
    start();
    const std::tuple<const char*, const char*, const char*> lines[] = {
        {"CBPlace", "BtnDelHistoryPlace", "納入場所"},
        {"CBCondition", "Button1", "支払条件"},
        {"CBLimit", "Button2", "有効期限"},
    };
    for (const auto& [box, button, name] : lines) {
        SCOPED_TRACE(name);
        THistoryComboBox* combo = history(box);
        typeInto(combo, QStringLiteral("履歴の値"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_EQ(combo->count(), 1);
        messages.Texts.clear();
        messages.Yes = false;
        clickButton(button);
        EXPECT_EQ(messages.Texts,
                  QStringList{QString::fromUtf8(name) + "の履歴を削除してよろしいですか？"});
        EXPECT_EQ(combo->count(), 1);
        messages.Yes = true;
        clickButton(button);
        EXPECT_EQ(messages.Texts.last(), QString::fromUtf8(name) + "の履歴を削除しました。");
        EXPECT_EQ(combo->count(), 0);
        EXPECT_EQ(combo->currentText(), "履歴の値");
    }
}

TEST_F(HeaderInputTest, PickingACustomerReplacesTheAddresseeButKeepsTheHonorific) {
    writeRootFile("Customer.dat",
                  "C001,株式会社青葉商事,営業部,,〒980-0811,宮城県仙台市青葉区一番町,1-1-1,022-111-"
                  "2222,022-111-3333\r\n"
                  "C002,有限会社みどり,,,150-0001,東京都渋谷区神宮前,2-2,03-1234-5678,\r\n");
    TFormMain& w = start();
    control<QComboBox>(QStringLiteral("CBNameTitle"))->setEditText(QStringLiteral("様"));
    typeInto(edit("EdtName2"), QStringLiteral("前の宛名"));
    QTimer::singleShot(0, [] {
        TFormCustomer* list = AppWindows::FormCustomer;
        auto* view = list->findChild<QTableView*>(QStringLiteral("LVCustomer"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(1, 1)).center());
        QTest::mouseClick(list->findChild<QAbstractButton*>(QStringLiteral("PNGBtnSelect")),
                          Qt::LeftButton);
    });
    clickButton("PNGBtnCustomer");
    EXPECT_EQ(edit("MMCusCode")->text(), "C002");
    EXPECT_EQ(edit("EdtName1")->text(), "有限会社みどり");
    EXPECT_EQ(edit("EdtName2")->text(), "");
    EXPECT_EQ(edit("EdtAdd1")->text(), "東京都渋谷区神宮前");
    EXPECT_EQ(edit("EdtTel")->text(), "03-1234-5678");
    const TThCustomerObject& addressee = w.FEstimate.Customer;
    EXPECT_EQ(addressee.CusCode, "C002");
    EXPECT_EQ(addressee.Name1, "有限会社みどり");
    EXPECT_EQ(addressee.Name2, "");
    EXPECT_EQ(addressee.Zip, "150-0001");
    EXPECT_EQ(addressee.Add2, "2-2");
    EXPECT_EQ(addressee.NameTitle, "様");
    EXPECT_TRUE(QFile::exists(folders().CustomerPath()));
}

TEST_F(HeaderInputTest, ThePostalButtonsFillCodeAndAddress) {
    QDir().mkpath(folders().ZipFolder());
    QFile::remove(folders().ZipFolder() + QStringLiteral("zip.dat"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(DORVANI4_TEST_DATA "/postal/zip.dat"),
                            folders().ZipFolder() + QStringLiteral("zip.dat")));
    TFormMain& w = start();
    typeInto(edit("EdtZip"), QStringLiteral("1000004"));
    QTimer::singleShot(0, [] {
        AppWindows::FormZipSearch->findChild<QAbstractButton*>(QStringLiteral("PNGBtnOK"))->click();
    });
    clickButton("PNGBtnZip");
    EXPECT_EQ(edit("EdtZip")->text(), "100-0004");
    EXPECT_EQ(edit("EdtAdd1")->text(), "東京都千代田区大手町");
    EXPECT_EQ(w.FEstimate.Customer.Add1, "東京都千代田区大手町");

    typeInto(edit("EdtAdd1"), QStringLiteral("どこにもない町"));
    clickButton("PNGBtnAdd1");
    EXPECT_EQ(messages.Texts.last(), "住所が不明です。");
}

TEST_F(HeaderInputTest, ACharacterCp932CannotHoldIsNamedWhenTheFieldIsLeft) {
    TFormMain& w = start();
    typeInto(edit("EdtName1"), QStringLiteral("𠮷野家"));
    QTest::keyClick(edit("EdtName1"), Qt::Key_Tab);
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].startsWith(QStringLiteral("会社名１：")))
        << messages.Texts[0].toStdString();
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("𠮷")));
    EXPECT_EQ(w.FEstimate.Customer.Name1, "𠮷野家");
}

}  // namespace
