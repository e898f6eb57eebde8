// The file menu of the real main window: New, Open and Save through their windows, the total
// invoice, the slip buttons and the backup, worked with the mouse and the keys.

#include "MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcessEnvironment>
#include <QTableView>
#include <QTimer>
#include <functional>

#include "Clock.h"
#include "DocumentFile.h"
#include "DocumentPresence.h"
#include "FileList.h"
#include "FolderChoice.h"
#include "HandMadeLock.h"
#include "SharedSave.h"
#include "TFormListFileSave.h"
#include "TFormOpen.h"
#include "TFormPrintFaxSender.h"
#include "TFormPrintMitsu.h"
#include "TFormPrintReceipt.h"
#include "TFormPrintTotalClaim.h"
#include "TFormSave.h"
#include "TFormTotalClaim.h"
#include "ToolProcess.h"

namespace {

const QString DropQuestion = QStringLiteral("未保存の編集中のデータは失われます。\r\n");

QDateTime fixedNow() {
    return QDateTime(QDate(2005, 11, 30), QTime(9, 5));
}

QTableView* fileList(QDialog* window) {
    auto* view = window->findChild<QTableView*>(QStringLiteral("LVFileList"));
    EXPECT_NE(view, nullptr);
    return view;
}
QStringList listedNames(QDialog* window) {
    QStringList names;
    QAbstractItemModel* model = fileList(window)->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        names << model->index(row, FileList::ColumnFileName).data().toString();
    }
    return names;
}
void clickRow(QDialog* window, const QString& name, Qt::KeyboardModifiers modifiers = {}) {
    QTableView* view = fileList(window);
    const int row = static_cast<int>(listedNames(window).indexOf(name));
    ASSERT_GE(row, 0) << name.toStdString() << " is not listed";
    const QModelIndex index = view->model()->index(row, FileList::ColumnFileName);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->visualRect(index).center());
}
void clickHeader(QDialog* window, int column) {
    QHeaderView* header = fileList(window)->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}
void clickPicture(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}
void typeOver(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    TypeText(field, text);
}

// A document file in the data folder, written by the model as a saved document would be.
struct StoredDocument {
    QString name;
    QString name1;
    Currency subTotal;
    Currency tax;
    bool taxIn = false;
};

class FileCommandsTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Clock::fix(fixedNow());
    }
    void TearDown() override {
        FolderChoice::SetChooser({});
        MainWindowFixture::TearDown();
        Clock::unfix();
    }

    QString data(const QString& name = {}) const { return folders().DataFolder() + name; }
    void store(TThEstimateObjectList& document, const QString& name, const QString& comment = {}) {
        QDir().mkpath(data());
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        document.SaveToFile(data(name + FileList::Extension), comment);
    }
    void store(const StoredDocument& stored) {
        TThEstimateObjectList document;
        document.Customer.Name1 = stored.name1;
        document.Customer.Add1 = stored.name1 + QStringLiteral("の住所");
        document.Customer.Tel = stored.name1 + QStringLiteral("の電話");
        document.Memo = stored.name + QStringLiteral("のメモ");
        document.SubTotal = stored.subTotal;
        document.Tax = stored.tax;
        document.Total = stored.subTotal;
        document.TaxIn = stored.taxIn;
        store(document, stored.name);
    }

    void trigger(const char* action) { control<QAction>(QLatin1String(action))->trigger(); }
    QString text(const char* name) const { return control<QLineEdit>(QLatin1String(name))->text(); }
    QStringList totalsShown() const {
        return {text("EdSubTotal"), text("MMTax"), text("EdGrandTotal")};
    }

    // Runs command, which is to show dialog modally, while drive works the dialog as a person
    // would. A dialog that drive leaves open is closed, so that a fault cannot hang the run.
    void whileShown(QDialog* dialog, const std::function<void()>& drive,
                    const std::function<void()>& command) {
        bool shown = false;
        QTimer::singleShot(0, dialog, [&] {
            shown = dialog->isVisible();
            if (shown) {
                drive();
            }
            if (dialog->isVisible()) {
                ADD_FAILURE() << dialog->windowTitle().toStdString() << " was left open";
                dialog->done(QDialog::Rejected);
            }
        });
        command();
        if (!shown) {
            QCoreApplication::processEvents();
        }
        EXPECT_TRUE(shown) << dialog->windowTitle().toStdString() << " was not shown";
        giveBackActivation();
    }
    // The offscreen platform has no window manager to make the main window active again once
    // the dialogs over it are gone; without this, the hidden dialog keeps the keyboard.
    void giveBackActivation() {
        window().activateWindow();
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &window());
    }
    // A command that must show no window: any window it opens is recorded and closed.
    void withoutWindow(QDialog* dialog, const std::function<void()>& command) {
        QTimer::singleShot(0, dialog, [dialog] {
            if (dialog->isVisible()) {
                ADD_FAILURE() << dialog->windowTitle().toStdString() << " was shown";
                dialog->done(QDialog::Rejected);
            }
        });
        command();
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialog->isVisible());
    }

    // Types a line in the line-item tab and leaves it for its remark field.
    void typeLine(int row, const QString& name, const QString& num, const QString& price) {
        typeInto(cell("EditItemName_", row), name);
        typeInto(cell("MemoItemNum_", row), num);
        typeInto(cell("MemoItemUnitPrice_", row), price);
        QTest::mouseClick(cell("EditItemEtc_", row), Qt::LeftButton);
    }
    // A document with a header, two lines and their totals, typed as a user does.
    void typeDocument() {
        showTab(0);
        typeInto(control<QLineEdit>(QStringLiteral("EdtName1")), QStringLiteral("株式会社あおば"));
        typeInto(control<QLineEdit>(QStringLiteral("EdtTel")), QStringLiteral("022-111-2222"));
        typeInto(control<QLineEdit>(QStringLiteral("EdtMemo")), QStringLiteral("春の工事"));
        leave(control<QLineEdit>(QStringLiteral("EdtMemo")));
        showTab(1);
        typeLine(0, QStringLiteral("配線工事"), "2", "15000");
        typeLine(1, QStringLiteral("部材"), "3", "1200");
        typeInto(cell("EditItemEtc_", 1), QStringLiteral("現場渡し"));
        leave(cell("EditItemEtc_", 1));
    }

    // Every named control of the main window with what it shows.
    QStringList screen() const {
        QStringList shown;
        for (QWidget* w : window().findChildren<QWidget*>()) {
            QString value;
            if (w->objectName().isEmpty() || w->window() != &window()) {
                continue;
            }
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                value = edit->text();
            } else if (auto* box = qobject_cast<QComboBox*>(w)) {
                value = box->currentText();
            } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
                value = check->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
            } else if (auto* label = qobject_cast<QLabel*>(w)) {
                value = label->text();
            } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
                value = memo->toPlainText();
            } else {
                continue;
            }
            shown << w->objectName() + QLatin1Char('=') + value +
                         (w->isEnabled() ? QString() : QStringLiteral(" off"));
        }
        shown.sort();
        return shown;
    }
    // The document as the file it would be saved as (the clock is fixed, so equal documents
    // give equal bytes).
    QByteArray documentBytes() {
        const QString path = dir.path(QStringLiteral("snapshot.MT4"));
        window().FEstimate.SaveToFile(path, QString());
        return readFileBytes(path);
    }

    // Saves through 保存 → 新規保存 → name and comment → 保存する, then closes the list.
    void saveNew(const QString& name, const QString& comment, QString* proposedComment = nullptr) {
        whileShown(
            AppWindows::FormListFileSave,
            [&] {
                clickPicture(AppWindows::FormListFileSave, "PNGBtnNew");
                TFormSave* save = AppWindows::FormSave;
                ASSERT_TRUE(save->isVisible());
                auto* fileName = save->findChild<QLineEdit*>(QStringLiteral("EdtFileName"));
                auto* commentField = save->findChild<QLineEdit*>(QStringLiteral("EdtComment"));
                if (proposedComment != nullptr) {
                    *proposedComment = commentField->text();
                }
                typeOver(fileName, name);
                typeOver(commentField, comment);
                clickPicture(save, "PNGBtnOK");
                if (save->isVisible()) {
                    clickPicture(save, "PNGBtnCancel");
                }
                clickPicture(AppWindows::FormListFileSave, "PNGBtnClose");
            },
            [&] { clickPicture(&window(), "PNGBtnSave"); });
    }
};

