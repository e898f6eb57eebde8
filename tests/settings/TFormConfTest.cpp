#include "SettingsFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <map>
#include <optional>

#include "TypeText.h"

#include "Cp932.h"
#include "TColorSwatch.h"
#include "TFormConf.h"
#include "TThConfigInfo.h"
#include "WindowsColor.h"

namespace {

// Every written key of [SETTING] with the control that edits it, a value in the file that
// differs from the default, and a new value entered in the window.
struct KeyCase {
    const char* key;
    const char* control;
    QString inFile;
    QString entered;
};

const std::vector<KeyCase>& KeyCases() {
    static const std::vector<KeyCase> cases = [] {
        std::vector<KeyCase> c = {
            {"TAX", "EdtTax", "7.5", "8"},
            {"MONETARY", "CBMonetary", "＄", "￥"},
            {"PRINTCUSCODE", "CBPrintCusCode", "0", "1"},
            {"NOTAXNOSUB", "CBNoTaxNoSub", "0", "1"},
            {"EXITALERT", "CBExitAlert", "0", "1"},
            {"OPENALERT", "CBOpenAlert", "0", "1"},
            {"PRINTDECIMAL", "CBPrintDecimalPoint", "1", "0"},
            {"LINE_COLOR_ODD", "ShapeLineColorOdd", "255", "5649426"},     // red; 0x563412
            {"LINE_COLOR_EVEN", "ShapeLineColorEven", "65280", "197121"},  // green; 0x030201
            {"PDF_EMBED_FONTS", "CBPdfEmbedFonts", "0", "1"},
        };
        const std::pair<const char*, const char*> texts[] = {
            {"EST_TITLE", "EdtEstTitle"},
            {"EST_MSG", "EdtEstMsg"},
            {"UNIT_PRICE_EST_TITLE", "EdtUnitPriceEstTitle"},
            {"UNIT_PRICE_EST_MSG", "EdtUnitPriceEstMsg"},
            {"DELIVER_TITLE", "EdtDeliverTitle"},
            {"DELIVER_MSG", "EdtDeliverMsg"},
            {"CLAIM_TITLE", "EdtClaimTitle"},
            {"CLAIM_MSG", "EdtClaimMsg"},
            {"CLAIM_DETAIL_TITLE", "EdtClaimDetailTitle"},
            {"CLAIM_DETAIL_MSG", "EdtClaimDetailMsg"},
            {"TOTAL_CLAIM_TITLE", "EdtTotalClaimTitle"},
            {"TOTAL_CLAIM_MSG", "EdtTotalClaimMsg"},
            {"RECEIVE_TITLE", "EdtReceiveTitle"},
            {"RECEIVE_MSG", "EdtReceiveMsg"},
            {"RECEIPT_TITLE", "EdtReceiptTitle"},
            {"RECEIPT_MSG", "EdtReceiptMsg"},
            {"RECEIVE_DAY", "EdtReceiveDay"},
            {"PLACE", "EdtPlace"},
            {"CONDITION", "EdtCondition"},
            {"LIMIT", "EdtLimit"},
            {"ITEM_NAME", "EdtItemName"},
            {"ART", "EdtArt"},
            {"UNIT_NAME", "EdtUnitName"},
            {"UNIT_PRICE", "EdtUnitPrice"},
            {"PRICE", "EdtPrice"},
            {"NOTE", "EdtNote"},
        };
        for (const auto& [key, control] : texts) {
            c.push_back({key, control, QStringLiteral("旧") + QLatin1String(key),
                         QStringLiteral("新 ") + QLatin1String(key)});
        }
        return c;
    }();
    return cases;
}

class TFormConfTest : public SettingsFixture {
  protected:
    TFormConfTest() {
        form.SetPictureDialog([this](QWidget*, const QString& folder) {
            pictureFolders << folder;
            return pictureAnswer;
        });
        form.SetColorDialog([this](QWidget*, const QColor& current) {
            colorsAsked.push_back(current);
            return colorAnswer;
        });
    }
    void openOn(TThConfigInfo& settings) {
        form.Bind(settings);
        open(&form);
    }
    void writeConf(const QString& text) { writeFileBytes(confPath(), Cp932::encode(text)); }
    template <class T = QWidget>
    T* control(const char* name) {
        return SettingsFixture::control<T>(&form, QLatin1String(name));
    }
    QLineEdit* field(const char* name) { return control<QLineEdit>(name); }
    void click(const char* name) { SettingsFixture::click(&form, QLatin1String(name)); }

