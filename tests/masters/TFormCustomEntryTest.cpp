#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "CustomerPrint.h"
#include "MessageLog.h"
#include "QtPrint.h"
#include "TypeText.h"

#include "CustomerField.h"
#include "TFormCustomAdd.h"
#include "TFormCustomEdit.h"
#include "TPngButton.h"
#include "TSsEdit.h"

namespace {

struct Window {
    const char* name;
    std::function<std::unique_ptr<TFormCustomEntry>()> create;
    QString title;
    QString confirm;
};

void PrintTo(const Window& window, std::ostream* out) {
    *out << window.name;
}

const Window Windows[] = {
    {"add", [] { return std::make_unique<TFormCustomAdd>(); }, "お客様の追加", "登録"},
    {"edit", [] { return std::make_unique<TFormCustomEdit>(); }, "編集", "編集"},
};

const TThCustomerObject Sample{
    "C-001", "株式会社ひかり", "営業部",      "", "", "100-0001", "東京都千代田区千代田",
    "1-1",   "03-1234-5678",   "03-1234-5679"};

class TFormCustomEntryTest : public ::testing::TestWithParam<Window> {
  protected:
    template <typename T>
    T* control(const QString& name) {
        T* found = form->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* field(const char* name) { return control<QLineEdit>(QLatin1String(name)); }
    void open() {
        form->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void clickPicture(const char* name) {
        QTest::mouseClick(control<TPngButton>(QLatin1String(name)), Qt::LeftButton);
    }

    MessageLog messages;
    std::unique_ptr<TFormCustomEntry> form = GetParam().create();
};

std::string WindowName(const ::testing::TestParamInfo<Window>& window) {
    return window.param.name;
}

INSTANTIATE_TEST_SUITE_P(Windows, TFormCustomEntryTest, ::testing::ValuesIn(Windows), WindowName);

TEST_P(TFormCustomEntryTest, HasTheCaptionsAndFieldsOfTheWindow) {
    EXPECT_EQ(form->windowTitle(), GetParam().title);
    EXPECT_EQ(control<QPushButton>("BtnOK")->text(), GetParam().confirm);
    EXPECT_EQ(control<QPushButton>("BtnClose")->text(), "閉じる");
    EXPECT_EQ(control<QPushButton>("BtnZip")->text(), "郵便番号");
    EXPECT_EQ(control<QPushButton>("BtnAdd1")->text(), "住所１");
    EXPECT_NE(qobject_cast<TSsEdit*>(field("MMCusCode")), nullptr);
    EXPECT_EQ(field("EdtZip")->maxLength(), 8);
    for (const char* name : {"BtnOK", "BtnClose", "BtnZip", "BtnAdd1"}) {
        EXPECT_TRUE(control<QPushButton>(QLatin1String(name))->isHidden()) << name;
    }
    // Each field sits on its label's line, below the one before it.
    int top = -1;
    for (const CustomerField& f : CustomerFields) {
        QLineEdit* edit = field(f.ControlName);
        EXPECT_GT(edit->y(), top) << f.ControlName;
        top = edit->y();
    }
}

TEST_P(TFormCustomEntryTest, CodesAndNumbersAskForLatinInput) {
    for (const CustomerField& f : CustomerFields) {
        const Qt::InputMethodHints expected =
            f.Latin ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText : Qt::ImhNone;
        EXPECT_EQ(field(f.ControlName)->inputMethodHints(), expected) << f.ControlName;
    }
}

TEST_P(TFormCustomEntryTest, ShowsTheGivenCustomerAndReturnsItsFields) {
    TThCustomerObject given = Sample;
    given.NameTitle = QStringLiteral("御中");
    form->SetCustomer(given);
    EXPECT_EQ(field("EdtAdd1")->text(), "東京都千代田区千代田");
    EXPECT_EQ(form->Customer(), Sample) << "NameTitle is not a field of the window";
}

TEST_P(TFormCustomEntryTest, TheCodeIsTheFirstLineOfItsBox) {
    form->SetCustomer(Sample);
    field("MMCusCode")->setText(QStringLiteral("C-7\r\nsecond"));
    EXPECT_EQ(form->Customer().CusCode, "C-7");
}

TEST_P(TFormCustomEntryTest, EnterWalksTheFieldsInOrderWhileTyping) {
    form->SetCustomer({});
    open();
    TThCustomerObject typed;
    for (const CustomerField& f : CustomerFields) {
        ASSERT_EQ(QApplication::focusWidget(), field(f.ControlName)) << f.ControlName;
        const QString text = QStringLiteral("%1-1").arg(f.ControlName == QStringLiteral("EdtZip")
                                                            ? QStringLiteral("100")
                                                            : QLatin1String(f.ControlName));
        TypeText(QApplication::focusWidget(), text);
        typed.*f.Member = text;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(QApplication::focusWidget(), field("MMCusCode")) << "Enter after FAX wraps round";
    EXPECT_TRUE(form->isVisible()) << "Enter never confirms the window";
    EXPECT_EQ(form->Customer(), typed);
}

TEST_P(TFormCustomEntryTest, ThePostalCodeTakesDigitsAndHyphensOnly) {
    form->SetCustomer({});
    open();
    QLineEdit* zip = field("EdtZip");
    zip->setFocus();
    TypeText(zip, QStringLiteral("1a2-３x3"));
    EXPECT_EQ(zip->text(), "12-3");
    QTest::keyClick(zip, Qt::Key_Backspace);
    EXPECT_EQ(zip->text(), "12-");
    TypeText(zip, QStringLiteral("4567890"));
    EXPECT_EQ(zip->text(), "12-45678") << "at most 8 characters";
}

TEST_P(TFormCustomEntryTest, ConfirmGivesOkAndCloseGivesCancel) {
    struct Way {
        const char* name;
        std::function<void()> close;
        int result;
    };
    const Way ways[] = {
        {"confirm", [&] { clickPicture("PNGBtnOK"); }, TFormCustomEntry::ResultOK},
        {"閉じる", [&] { clickPicture("PNGBtnClose"); }, TFormCustomEntry::ResultCancel},
        {"Escape", [&] { QTest::keyClick(form.get(), Qt::Key_Escape); },
         TFormCustomEntry::ResultCancel},
        {"window close", [&] { form->close(); }, TFormCustomEntry::ResultCancel},
    };
    for (const Way& way : ways) {
        form->SetCustomer(Sample);
        open();
        way.close();
        EXPECT_FALSE(form->isVisible()) << way.name;
        EXPECT_EQ(form->result(), way.result) << way.name;
    }
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_P(TFormCustomEntryTest, RefusesACharacterThatCannotBeSavedAndNamesIt) {
    struct Case {
        const char* field;
        QString text;
        QString character;
        QString caption;
    };
    const Case cases[] = {
        {"EdtName2", QStringLiteral("ひかり😀"), QStringLiteral("😀"), QStringLiteral("会社名２")},
        {"EdtAdd1", QStringLiteral("𠮷野町"), QStringLiteral("𠮷"), QStringLiteral("住所１")},
        {"EdtFax", QStringLiteral("03-한"), QStringLiteral("한"), QStringLiteral("FAX")},
    };
    for (const Case& c : cases) {
        messages.Texts.clear();
        form->SetCustomer(Sample);
        field(c.field)->setText(c.text);
        open();
        clickPicture("PNGBtnOK");
        EXPECT_TRUE(form->isVisible()) << c.field;
        ASSERT_EQ(messages.Texts.size(), 1) << c.field;
        EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error);
        EXPECT_TRUE(messages.Texts.first().startsWith(c.caption))
            << messages.Texts.first().toStdString();
        EXPECT_TRUE(messages.Texts.first().contains(c.character))
            << messages.Texts.first().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), field(c.field));
        EXPECT_EQ(field(c.field)->text(), c.text) << "the text stays as typed";
        form->done(TFormCustomEntry::ResultCancel);
    }
}

TEST_P(TFormCustomEntryTest, LookupButtonsWaitForTheirLookups) {
    EXPECT_FALSE(control<TPngButton>("PNGBtnZip")->isEnabled());
    EXPECT_FALSE(control<TPngButton>("PNGBtnAdd1")->isEnabled());

    QStringList calls;
    auto lookup = [&](const QString& name) {
        return [&, name](QWidget* window, QLineEdit* zip, QLineEdit* add1) {
            EXPECT_EQ(window, form.get());
            calls << name + QLatin1Char(':') + zip->text() + QLatin1Char('/') + add1->text();
            zip->setText(QStringLiteral("100-0004"));
            add1->setText(QStringLiteral("東京都千代田区大手町"));
        };
    };
    form->SetLookups(lookup(QStringLiteral("code")), lookup(QStringLiteral("address")));
    form->SetCustomer(Sample);
    open();
    clickPicture("PNGBtnZip");
    clickPicture("PNGBtnAdd1");
    EXPECT_EQ(calls, QStringList({QStringLiteral("code:100-0001/東京都千代田区千代田"),
                                  QStringLiteral("address:100-0004/東京都千代田区大手町")}));
    EXPECT_EQ(form->Customer().Zip, "100-0004");
    EXPECT_EQ(form->Customer().Add1, "東京都千代田区大手町");
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