// --- New ---------------------------------------------------------------------------------

TEST_F(FileCommandsTest, NewAsksWhenOpenAlertIsOnAndGivesAFreshDocument) {
    const struct {
        const char* conf;
        bool answer;
        bool asked;
        bool cleared;
    } cases[] = {
        {"[SETTING]\r\nOPENALERT=1\r\n", false, true, false},
        {"[SETTING]\r\nOPENALERT=1\r\n", true, true, true},
        {"[SETTING]\r\nOPENALERT=0\r\n", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.conf) + (c.answer ? " yes" : " no"));
        writeRootFile("conf.ini", c.conf);
        TFormMain& w = start();
        typeDocument();
        clickButton("pngBtnAddInputArea");
        ASSERT_EQ(w.RowCount(), 110);
        ASSERT_EQ(w.FEstimate.Count(), 110);
        ASSERT_NE(w.FEstimate.Total, Currency());
        const QStringList before = screen();
        const QByteArray document = documentBytes();

        messages.Texts.clear();
        messages.Yes = c.answer;
        trigger("New1");
        EXPECT_EQ(messages.Texts, c.asked
                                      ? QStringList{DropQuestion + "新規作成してよろしいですか？"}
                                      : QStringList{});
        if (!c.cleared) {
            EXPECT_EQ(screen(), before);
            EXPECT_EQ(documentBytes(), document);
        } else {
            EXPECT_EQ(w.RowCount(), 100);
            ASSERT_EQ(w.FEstimate.Count(), 100);
            for (int i = 0; i < w.FEstimate.Count(); ++i) {
                const TThEstimateObject& line = w.FEstimate.Items(i);
                EXPECT_TRUE(line.ItemName.isEmpty() && line.Etc.isEmpty() &&
                            line.TotalPrice == Currency() && line.Num == Currency() &&
                            line.UnitPrice == Currency())
                    << "line " << i;
            }
            EXPECT_FALSE(w.FEstimate.TotalClaimMode);
            EXPECT_EQ(control<QLabel>(QStringLiteral("LblMode"))->text(), "通常");
            EXPECT_EQ(totalsShown(), QStringList({"0", "0", "0"}));
            EXPECT_EQ(w.FEstimate.SubTotal, Currency());
            EXPECT_EQ(w.FEstimate.Tax, Currency());
            EXPECT_EQ(w.FEstimate.Total, Currency());
            EXPECT_TRUE(cell("EditItemName_", 0)->text().isEmpty());
            EXPECT_TRUE(cell("EditItemEtc_", 1)->text().isEmpty());
            EXPECT_EQ(text("EdtName1"), "");
            EXPECT_EQ(text("EdtTel"), "");
            EXPECT_EQ(text("EdtMemo"), "");
            EXPECT_EQ(w.FEstimate.Customer.Name1, "");
            EXPECT_EQ(w.FEstimate.Customer.Tel, "");
            EXPECT_EQ(w.FEstimate.Memo, "");
            EXPECT_EQ(w.FEstimate.Customer.NameTitle, "御中");
            EXPECT_EQ(w.FEstimate.Month, "11");
            EXPECT_EQ(w.FEstimate.Day, "30");
            EXPECT_EQ(control<QTabWidget>(QStringLiteral("PGMain"))->currentIndex(), 0);
        }
        AppWindows::Destroy();
    }
}

// --- Save --------------------------------------------------------------------------------