    // The control's value as the file writes it.
    QString shown(const char* name) {
        QWidget* c = control(name);
        if (auto* edit = qobject_cast<QLineEdit*>(c)) {
            return edit->text();
        }
        if (auto* box = qobject_cast<QCheckBox*>(c)) {
            return box->isChecked() ? "1" : "0";
        }
        if (auto* list = qobject_cast<QComboBox*>(c)) {
            return list->currentText();
        }
        return QString::number(WindowsColor::FromColor(qobject_cast<TColorSwatch*>(c)->Color()));
    }
    // Enters value as a user does: typing, clicking, choosing, or the colour dialog.
    void enter(const char* name, const QString& value) {
        QWidget* c = control(name);
        showTabOf(c);
        if (auto* edit = qobject_cast<QLineEdit*>(c)) {
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            TypeText(edit, value);
        } else if (auto* box = qobject_cast<QCheckBox*>(c)) {
            if (box->isChecked() != (value == "1")) {
                clickButton(box);
            }
        } else if (auto* list = qobject_cast<QComboBox*>(c)) {
            list->setCurrentIndex(list->findText(value));
        } else {
            colorAnswer = WindowsColor::ToColor(value.toInt());
            click(QByteArray("PNGBtn" + QByteArray(name).mid(5)).constData());
        }
    }
    // The settings as the file would hold them.
    static QStringList values(const TThConfigInfo& settings) {
        IniFile ini = IniFile::Load(QString());
        WriteKeys(settings, TThConfigInfo::Keys(), ini, TThConfigInfo::Section);
        QStringList out;
        for (const auto& key : TThConfigInfo::Keys()) {
            out << key.key + "=" + ini.ReadString(TThConfigInfo::Section, key.key, "-");
        }
        for (int i = 0; i < TThConfigInfo::StampCount; ++i) {
            out << QString::number(settings.Stamp(i).cacheKey());
        }
        return out;
    }
    TPictureFrame* frame(int seal) {
        return SettingsFixture::control<TPictureFrame>(&form,
                                                       QStringLiteral("ImgPStamp%1").arg(seal));
    }
    bool canDelete(int seal) {
        return SettingsFixture::control<QAbstractButton>(
                   &form, QStringLiteral("PNGBtnPStampDelete%1").arg(seal))
            ->isEnabled();
    }

    TThConfigInfo config{img()};
    TFormConf form;
    std::optional<QColor> colorAnswer;
    std::vector<QColor> colorsAsked;
};

TEST_F(TFormConfTest, EveryWrittenKeyHasAControlThatShowsAndStoresIt) {
    QStringList covered;
    for (const KeyCase& c : KeyCases()) {
        covered << c.key;
    }
    for (const auto& key : TThConfigInfo::Keys()) {
        EXPECT_EQ(covered.contains(key.key), key.written) << key.key.toStdString();
    }

    QString file = "[SETTING]\r\nFAX_TITLE=手書きの案内\r\n";
    for (const KeyCase& c : KeyCases()) {
        file += QLatin1String(c.key) + "=" + c.inFile + "\r\n";
    }
    writeConf(file);
    config.LoadFromFile(confPath());
    openOn(config);
    EXPECT_EQ(currentTab(&form, "PGConfig"), "TSBasic");
    for (const KeyCase& c : KeyCases()) {
        EXPECT_EQ(shown(c.control), c.inFile) << c.key;
        enter(c.control, c.entered);
    }
    EXPECT_EQ(colorsAsked, std::vector<QColor>({QColor(255, 0, 0), QColor(0, 255, 0)}))
        << "the colour dialog starts from the swatch's colour";
    click("PNGBtnOK");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TFormConf::ResultOK);
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join('\n').toStdString();

    config.SaveToFile(confPath());
    const IniFile saved = IniFile::Load(confPath());
    for (const KeyCase& c : KeyCases()) {
        EXPECT_EQ(saved.ReadString("SETTING", c.key, "missing"), c.entered) << c.key;
    }
    EXPECT_EQ(saved.ReadString("SETTING", "FAX_TITLE", "missing"), "手書きの案内");
}

TEST_F(TFormConfTest, TheTaxRateIsShownPlainAndStoredExactly) {
    const struct {
        const char* entered;
        const char* shownAgain;
        std::int64_t raw;
    } cases[] = {{"8", "8", 80000}, {"10", "10", 100000},       {"7.5", "7.5", 75000},
                 {"0", "0", 0},     {"99.99", "99.99", 999900}, {"08.50", "8.5", 85000}};
    for (const auto& c : cases) {
        openOn(config);
        field("EdtTax")->setText(c.entered);
        click("PNGBtnOK");
        EXPECT_EQ(form.result(), TFormConf::ResultOK) << c.entered;
        EXPECT_EQ(config.TAX, Currency::fromRaw(c.raw)) << c.entered;
        form.Bind(config);
        EXPECT_EQ(field("EdtTax")->text(), c.shownAgain) << c.entered;
    }
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_F(TFormConfTest, TheTaxFieldTakesDigitsAndThePointOnly) {
    openOn(config);
    QLineEdit* tax = field("EdtTax");
    tax->setFocus();
    QTest::keyClick(tax, Qt::Key_A, Qt::ControlModifier);
    TypeText(tax, QStringLiteral("1a2-.５ x3"));
    EXPECT_EQ(tax->text(), "12.3");
    QTest::keyClick(tax, Qt::Key_Backspace);
    EXPECT_EQ(tax->text(), "12.");
    QTest::keyClick(tax, Qt::Key_Home);
    QTest::keyClick(tax, Qt::Key_Delete);
    EXPECT_EQ(tax->text(), "2.");
    QTest::keyClick(tax, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), control("CBMonetary")) << "Enter moves on";
    EXPECT_TRUE(form.isVisible()) << "Enter never closes the window";
}