TEST_F(FileCommandsTest, SavingNewWritesTheDocumentTheWindowHoldsAndChangesNothing) {
    TFormMain& w = start();
    typeDocument();
    const QStringList before = screen();
    const QByteArray document = documentBytes();

    QString proposed;
    saveNew(QStringLiteral("見積001"), QStringLiteral("初回"), &proposed);
    EXPECT_EQ(proposed, "春の工事") << "the memo is proposed as the comment";
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(" | ").toStdString();
    EXPECT_EQ(screen(), before);
    EXPECT_EQ(documentBytes(), document);
    ASSERT_TRUE(QFileInfo::exists(data("見積001.MT4")));

    const ToolRun shown =
        tool({"show", data("見積001.MT4"), "--tax-rate", w.FEstimate.TaxRate.toText()});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    ASSERT_FALSE(json.isEmpty()) << shown.out.toStdString();
    const TThEstimateObjectList& d = w.FEstimate;
    EXPECT_EQ(json["comment"].toString(), "初回");
    EXPECT_EQ(json["TotalClaimMode"].toBool(true), false);
    const QJsonObject customer = json["Customer"].toObject();
    const std::pair<const char*, QString> header[] = {
        {"Name1", d.Customer.Name1},
        {"Name2", d.Customer.Name2},
        {"NameTitle", d.Customer.NameTitle},
        {"Tel", d.Customer.Tel},
        {"Zip", d.Customer.Zip},
        {"CusCode", d.Customer.CusCode},
    };
    for (const auto& [key, value] : header) {
        EXPECT_EQ(customer[key].toString(), value) << key;
    }
    EXPECT_EQ(customer["Name1"].toString(), "株式会社あおば");
    const std::pair<const char*, QString> body[] = {
        {"Year", d.Year},           {"Month", d.Month},       {"Day", d.Day},
        {"SlipCode", d.SlipCode},   {"Delivery", d.Delivery}, {"Place", d.Place},
        {"Condition", d.Condition}, {"Limit", d.Limit},       {"Etc", d.Etc},
        {"Memo", d.Memo},
    };
    for (const auto& [key, value] : body) {
        EXPECT_EQ(json[key].toString(), value) << key;
    }
    EXPECT_EQ(json["TaxIn"].toBool(), d.TaxIn);
    const std::pair<const char*, Currency> totals[] = {
        {"SubTotal", d.SubTotal}, {"Tax", d.Tax}, {"Total", d.Total}};
    for (const auto& [key, value] : totals) {
        EXPECT_EQ(Currency::fromText(json[key].toString()), value)
            << key << " " << json[key].toString().toStdString();
    }
    EXPECT_EQ(d.SubTotal, Currency::fromUnits(33600));
    const QJsonArray lines = json["lines"].toArray();
    ASSERT_EQ(lines.size(), d.Count());
    for (int i = 0; i < d.Count(); ++i) {
        const QJsonObject line = lines[i].toObject();
        const TThEstimateObject& item = d.Items(i);
        EXPECT_EQ(line["ItemName"].toString(), item.ItemName) << i;
        EXPECT_EQ(line["Etc"].toString(), item.Etc) << i;
        EXPECT_EQ(Currency::fromText(line["Num"].toString()), item.Num) << i;
        EXPECT_EQ(Currency::fromText(line["UnitPrice"].toString()), item.UnitPrice) << i;
        EXPECT_EQ(Currency::fromText(line["TotalPrice"].toString()), item.TotalPrice) << i;
        EXPECT_EQ(line["NoTax"].toBool(), item.NoTax) << i;
    }
}

TEST_F(FileCommandsTest, SavingOverAFileAsksFirstAndWritesOnlyOnYes) {
    TFormMain& w = start();
    typeDocument();
    saveNew(QStringLiteral("見積001"), QStringLiteral("一回目"));
    const QByteArray first = readFileBytes(data("見積001.MT4"));
    typeInto(cell("EditItemName_", 2), QStringLiteral("追加の品"));
    QTest::mouseClick(cell("EditItemName_", 3), Qt::LeftButton);
    ASSERT_EQ(w.FEstimate.Items(2).ItemName, "追加の品");

    // 新規保存 under the same name, and 上書き保存 of the selected file, which proposes the
    // file's name and comment.
    const struct {
        const char* button;
        bool answer;
        bool written;
    } cases[] = {
        {"PNGBtnNew", false, false}, {"PNGBtnOver", false, false}, {"PNGBtnOver", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.answer ? " yes" : " no"));
        messages.Texts.clear();
        messages.Yes = c.answer;
        bool stayed = false;
        QStringList proposed;
        whileShown(
            AppWindows::FormListFileSave,
            [&] {
                const bool over = QLatin1String(c.button) == QLatin1String("PNGBtnOver");
                if (over) {
                    clickRow(AppWindows::FormListFileSave, QStringLiteral("見積001"));
                }
                clickPicture(AppWindows::FormListFileSave, c.button);
                TFormSave* save = AppWindows::FormSave;
                auto* fileName = save->findChild<QLineEdit*>(QStringLiteral("EdtFileName"));
                auto* comment = save->findChild<QLineEdit*>(QStringLiteral("EdtComment"));
                proposed = QStringList{fileName->text(), comment->text()};
                if (!over) {
                    typeOver(fileName, QStringLiteral("見積001"));
                    typeOver(comment, QStringLiteral("二回目"));
                }
                clickPicture(save, "PNGBtnOK");
                stayed = save->isVisible();
                if (stayed) {
                    clickPicture(save, "PNGBtnCancel");
                }
                clickPicture(AppWindows::FormListFileSave, "PNGBtnClose");
            },
            [&] { trigger("Save1"); });
        if (QLatin1String(c.button) == QLatin1String("PNGBtnOver")) {
            EXPECT_EQ(proposed, QStringList({"見積001", "一回目"}));
        } else {
            EXPECT_EQ(proposed, QStringList({"", "春の工事"}));
        }
        EXPECT_EQ(messages.Texts, QStringList{"見積001 は既に存在します。\r\n上書きしますか？"});
        EXPECT_EQ(stayed, !c.written);
        EXPECT_EQ(readFileBytes(data("見積001.MT4")) != first, c.written);
    }
    TThEstimateObjectList reread;
    reread.LoadFromFile(data("見積001.MT4"));
    EXPECT_EQ(reread.Items(2).ItemName, "追加の品");
    EXPECT_EQ(reread.Customer.Name1, "株式会社あおば");
}

// --- Open --------------------------------------------------------------------------------

TEST_F(FileCommandsTest, OpenWithoutASelectionKeepsTheWindowAndTheDocument) {
    store({QStringLiteral("見積A"), QStringLiteral("A社"), {}, {}, false});
    TFormMain& w = start();
    typeDocument();
    const QStringList before = screen();
    const QByteArray document = documentBytes();
    bool stayed = false;
    whileShown(
        AppWindows::FormOpen,
        [&] {
            clickPicture(AppWindows::FormOpen, "PNGBtnOpen");
            stayed = AppWindows::FormOpen->isVisible();
            clickPicture(AppWindows::FormOpen, "PNGBtnClose");
        },
        [&] { clickPicture(&w, "PNGBtnOpen"); });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(messages.Texts, QStringList({DropQuestion + "他のファイルを開きますか？",
                                           "開くファイルを選択してください。"}));
    EXPECT_EQ(screen(), before);
    EXPECT_EQ(documentBytes(), document);

    // Answering No shows no list at all.
    messages.Texts.clear();
    messages.Yes = false;
    withoutWindow(AppWindows::FormOpen, [&] { trigger("Open1"); });
    EXPECT_EQ(messages.Texts, QStringList{DropQuestion + "他のファイルを開きますか？"});
    EXPECT_EQ(documentBytes(), document);
}