TEST_F(TFormConfTest, AnInvalidFieldIsNamedFocusedAndNothingIsStored) {
    const struct {
        const char* field;
        QString text;
        QString message;
        const char* tab;
    } cases[] = {
        {"EdtTax", "", "消費税率：数値を入力してください。", "TSBasic"},
        {"EdtTax", "1.2.3", "消費税率：「1.2.3」は数値ではありません。", "TSBasic"},
        {"EdtTax", ".", "消費税率：「.」は数値ではありません。", "TSBasic"},
        {"EdtTax", "-5", "消費税率：税率は0以上100未満の値を入力してください。", "TSBasic"},
        {"EdtTax", "100", "消費税率：税率は0以上100未満の値を入力してください。", "TSBasic"},
        {"EdtTax", "12345678901234567890", "消費税率：税率は0以上100未満の値を入力してください。",
         "TSBasic"},
        {"EdtTax", "1e1", "消費税率：「1e1」は数値ではありません。", "TSBasic"},
        {"EdtReceiptMsg", "領収😀",
         "領収書（メッセージ）：文字「😀」(U+1F600)は Shift-JIS (cp932) で保存できません。",
         "TSPrintMSG"},
        {"EdtNote", "備考한", "備考：文字「한」(U+D55C)は Shift-JIS (cp932) で保存できません。",
         "TSPrintHead"},
    };
    pictureAnswer = pictureFile("seal.png", seal(), "PNG");
    colorAnswer = QColor(1, 2, 3);
    for (const auto& c : cases) {
        messages.Texts.clear();
        const QStringList before = values(config);
        openOn(config);
        enter("EdtEstTitle", "新しい題");
        click("PNGBtnPStampEntry4");
        click("PNGBtnLineColorOdd");
        field(c.field)->setText(c.text);
        showTabOf(control("CBExitAlert"));
        click("PNGBtnOK");

        EXPECT_TRUE(form.isVisible()) << c.field << " " << c.text.toStdString();
        ASSERT_EQ(messages.Texts.size(), 1) << c.text.toStdString();
        EXPECT_EQ(messages.Kinds.back(), Messages::Kind::Error);
        EXPECT_EQ(messages.Texts.first(), c.message);
        EXPECT_EQ(currentTab(&form, "PGConfig"), c.tab) << c.text.toStdString();
        EXPECT_EQ(QApplication::focusWidget(), field(c.field)) << c.text.toStdString();
        EXPECT_EQ(field(c.field)->text(), c.text) << "the text stays for correcting";
        EXPECT_EQ(values(config), before) << c.text.toStdString();
        click("PNGBtnCancel");
    }
}

TEST_F(TFormConfTest, ACurrencySymbolOutsideTheListMustBeChosenAgain) {
    writeConf("[SETTING]\r\nMONETARY=US$\r\n");
    config.LoadFromFile(confPath());
    openOn(config);
    EXPECT_EQ(control<QComboBox>("CBMonetary")->currentIndex(), -1);
    showTabOf(control("EdtNote"));
    click("PNGBtnOK");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages.Texts, QStringList("通貨記号：「￥」か「＄」を選んでください。"));
    EXPECT_EQ(currentTab(&form, "PGConfig"), "TSBasic");
    EXPECT_EQ(QApplication::focusWidget(), control("CBMonetary"));
    EXPECT_EQ(config.MONETARY, "US$");
    enter("CBMonetary", "＄");
    click("PNGBtnOK");
    EXPECT_EQ(config.MONETARY, "＄");
}

TEST_F(TFormConfTest, OkAfterCorrectingStoresEverything) {
    openOn(config);
    enter("EdtEstTitle", "新しい題");
    field("EdtTax")->setText("1.2.3");
    click("PNGBtnOK");
    ASSERT_TRUE(form.isVisible());
    enter("EdtTax", "8");
    click("PNGBtnOK");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(config.TAX, Currency::fromUnits(8));
    EXPECT_EQ(config.EST_TITLE, "新しい題");
}

TEST_F(TFormConfTest, CancelDropsEveryEditAndTheNextOpeningShowsTheSettings) {
    const QStringList before = values(config);
    pictureAnswer = pictureFile("seal.png", seal(), "PNG");
    colorAnswer = QColor(1, 2, 3);
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"キャンセル", [&] { click("PNGBtnCancel"); }},
        {"Escape", [&] { QTest::keyClick(&form, Qt::Key_Escape); }},
        {"window close", [&] { form.close(); }},
    };
    for (const auto& [way, close] : ways) {
        openOn(config);
        for (const KeyCase& c : KeyCases()) {
            enter(c.control, c.entered);
        }
        click("PNGBtnPStampEntry1");
        ASSERT_FALSE(frame(1)->Picture().isNull());
        close();
        EXPECT_FALSE(form.isVisible()) << way;
        EXPECT_EQ(form.result(), TFormConf::ResultCancel) << way;
        EXPECT_EQ(values(config), before) << way;

        form.Bind(config);
        EXPECT_TRUE(frame(1)->Picture().isNull()) << way;
        EXPECT_FALSE(canDelete(1)) << way;
        EXPECT_EQ(field("EdtEstTitle")->text(), "御 見 積 書") << way;
    }
}