TEST_F(FileCommandsTest, OpeningShowsTheFilesHeaderRowsOptionsAndRecomputedTotals) {
    TThEstimateObjectList file;
    file.Customer.CusCode = "K01";
    file.Customer.Name1 = "株式会社みなと";
    file.Customer.Name2 = "工務部";
    file.Customer.NameTitle = "様";
    file.Customer.Zip = "980-0811";
    file.Customer.Add1 = "宮城県仙台市青葉区一番町";
    file.Customer.Tel = "022-333-4444";
    file.Customer.Fax = "022-333-5555";
    file.SlipCode = "No.77";
    file.Memo = "開く試験";
    file.Place = "本社倉庫";
    file.PrintPlace = true;
    file.Year = "平成16";
    file.Month = "04";
    file.Day = "01";
    file.Delivery = "平成16年4月30日";
    file.Condition = "月末締め翌月払い";
    file.Limit = "30日";
    file.Etc = "一行目\r\n二行目";
    file.TaxIn = true;
    file.TaxRounding = TRoundingMode::rmRoundUp;
    file.SubTotalRounding = TRoundingMode::rmRoundOff;
    for (int i = 0; i < 120; ++i) {
        auto line = std::make_unique<TThEstimateObject>();
        line->ItemName = QStringLiteral("品%1").arg(i);
        line->Num = Currency::fromUnits(1);
        line->UnitPrice = Currency::fromUnits(333);
        line->TotalPrice = Currency::fromUnits(333);
        file.Add(std::move(line));
    }
    // Totals as an older program might have left them; the window shows its own.
    file.SubTotal = Currency::fromUnits(1);
    file.Tax = Currency::fromUnits(1);
    file.Total = Currency::fromUnits(1);
    store(file, QStringLiteral("大口"), QStringLiteral("百二十行"));
    TThEstimateObjectList claim;
    claim.TotalClaimMode = true;
    claim.Customer.Name1 = "合計の会社";
    claim.SubTotal = Currency::fromUnits(5000);
    claim.Total = Currency::fromUnits(5000);
    store(claim, QStringLiteral("合計済み"));

    TFormMain& w = start();
    TThEstimateObjectList expected;
    expected.LoadFromFile(data("大口.MT4"));
    expected.TaxRate = w.FEstimate.TaxRate;
    expected.CalcTotal();
    ASSERT_NE(expected.SubTotal, file.SubTotal);
    showTab(1);
    QTest::mouseClick(cell("EditItemName_", 5), Qt::LeftButton);

    // A total invoice enters the mode with its own sums; a normal file leaves it again.
    const struct {
        const char* name;
        const char* mode;
        int rows;
        const char* subTotal;
    } opens[] = {{"大口", "通常", 120, "39,960"},
                 {"合計済み", "合計請求", 100, "5,000"},
                 {"大口", "通常", 120, "39,960"}};
    for (const auto& o : opens) {
        SCOPED_TRACE(o.name);
        whileShown(
            AppWindows::FormOpen,
            [&] {
                clickRow(AppWindows::FormOpen, QString::fromUtf8(o.name));
                clickPicture(AppWindows::FormOpen, "PNGBtnOpen");
            },
            [&] { trigger("Open1"); });
        EXPECT_EQ(control<QLabel>(QStringLiteral("LblMode"))->text(), QString::fromUtf8(o.mode));
        EXPECT_EQ(w.RowCount(), o.rows);
        EXPECT_EQ(text("EdSubTotal"), QString::fromUtf8(o.subTotal));
        EXPECT_EQ(cell("MemoItemUnitPrice_", 0)->isEnabled(), !w.FEstimate.TotalClaimMode);
    }
    EXPECT_FALSE(w.FEstimate.TotalClaimMode);
    EXPECT_TRUE(control<QWidget>(QStringLiteral("BtnDelData"))->isVisible());
    EXPECT_TRUE(control<QAction>(QStringLiteral("N15"))->isEnabled());

    EXPECT_EQ(w.RowCount(), 120);
    EXPECT_EQ(w.FEstimate.Count(), 120);
    EXPECT_EQ(cell("EditItemName_", 119)->text(), "品119");
    EXPECT_EQ(w.FSelectedRow, -1);
    const std::pair<const char*, QString> header[] = {
        {"MMCusCode", "K01"},
        {"EdtName1", "株式会社みなと"},
        {"EdtName2", "工務部"},
        {"EdtZip", "980-0811"},
        {"EdtAdd1", "宮城県仙台市青葉区一番町"},
        {"EdtTel", "022-333-4444"},
        {"EdtFax", "022-333-5555"},
        {"MMSlipCode", "No.77"},
        {"EdtMemo", "開く試験"},
    };
    for (const auto& [name, value] : header) {
        EXPECT_EQ(text(name), value) << name;
    }
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBNameTitle"))->currentText(), "様");
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBPlace"))->currentText(), "本社倉庫");
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("ChBPlace"))->isChecked());
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("ChBLimit"))->isChecked());
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBCondition"))->currentText(), "月末締め翌月払い");
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBLimit"))->currentText(), "30日");
    EXPECT_EQ(text("MMYear"), "平成16");
    EXPECT_EQ(text("MMMonth"), "04");
    EXPECT_EQ(text("MMDay"), "01");
    EXPECT_EQ(text("EdtDelivery"), "平成16年4月30日");
    EXPECT_EQ(control<QPlainTextEdit>(QStringLiteral("MMEtc"))->toPlainText(), "一行目\n二行目");
    EXPECT_EQ(w.FEstimate.Customer.Name1, "株式会社みなと")
        << "filling the window wrote nothing back";

    // The four option controls show the file's options, and the totals follow them.
    EXPECT_EQ(control<QComboBox>(QStringLiteral("CBCalcUnit"))->currentIndex(), 0);
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("CBTaxIn"))->isChecked());
    EXPECT_EQ(w.FEstimate.TaxRounding, TRoundingMode::rmRoundUp);
    EXPECT_EQ(w.FEstimate.SubTotalRounding, TRoundingMode::rmRoundOff);
    const QString underOne = control<QComboBox>(QStringLiteral("CBUnderOne"))->currentText();
    const QString subTotalUnderOne =
        control<QComboBox>(QStringLiteral("CBSubTotalUnderOne"))->currentText();
    EXPECT_EQ(underOne, "切り上げ");
    EXPECT_EQ(subTotalUnderOne, "四捨五入");
    EXPECT_EQ(w.FEstimate.SubTotal, expected.SubTotal);
    EXPECT_EQ(w.FEstimate.Tax, expected.Tax);
    EXPECT_EQ(w.FEstimate.Total, expected.Total);
    EXPECT_EQ(totalsShown(),
              QStringList({"39,960", "(" + w.FormatAmount(true, expected.Tax) + ")", "39,960"}));
}

// --- Total invoice -----------------------------------------------------------------------

class FileCommandsTotalInvoiceTest : public FileCommandsTest {
  protected:
    void storeTwo() {
        store({QStringLiteral("請求A"), QStringLiteral("A社"), Currency::fromUnits(10000),
               Currency::fromUnits(500), false});
        store({QStringLiteral("請求B"), QStringLiteral("B社"), Currency::fromUnits(21000),
               Currency::fromUnits(1000), true});
    }
    // 合計請求データ作成 choosing names after headerClicks clicks on the company column.
    void buildTotal(const QStringList& names, int headerClicks = 0) {
        whileShown(
            AppWindows::FormTotalClaim,
            [&] {
                for (int i = 0; i < headerClicks; ++i) {
                    clickHeader(AppWindows::FormTotalClaim, FileList::ColumnName1);
                }
                for (int i = 0; i < names.size(); ++i) {
                    clickRow(AppWindows::FormTotalClaim, names[i],
                             i == 0 ? Qt::NoModifier : Qt::ControlModifier);
                }
                clickPicture(AppWindows::FormTotalClaim, "PNGBtnOK");
            },
            [&] { trigger("N7"); });
    }
};

TEST_F(FileCommandsTotalInvoiceTest, TwoDocumentsGiveTheirLinesSumsAndTheFirstDisplayedAddressee) {
    storeTwo();
    const struct {
        int headerClicks;
        const char* addressee;
    } orders[] = {{1, "A社"}, {2, "B社"}};
    for (const auto& o : orders) {
        SCOPED_TRACE(o.headerClicks);
        TFormMain& w = start();
        messages.Texts.clear();
        buildTotal({QStringLiteral("請求A"), QStringLiteral("請求B")}, o.headerClicks);
        EXPECT_EQ(messages.Texts,
                  QStringList{DropQuestion + "合計請求データの作成を開始しますか？"});
        EXPECT_TRUE(w.FEstimate.TotalClaimMode);
        EXPECT_EQ(control<QLabel>(QStringLiteral("LblMode"))->text(), "合計請求");
        const bool aFirst = o.headerClicks == 1;
        const QStringList names =
            aFirst ? QStringList{"請求A", "請求B"} : QStringList{"請求B", "請求A"};
        const QStringList amounts =
            aFirst ? QStringList{"10,500", "21,000"} : QStringList{"21,000", "10,500"};
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(w.FEstimate.Items(k).ItemName, names[k]);
            EXPECT_EQ(cell("EditItemName_", k)->text(), names[k]);
            EXPECT_EQ(cell("MemoItemTotalPrice_", k)->text(), amounts[k]);
        }
        EXPECT_EQ(w.FEstimate.SubTotal, Currency::fromUnits(31000));
        EXPECT_EQ(w.FEstimate.Tax, Currency::fromUnits(1500));
        EXPECT_EQ(w.FEstimate.Total, Currency::fromUnits(31500));
        EXPECT_TRUE(w.FEstimate.TaxIn);
        EXPECT_EQ(totalsShown(), QStringList({"31,000", "(1,500)", "31,500"}));
        EXPECT_EQ(w.FEstimate.Count(), 100);
        EXPECT_EQ(w.RowCount(), 100);
        EXPECT_EQ(text("EdtName1"), QString::fromUtf8(o.addressee));
        EXPECT_EQ(w.FEstimate.Customer.Name1, QString::fromUtf8(o.addressee));
        EXPECT_EQ(text("EdtAdd1"), QString::fromUtf8(o.addressee) + "の住所");
        EXPECT_EQ(text("EdtTel"), QString::fromUtf8(o.addressee) + "の電話");
        EXPECT_EQ(w.FEstimate.Customer.Tel, QString::fromUtf8(o.addressee) + "の電話");
        EXPECT_EQ(text("EdtMemo"), "") << "only the addressee is taken";
        EXPECT_EQ(w.FEstimate.Memo, "");
        AppWindows::Destroy();
    }
}

TEST_F(FileCommandsTotalInvoiceTest, NoChoiceLeavesTheDocumentAsItWas) {
    storeTwo();
    start();
    typeDocument();
    const QStringList before = screen();
    const QByteArray document = documentBytes();
    bool stayed = false;
    whileShown(
        AppWindows::FormTotalClaim,
        [&] {
            clickPicture(AppWindows::FormTotalClaim, "PNGBtnOK");
            stayed = AppWindows::FormTotalClaim->isVisible();
            clickPicture(AppWindows::FormTotalClaim, "PNGBtnClose");
        },
        [&] { trigger("N7"); });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(messages.Texts, QStringList({DropQuestion + "合計請求データの作成を開始しますか？",
                                           "データを選択してください。"}));

    messages.Texts.clear();
    messages.Yes = false;
    withoutWindow(AppWindows::FormTotalClaim, [&] { trigger("N7"); });
    EXPECT_EQ(messages.Texts, QStringList{DropQuestion + "合計請求データの作成を開始しますか？"});
    EXPECT_EQ(screen(), before);
    EXPECT_EQ(documentBytes(), document);
}

TEST_F(FileCommandsTotalInvoiceTest, RemarksAreKeptAndSavedSlipsRefuseAndNewLeavesTheMode) {
    storeTwo();
    TFormMain& w = start();
    buildTotal({QStringLiteral("請求A"), QStringLiteral("請求B")}, 1);
    ASSERT_TRUE(w.FEstimate.TotalClaimMode);

    showTab(1);
    EXPECT_FALSE(cell("MemoItemTotalPrice_", 0)->isEnabled());
    EXPECT_FALSE(cell("MemoItemNum_", 0)->isEnabled());
    ASSERT_TRUE(cell("EditItemEtc_", 0)->isEnabled());
    typeInto(cell("EditItemEtc_", 0), QStringLiteral("10月分"));
    leave(cell("EditItemEtc_", 0));
    EXPECT_EQ(w.FEstimate.Items(0).Etc, "10月分");
    EXPECT_EQ(w.FEstimate.Total, Currency::fromUnits(31500))
        << "leaving a row keeps the assembled sums";
    EXPECT_EQ(totalsShown(), QStringList({"31,000", "(1,500)", "31,500"}));

    saveNew(QStringLiteral("合計1"), QStringLiteral("まとめ"));
    TThEstimateObjectList saved;
    saved.LoadFromFile(data("合計1.MT4"));
    EXPECT_TRUE(saved.TotalClaimMode);
    EXPECT_EQ(saved.Items(0).Etc, "10月分");
    EXPECT_EQ(saved.Items(0).ItemName, "請求A");
    EXPECT_EQ(saved.Items(0).TotalPrice, Currency::fromUnits(10500));
    EXPECT_EQ(saved.Total, Currency::fromUnits(31500));

    messages.Texts.clear();
    withoutWindow(AppWindows::FormPrintMitsu, [&] { clickButton("PNGBtnMitsu"); });
    EXPECT_EQ(messages.Texts, QStringList{"この機能は合計請求モードでは使用できません。"});

    messages.Texts.clear();
    trigger("New1");
    EXPECT_FALSE(w.FEstimate.TotalClaimMode);
    EXPECT_EQ(control<QLabel>(QStringLiteral("LblMode"))->text(), "通常");
    EXPECT_TRUE(cell("MemoItemTotalPrice_", 0)->isEnabled());
    EXPECT_TRUE(cell("EditItemEtc_", 0)->text().isEmpty());
    EXPECT_FALSE(control<QWidget>(QStringLiteral("GBTaxInput"))->isHidden());
    EXPECT_TRUE(control<QAction>(QStringLiteral("N9"))->isEnabled());
    EXPECT_EQ(totalsShown(), QStringList({"0", "0", "0"}));
}