TEST_F(TFormConfTest, ACancelledColourDialogKeepsTheSwatch) {
    openOn(config);
    colorAnswer.reset();
    click("PNGBtnLineColorEven");
    EXPECT_EQ(control<TColorSwatch>("ShapeLineColorEven")->Color(), QColor(255, 255, 255));
    click("PNGBtnOK");
    EXPECT_EQ(config.LINE_COLOR_EVEN, 16777215);
}

TEST_F(TFormConfTest, SealsRegisterAndDeleteIntoTheirBitmapFiles) {
    ASSERT_TRUE(plain(Qt::green).save(img("pstamp0.bmp"), "BMP"));
    ASSERT_TRUE(plain(Qt::blue).save(img("pstamp1.bmp"), "BMP"));
    config.LoadFromFile(confPath());
    openOn(config);
    for (int seal = 1; seal <= 6; ++seal) {
        EXPECT_EQ(frame(seal)->Picture().isNull(), seal > 2) << seal;
        EXPECT_EQ(canDelete(seal), seal <= 2) << seal;
    }

    pictureAnswer = pictureFile("scan.png", seal(), "PNG");
    click("PNGBtnPStampEntry3");
    EXPECT_EQ(pictureFolders.size(), 1);
    EXPECT_FALSE(frame(3)->Picture().isNull());
    EXPECT_TRUE(canDelete(3));

    messages.Yes = true;
    click("PNGBtnPStampDelete2");
    EXPECT_TRUE(frame(2)->Picture().isNull());
    EXPECT_FALSE(canDelete(2));
    messages.Yes = false;
    click("PNGBtnPStampDelete1");
    EXPECT_FALSE(frame(1)->Picture().isNull());
    EXPECT_EQ(messages.Texts, QStringList({"捺印2を削除します、よろしいですか？",
                                           "捺印1を削除します、よろしいですか？"}));

    click("PNGBtnOK");
    config.SaveToFile(confPath());
    EXPECT_TRUE(QFile::exists(img("pstamp0.bmp")));
    EXPECT_FALSE(QFile::exists(img("pstamp1.bmp"))) << "the deleted seal's file goes";
    ASSERT_TRUE(QFile::exists(img("pstamp2.bmp")));
    EXPECT_TRUE(readFileBytes(img("pstamp2.bmp")).startsWith("BM")) << "a PNG is kept as BMP";
    const QImage stored(img("pstamp2.bmp"));
    EXPECT_EQ(stored.size(), QSize(40, 30));
    EXPECT_EQ(stored.pixel(0, 0), qRgb(255, 255, 255)) << "transparency is laid on white";
    EXPECT_EQ(stored.pixel(20, 15), qRgb(200, 0, 0));
    for (int i = 3; i < 6; ++i) {
        EXPECT_FALSE(QFile::exists(img(QStringLiteral("pstamp%1.bmp").arg(i)))) << i;
    }
}