TEST_F(FileCommandsTotalInvoiceTest, NewAfterATaxIncludedInvoiceComputesAsTheTaxBoxShows) {
    storeTwo();
    TFormMain& w = start();
    buildTotal({QStringLiteral("請求A"), QStringLiteral("請求B")}, 1);
    ASSERT_TRUE(w.FEstimate.TaxIn);
    trigger("New1");
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("CBTaxIn"))->isChecked());
    EXPECT_FALSE(w.FEstimate.TaxIn);
    showTab(1);
    typeLine(0, QStringLiteral("工事費"), "1", "10000");
    EXPECT_EQ(totalsShown(), QStringList({"10,000", "500", "10,500"}));
}

TEST_F(FileCommandsTotalInvoiceTest, AHundredAndFiveDocumentsGiveAHundredAndFiveRows) {
    for (int i = 1; i <= 105; ++i) {
        store({QStringLiteral("D%1").arg(i, 3, 10, QLatin1Char('0')),
               QStringLiteral("会社%1").arg(i), Currency::fromUnits(100), Currency::fromUnits(5),
               false});
    }
    TFormMain& w = start();
    whileShown(
        AppWindows::FormTotalClaim,
        [&] {
            clickHeader(AppWindows::FormTotalClaim, FileList::ColumnFileName);
            QTableView* view = fileList(AppWindows::FormTotalClaim);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(0, 1)).center());
            QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
            clickPicture(AppWindows::FormTotalClaim, "PNGBtnOK");
        },
        [&] { trigger("N7"); });
    ASSERT_EQ(w.FEstimate.Count(), 105);
    EXPECT_EQ(w.RowCount(), 105);
    EXPECT_EQ(w.FEstimate.Items(0).ItemName, "D001");
    EXPECT_EQ(w.FEstimate.Items(104).ItemName, "D105");
    EXPECT_EQ(cell("EditItemName_", 104)->text(), "D105");
    EXPECT_EQ(cell("MemoItemTotalPrice_", 104)->text(), "105");
    EXPECT_EQ(w.FEstimate.Total, Currency::fromUnits(105 * 105));
    EXPECT_EQ(w.FEstimate.SubTotal, Currency::fromUnits(105 * 100));
    EXPECT_EQ(w.FEstimate.Tax, Currency::fromUnits(105 * 5));
    EXPECT_EQ(text("EdtName1"), "会社1");

    // A new total invoice replaces the current one, rows beyond 100 included.
    whileShown(
        AppWindows::FormTotalClaim,
        [&] {
            clickRow(AppWindows::FormTotalClaim, QStringLiteral("D050"));
            clickRow(AppWindows::FormTotalClaim, QStringLiteral("D051"), Qt::ControlModifier);
            clickPicture(AppWindows::FormTotalClaim, "PNGBtnOK");
        },
        [&] { trigger("N7"); });
    EXPECT_EQ(w.RowCount(), 100);
    ASSERT_EQ(w.FEstimate.Count(), 100);
    EXPECT_EQ(w.FEstimate.Items(0).ItemName, "D050");
    EXPECT_EQ(w.FEstimate.Items(1).ItemName, "D051");
    EXPECT_TRUE(w.FEstimate.Items(2).ItemName.isEmpty());
    EXPECT_EQ(w.FEstimate.Total, Currency::fromUnits(210));
    EXPECT_EQ(text("EdtName1"), "会社50");

    trigger("New1");
    EXPECT_EQ(w.RowCount(), 100);
    EXPECT_EQ(w.FEstimate.Count(), 100);
}

TEST_F(FileCommandsTotalInvoiceTest, TheTotalInvoiceButtonWorksOnlyInTheMode) {
    storeTwo();
    start();
    EXPECT_TRUE(control(QStringLiteral("PNGBtnGoukei"))->isEnabled());
    withoutWindow(AppWindows::FormPrintTotalClaim, [&] { clickButton("PNGBtnGoukei"); });
    EXPECT_EQ(messages.Texts, QStringList{"この機能は合計請求モード以外では使用できません。"});

    buildTotal({QStringLiteral("請求A"), QStringLiteral("請求B")});
    messages.Texts.clear();
    QString caption;
    whileShown(
        AppWindows::FormPrintTotalClaim,
        [&] {
            caption = AppWindows::FormPrintTotalClaim->windowTitle();
            clickPicture(AppWindows::FormPrintTotalClaim, "pngBtnCancel");
        },
        [&] { clickButton("PNGBtnGoukei"); });
    EXPECT_EQ(caption, "合計請求書印刷");
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(" | ").toStdString();
}

TEST_F(FileCommandsTotalInvoiceTest, TheReceiptAndFaxButtonsOpenTheirWindowsInEitherMode) {
    storeTwo();
    start();
    const struct {
        const char* button;
        QDialog* window;
        const char* caption;
    } slips[] = {{"PNGBtnRyoshu", AppWindows::FormPrintReceipt, "領収書印刷"},
                 {"pngBtnSoushin", AppWindows::FormPrintFaxSender, "FAX送信状印刷"}};
    for (bool totalMode : {false, true}) {
        if (totalMode) {
            buildTotal({QStringLiteral("請求A")});
        }
        for (const auto& s : slips) {
            SCOPED_TRACE(testing::Message() << s.button << " " << totalMode);
            EXPECT_TRUE(control(QLatin1String(s.button))->isEnabled());
            messages.Texts.clear();
            QString caption;
            whileShown(
                s.window,
                [&] {
                    caption = s.window->windowTitle();
                    clickPicture(s.window, "pngBtnCancel");
                },
                [&] { clickButton(s.button); });
            EXPECT_EQ(caption, QString::fromUtf8(s.caption));
            EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(" | ").toStdString();
        }
    }
}

// --- Slip buttons ------------------------------------------------------------------------

TEST_F(FileCommandsTest, ASlipButtonOpensItsOptionsAndCancelChangesNothing) {
    const struct {
        const char* button;
        const char* caption;
    } slips[] = {
        {"PNGBtnMitsu", "見積書印刷"},  {"PNGBtnTanka", "単価見積書印刷"},
        {"PNGBtnNouhin", "納品書印刷"}, {"PNGBtnSeikyu", "請求書印刷"},
        {"PNGBtnJuryo", "受領書印刷"},  {"PNGBtnBtnSeikyuMeisai", "請求明細書印刷"},
    };
    start();
    typeDocument();
    QTest::mouseClick(cell("EditItemName_", 0), Qt::LeftButton);
    const QByteArray document = documentBytes();
    for (const auto& s : slips) {
        SCOPED_TRACE(s.button);
        messages.Texts.clear();
        QString caption;
        whileShown(
            AppWindows::FormPrintMitsu,
            [&] {
                caption = AppWindows::FormPrintMitsu->windowTitle();
                clickPicture(AppWindows::FormPrintMitsu, "pngBtnCancel");
            },
            [&] { clickButton(s.button); });
        EXPECT_EQ(caption, QString::fromUtf8(s.caption));
        EXPECT_EQ(AppWindows::FormPrintMitsu->result(), TFormPrintMitsu::ResultCancel);
        EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(" | ").toStdString();
        EXPECT_EQ(documentBytes(), document);
        EXPECT_EQ(window().FSelectedRow, -1) << "the row being edited was committed";
        // Only the landscape state may have been written; no kind's options are saved.
        const QString printIni = QFileInfo::exists(folders().PrintIniPath())
                                     ? QString::fromLatin1(readFileBytes(folders().PrintIniPath()))
                                     : QString();
        for (TSlipKind kind : SlipKindsOf(TSlipFamily::MainSlip)) {
            const QString section = QLatin1Char('[') + PrintSectionName(kind) + QLatin1Char(']');
            EXPECT_FALSE(printIni.contains(section)) << section.toStdString();
        }
    }
}

// --- Backup ------------------------------------------------------------------------------

TEST_F(FileCommandsTest, BackupCopiesTheDocumentsIntoADatedFolderEachTime) {
    store({QStringLiteral("見積001"), QStringLiteral("A社"), {}, {}, false});
    store({QStringLiteral("見積002"), QStringLiteral("B社"), {}, {}, true});
    writeFileBytes(data("メモ.txt"), "not a document");
    const QString target = dir.path(QStringLiteral("backups"));
    QDir().mkpath(target);
    QStringList prompts;
    FolderChoice::SetChooser([&](QWidget*, const QString& prompt) {
        prompts << prompt;
        return target;
    });
    start();
    const QByteArray document = documentBytes();
    for (const char* folder : {"Backup20051130", "Backup20051130(1)"}) {
        SCOPED_TRACE(folder);
        messages.Texts.clear();
        trigger("B2");
        const QString made = QDir(target).filePath(QString::fromUtf8(folder));
        EXPECT_EQ(messages.Texts,
                  QStringList{"バックアップファイルを[" + made + "/]フォルダーに作成しました。"});
        QStringList copied = QDir(made).entryList(QDir::Files);
        copied.sort();
        EXPECT_EQ(copied, QStringList({"見積001.MT4", "見積002.MT4"}));
        for (const QString& name : copied) {
            EXPECT_EQ(readFileBytes(made + "/" + name), readFileBytes(data(name)))
                << name.toStdString();
        }
    }
    EXPECT_EQ(prompts, QStringList(2, "バックアップデータを保存するフォルダーを選択してください"));
    EXPECT_EQ(documentBytes(), document);
}

// --- Another copy on the same data folder ------------------------------------------------

class FileCommandsSharedTest : public FileCommandsTest {
  protected:
    QString root() const { return folders().RootFolder(); }
    QString path(const QString& name) const { return data(name + FileList::Extension); }
    std::optional<CopyOwner> holderOf(const QString& name) const {
        return DocumentPresence::Holder(root(), path(name));
    }
    // A PC of the shop has the document open: its marker, kept fresh for the whole test.
    void openOnOtherPc(const QString& name) {
        ASSERT_TRUE(writeHandMadeLock(root(), DocumentPresence::LockName(path(name)),
                                      otherPcOwner(), -600));
    }
    void closeOnOtherPc(const QString& name) {
        ASSERT_TRUE(QFile::remove(DataLock::Folder(root()) +
                                  DocumentPresence::LockName(path(name)) + ".lock"));
    }
    QString mode() const { return control<QLabel>(QStringLiteral("LblMode"))->text(); }