TEST_F(TFormConfTest, PicturesOpenByTheirExtensionAndBadOnesChangeNothing) {
    const QImage first = plain(Qt::yellow, 30, 30);
    const struct {
        QString file;
        QByteArray bytes;  // empty: the picture in the format
        const char* format;
        QString message;  // empty: accepted
    } cases[] = {
        {"a.bmp", {}, "BMP", {}},
        {"b.jpg", {}, "JPEG", {}},
        {"c.JPEG", {}, "JPEG", {}},
        {"d.png", {}, "PNG", {}},
        {"e.PNG", {}, "PNG", {}},
        {"jpeg-inside.bmp", {}, "JPEG", {}},
        {"f.gif", {}, "PNG", "対応している画像形式はBMP、JPEG又はPNGです。"},
        {"broken.png", "\x89PNG broken", nullptr, "画像「<file>」を読み込めません。"},
        {"empty.jpg", " ", nullptr, "画像「<file>」を読み込めません。"},
    };
    for (const auto& c : cases) {
        messages.Texts.clear();
        if (c.format != nullptr) {
            pictureAnswer = pictureFile(c.file, plain(Qt::red, 12, 8), c.format);
        } else {
            pictureAnswer = temp.path(c.file);
            writeFileBytes(pictureAnswer, c.bytes);
        }
        openOn(config);
        frame(5)->SetPicture(first);
        click("PNGBtnPStampEntry5");
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages.Texts.isEmpty()) << c.file.toStdString();
            EXPECT_EQ(frame(5)->Picture().size(), QSize(12, 8)) << c.file.toStdString();
        } else {
            ASSERT_EQ(messages.Texts.size(), 1) << c.file.toStdString();
            EXPECT_TRUE(messages.Texts.first().startsWith(
                QString(c.message).replace("<file>", pictureAnswer)))
                << messages.Texts.first().toStdString();
            EXPECT_EQ(frame(5)->Picture(), first) << c.file.toStdString();
        }
        click("PNGBtnCancel");
    }
}

TEST_F(TFormConfTest, ACancelledPictureDialogChangesNothing) {
    openOn(config);
    pictureAnswer.clear();
    click("PNGBtnPStampEntry6");
    EXPECT_TRUE(frame(6)->Picture().isNull());
    EXPECT_FALSE(canDelete(6));
    EXPECT_TRUE(messages.Texts.isEmpty());
}

}  // namespace

namespace {

TEST_F(TFormConfTest, QualifiedInvoiceSwitchShowsTheReducedRateAndStoresBoth) {
    openOn(config);
    QCheckBox* box = control<QCheckBox>("CBQualifiedInvoice");
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(field("EdtReducedTax")->isHidden()) << "the window is as it was while off";
    EXPECT_TRUE(control("LblReducedTax")->isHidden());
    EXPECT_EQ(field("EdtReducedTax")->text(), "8");

    enter("CBQualifiedInvoice", "1");
    EXPECT_FALSE(field("EdtReducedTax")->isHidden());
    enter("EdtReducedTax", "6.5");
    click("PNGBtnOK");
    EXPECT_EQ(form.result(), TFormConf::ResultOK);
    EXPECT_TRUE(config.QUALIFIED_INVOICE);
    EXPECT_EQ(config.REDUCED_TAX, Currency::fromText(u"6.5"));

    config.SaveToFile(confPath());
    const IniFile saved = IniFile::Load(confPath());
    EXPECT_EQ(saved.ReadString("SETTING", "QUALIFIED_INVOICE", "-"), "1");
    EXPECT_EQ(saved.ReadString("SETTING", "REDUCED_TAX", "-"), "6.5");

    form.Bind(config);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(field("EdtReducedTax")->text(), "6.5");
}

TEST_F(TFormConfTest, EveryExtensionKeyHasAControl) {
    const std::map<QString, const char*> controls = {{"QUALIFIED_INVOICE", "CBQualifiedInvoice"},
                                                     {"REDUCED_TAX", "EdtReducedTax"},
                                                     {"PDF_EMBED_FONTS", "CBPdfEmbedFonts"}};
    for (const auto& key : TThConfigInfo::ExtensionKeys()) {
        ASSERT_TRUE(controls.contains(key.key)) << key.key.toStdString();
        EXPECT_NE(control(controls.at(key.key)), nullptr);
    }
}

TEST_F(TFormConfTest, BadReducedRateIsRefusedAndShown) {
    openOn(config);
    enter("CBQualifiedInvoice", "1");
    field("EdtReducedTax")->setText("");
    click("PNGBtnOK");
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts.first().contains("軽減税率"))
        << messages.Texts.first().toStdString();
    EXPECT_FALSE(config.QUALIFIED_INVOICE);
}

}  // namespace