    void openFile(const QString& name) {
        whileShown(
            AppWindows::FormOpen,
            [&] {
                clickRow(AppWindows::FormOpen, name);
                clickPicture(AppWindows::FormOpen, "PNGBtnOpen");
            },
            [&] { trigger("Open1"); });
    }
    // 保存 → the listed file → 上書き保存 → 保存する; whether the name window stayed open.
    bool saveOver(const QString& name) {
        bool stayed = false;
        whileShown(
            AppWindows::FormListFileSave,
            [&] {
                clickRow(AppWindows::FormListFileSave, name);
                clickPicture(AppWindows::FormListFileSave, "PNGBtnOver");
                clickPicture(AppWindows::FormSave, "PNGBtnOK");
                stayed = AppWindows::FormSave->isVisible();
                if (stayed) {
                    clickPicture(AppWindows::FormSave, "PNGBtnCancel");
                }
                clickPicture(AppWindows::FormListFileSave, "PNGBtnClose");
            },
            [&] { trigger("Save1"); });
        return stayed;
    }
    // A document file outside the data folder for the tool to convert into it.
    QString toolInput() {
        TThEstimateObjectList document;
        document.Customer.Name1 = QStringLiteral("ツールの会社");
        document.PadLines(TThEstimateObjectList::DefaultLineCount);
        const QString input = dir.path(QStringLiteral("ツールの入力.MT4"));
        document.SaveToFile(input, QString());
        return input;
    }
    // The tool run as it runs on another PC of the shop.
    static ToolRun toolOnOtherPc(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DORVANI4_LOCK_HOST"), QStringLiteral("other-pc"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(DORVANI4_TOOL), arguments);
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
};

TEST_F(FileCommandsSharedTest, ADocumentAnotherPcHasOpenIsReadOnlyAndSavedOnlyUnderANewName) {
    store({QStringLiteral("見積A"), QStringLiteral("A社"), {}, {}, false});
    openOnOtherPc(QStringLiteral("見積A"));
    const QByteArray theirs = readFileBytes(path(QStringLiteral("見積A")));
    TFormMain& w = start();
    messages.Texts.clear();
    openFile(QStringLiteral("見積A"));
    EXPECT_EQ(
        messages.Texts,
        QStringList({DropQuestion + "他のファイルを開きますか？",
                     "見積A は、PC「other-pc」のユーザー「sato」（ウィンドウ）が開いています。"
                     "\r\n読み取り専用で開きます。上書き保存はできませんが、別の名前で保存"
                     "できます。"}));
    EXPECT_EQ(w.FEstimate.Customer.Name1, "A社");
    EXPECT_EQ(mode(), "通常（読み取り専用）");
    EXPECT_EQ(w.windowTitle(), "Rokuvel Dorvani4 - 見積A（読み取り専用）");

    messages.Texts.clear();
    messages.Kinds.clear();
    EXPECT_TRUE(saveOver(QStringLiteral("見積A")));
    EXPECT_EQ(messages.Texts,
              QStringList{"見積A は、PC「other-pc」のユーザー「sato」（ウィンドウ）が開いているため"
                          "上書きできません。\r\n別の名前で保存してください。"});
    EXPECT_EQ(messages.Kinds, std::vector{Messages::Kind::Information});
    EXPECT_EQ(readFileBytes(path(QStringLiteral("見積A"))), theirs);
    EXPECT_EQ(mode(), "通常（読み取り専用）");

    messages.Texts.clear();
    saveNew(QStringLiteral("見積A-控え"), QStringLiteral("控え"));
    EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join(" | ").toStdString();
    EXPECT_EQ(DocumentFile::ReadHeader(path(QStringLiteral("見積A-控え"))).Name1, "A社");
    EXPECT_EQ(mode(), "通常");
    EXPECT_EQ(w.windowTitle(), TFormMain::ApplicationTitle);
    ASSERT_TRUE(holderOf(QStringLiteral("見積A-控え")));
    EXPECT_TRUE(holderOf(QStringLiteral("見積A-控え"))->SameCopy(CopyOwner::Current()));
    ASSERT_TRUE(holderOf(QStringLiteral("見積A")));
    EXPECT_EQ(holderOf(QStringLiteral("見積A"))->Host, "other-pc");
    EXPECT_EQ(readFileBytes(path(QStringLiteral("見積A"))), theirs);
}

TEST_F(FileCommandsSharedTest, SavingOverADocumentSavedElsewhereSinceItWasReadSaysWhoAndWhen) {
    const QString a = QStringLiteral("見積A");
    const struct {
        const char* name;
        bool otherPc;  // else a program that records no writer, such as an older one
    } cases[] = {{"another PC, through the tool, once it closed the document", true},
                 {"a program that keeps no record", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store({a, QStringLiteral("A社"), {}, {}, false});
        if (c.otherPc) {
            openOnOtherPc(a);
        }
        start();
        openFile(a);
        QString since;
        if (c.otherPc) {
            ASSERT_EQ(mode(), "通常（読み取り専用）");
            closeOnOtherPc(a);
            const ToolRun run =
                toolOnOtherPc({"--data-root", root(), "convert", toolInput(), path(a)});
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            const std::optional<SharedSave::LastWrite> last =
                SharedSave::LastWriteOf(root(), path(a));
            ASSERT_TRUE(last);
            since = "PC「other-pc」のユーザー「" + CopyOwner::Current().User + "」（ツール）が " +
                    last->When.toString(QStringLiteral("yyyy/MM/dd HH:mm")) + " に保存しています。";
        } else {
            store({a, QStringLiteral("古いプログラムの会社"), {}, {}, false});
            since = QFileInfo(path(a)).lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm")) +
                    " に変更されています。";
        }
        const QByteArray theirs = readFileBytes(path(a));

        messages.Texts.clear();
        messages.Yes = false;
        EXPECT_TRUE(saveOver(a));
        EXPECT_EQ(messages.Texts, QStringList{"見積A は、このコピーが読み込んだ後に " + since +
                                              "\r\n上書きしますか？"});
        EXPECT_EQ(readFileBytes(path(a)), theirs);

        messages.Yes = true;
        EXPECT_FALSE(saveOver(a));
        EXPECT_EQ(DocumentFile::ReadHeader(path(a)).Name1, "A社");
        EXPECT_EQ(mode(), "通常");
        ASSERT_TRUE(holderOf(a));
        EXPECT_TRUE(holderOf(a)->SameCopy(CopyOwner::Current()));
        AppWindows::Destroy();
    }
}

TEST_F(FileCommandsSharedTest, TheToolWritesADocumentOnlyWhenNoWindowHasItOpen) {
    const QString a = QStringLiteral("見積A");
    const QString b = QStringLiteral("見積B");
    store({b, QStringLiteral("B社"), {}, {}, false});
    const QString input = toolInput();
    const struct {
        const char* name;
        std::function<void()> leave;
        QString nowOpen;
    } cases[] = {
        {"新規作成", [&] { trigger("New1"); }, {}},
        {"opening another", [&] { openFile(b); }, b},
        {"合計請求データ作成",
         [&] {
             whileShown(
                 AppWindows::FormTotalClaim,
                 [&] {
                     clickRow(AppWindows::FormTotalClaim, b);
                     clickPicture(AppWindows::FormTotalClaim, "PNGBtnOK");
                 },
                 [&] { trigger("N7"); });
         },
         {}},
        {"quitting", [&] { window().close(); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store({a, QStringLiteral("A社"), {}, {}, false});
        start();
        openFile(a);
        const QByteArray before = readFileBytes(path(a));
        const ToolRun refused = tool({"--data-root", root(), "convert", input, path(a)});
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.err.contains(path(a) + " は、" + CopyOwner::Current().Describe() +
                                         "が開いているため上書きできません。"))
            << refused.err.toStdString();
        EXPECT_EQ(readFileBytes(path(a)), before);

        c.leave();
        EXPECT_FALSE(holderOf(a));
        if (!c.nowOpen.isEmpty()) {
            ASSERT_TRUE(holderOf(c.nowOpen));
            EXPECT_TRUE(holderOf(c.nowOpen)->SameCopy(CopyOwner::Current()));
        }
        const ToolRun written = tool({"--data-root", root(), "convert", input, path(a)});
        EXPECT_EQ(written.status, 0) << written.err.toStdString();
        EXPECT_EQ(DocumentFile::ReadHeader(path(a)).Name1, "ツールの会社");
        const std::optional<SharedSave::LastWrite> last = SharedSave::LastWriteOf(root(), path(a));
        ASSERT_TRUE(last);
        EXPECT_EQ(last->Owner.Program, "dorvani4-tool");
        AppWindows::Destroy();
    }
}

}  // namespace
