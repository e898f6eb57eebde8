#include "MainWindowFixture.h"

#include <QAction>
#include <QFileInfo>

#include "DataRootChoice.h"
#include "THistoryComboBox.h"

namespace {

// The main window with the folder dialog, the start question and the new process replaced;
// each question is answered from a list of texts that get No, the rest Yes.
class DataRootChoiceTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        savedData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.path("home").toUtf8());
        Messages::SetResponder([this](Messages::Kind kind, const QString& text) {
            kinds.push_back(kind);
            texts << text;
            return !answerNo.contains(text.left(text.indexOf(u'「')));
        });
        DataRootChoice::SetFolderDialog([this](QWidget*, const QString& start) {
            dialogStarts << start;
            return picks.isEmpty() ? QString() : picks.takeFirst();
        });
        DataRootChoice::SetStartQuestion([this](const QString& text) {
            texts << text;
            return startAnswers.empty() ? DataRootChoice::StartAnswer::Quit
                                        : startAnswers.takeFirst();
        });
        DataRootChoice::SetRestarter([this] {
            ++restarts;
            return true;
        });
    }
    void TearDown() override {
        DataRootChoice::SetFolderDialog({});
        DataRootChoice::SetStartQuestion({});
        DataRootChoice::SetRestarter({});
        Messages::SetResponder({});
        qputenv("XDG_DATA_HOME", savedData_);
        MainWindowFixture::TearDown();
    }

    // A folder that holds another data root.
    QString share(const QString& name = QStringLiteral("share")) const {
        QDir().mkpath(dir.path(name + "/data"));
        return dir.path(name);
    }
    void trigger(const char* action) { window().findChild<QAction*>(action)->trigger(); }
    QString defaultRoot() const { return dir.path("home") + "/HESTREL/Pelkano4"; }

    QStringList picks;  // what the folder dialog returns, one per opening
    QStringList dialogStarts;
    QList<DataRootChoice::StartAnswer> startAnswers;
    QStringList answerNo;  // the beginnings of questions, up to their first 「
    std::vector<Messages::Kind> kinds;
    QStringList texts;
    int restarts = 0;

  private:
    QByteArray savedData_;
};

const QString RestartQuestion =
    QStringLiteral("次回の起動からデータフォルダ「%1」を使います。\r\n今すぐ起動し直しますか？");
const QString ExitQuestion = QStringLiteral(
    "Rokuvel Dorvani4を終了してもよろしいですか？\r\n（未保存の編集中のデータは失われます。）");

// The new folder holds from the next start; starting again goes through the window's own
// close, so a refused close starts nothing.
TEST_F(DataRootChoiceTest, ChosenFolderIsRememberedAndRestartIsOffered) {
    struct Case {
        const char* name;
        QStringList no;
        bool closed;
    };
    const std::vector<Case> cases = {
        {"restart now", {}, true},
        {"restart later", {"次回の起動からデータフォルダ"}, false},
        {"close refused", {ExitQuestion}, false},
    };
    for (const Case& c : cases) {
        DataFolders::RememberRoot({});
        TFormMain& w = start();
        w.FConfig.EXITALERT = true;
        texts.clear();
        dialogStarts.clear();
        restarts = 0;
        answerNo = c.no;
        picks = {share()};
        trigger("DataFolder1");
        EXPECT_EQ(dialogStarts, QStringList{folders().RootFolder()}) << c.name;
        EXPECT_EQ(DataFolders::RememberedRoot(), share()) << c.name;
        const QStringList asked = {RestartQuestion.arg(share()), ExitQuestion};
        EXPECT_EQ(texts, c.no.isEmpty() || c.no[0] == ExitQuestion ? asked : asked.first(1))
            << c.name;
        EXPECT_EQ(w.isVisible(), !c.closed) << c.name;
        EXPECT_EQ(restarts, c.closed ? 1 : 0) << c.name;
        AppWindows::Destroy();
    }
}

// An empty folder, such as the mount point of a share that is not there, becomes a root only
// when the user says so; one that already holds a root is simply used.
TEST_F(DataRootChoiceTest, AnEmptyFolderIsStartedOnlyOnPurpose) {
    const QString startQuestion = QStringLiteral(
        "フォルダ「%1」にはデータがありません。\r\nここで新しいデータフォルダを始めますか？");
    for (const bool startIt : {false, true}) {
        DataFolders::RememberRoot({});
        const QString empty = dir.path(startIt ? "empty-yes" : "empty-no");
        QDir().mkpath(empty);
        start();
        texts.clear();
        answerNo = startIt ? QStringList{"次回の起動からデータフォルダ"} : QStringList{"フォルダ"};
        picks = {empty};
        trigger("DataFolder1");
        EXPECT_EQ(texts.value(0), startQuestion.arg(empty)) << startIt;
        EXPECT_EQ(DataFolders::RememberedRoot(), startIt ? empty : QString()) << startIt;
        EXPECT_EQ(QFileInfo::exists(empty + "/conf.ini"), startIt) << startIt;
        EXPECT_EQ(texts.size(), startIt ? 2 : 1) << startIt;
        AppWindows::Destroy();
    }
}

TEST_F(DataRootChoiceTest, DefaultCommandForgetsTheChoice) {
    DataFolders::RememberRoot(share());
    start();
    answerNo = {"次回の起動からデータフォルダ"};
    trigger("DefaultDataFolder1");
    EXPECT_EQ(DataFolders::RememberedRoot(), "");
    EXPECT_EQ(texts, QStringList{RestartQuestion.arg(defaultRoot())});
    EXPECT_EQ(restarts, 0);
}

// Choosing the folder the window works in, or cancelling, restarts nothing.
TEST_F(DataRootChoiceTest, TheCurrentFolderOrACancelChangesNothing) {
    QDir().mkpath(folders().DataFolder());
    DataFolders::RememberRoot(folders().RootFolder());
    start();
    texts.clear();
    kinds.clear();
    picks = {folders().RootFolder(), QString()};
    trigger("DataFolder1");
    EXPECT_EQ(texts, QStringList{QStringLiteral("データフォルダ「%1」をすでに使っています。")
                                     .arg(dir.path("HESTREL/Pelkano4"))});
    EXPECT_EQ(kinds, std::vector<Messages::Kind>{Messages::Kind::Information});
    trigger("DataFolder1");
    EXPECT_EQ(texts.size(), 1);
    EXPECT_EQ(DataFolders::RememberedRoot(), dir.path("HESTREL/Pelkano4"));
    EXPECT_EQ(restarts, 0);
}

// At start a remembered folder that is not there is never prepared as a new root: the user
// chooses another, takes the default for this run only, or quits.
TEST_F(DataRootChoiceTest, StartWithoutTheRememberedFolderAsksTheUser) {
    using A = DataRootChoice::StartAnswer;
    struct Case {
        const char* name;
        bool remembersGone;
        QList<A> answers;
        QStringList picks;
        const char* root;        // relative to the test folder; "" quits, "DEFAULT" the default
        const char* remembered;  // relative to the test folder afterwards
        int questions;
    };
    const std::vector<Case> cases = {
        {"nothing remembered", false, {}, {}, "DEFAULT", "", 0},
        {"quit", true, {A::Quit}, {}, "", "gone", 1},
        {"default this once", true, {A::UseDefault}, {}, "DEFAULT", "gone", 1},
        {"another folder", true, {A::ChooseAnother}, {"share"}, "share", "share", 1},
        {"dialog cancelled", true, {A::ChooseAnother, A::Quit}, {""}, "", "gone", 2},
    };
    share();
    for (const Case& c : cases) {
        DataFolders::RememberRoot(c.remembersGone ? dir.path("gone") : QString());
        startAnswers = c.answers;
        picks.clear();
        for (const QString& pick : c.picks) {
            picks << (pick.isEmpty() ? QString() : dir.path(pick));
        }
        texts.clear();
        const QString root = DataRootChoice::RootAtStart();
        const QString expected = QString::fromUtf8(c.root);
        EXPECT_EQ(root, expected == "DEFAULT" ? defaultRoot() + "/"
                        : expected.isEmpty()  ? QString()
                                              : dir.path(expected) + "/")
            << c.name;
        const QString remembered = QString::fromUtf8(c.remembered);
        EXPECT_EQ(DataFolders::RememberedRoot(),
                  remembered.isEmpty() ? QString() : dir.path(remembered))
            << c.name;
        EXPECT_EQ(texts.size(), c.questions) << c.name;
        if (c.questions > 0) {
            EXPECT_TRUE(texts[0].startsWith(
                QStringLiteral("データフォルダ「%1」が見つかりません。ネットワークの共有がつながっ"
                               "ているか確かめてください。")
                    .arg(dir.path("gone"))))
                << c.name;
        }
        EXPECT_FALSE(QFileInfo::exists(dir.path("gone"))) << c.name;
    }
}

// The choice shares the per-user file with the drop-downs' histories, as the settings of
// one user belong together.
TEST(DataRootChoice, ChoiceLivesInTheFileOfTheHistories) {
    EXPECT_EQ(DataFolders::UserSettingsPath(), THistoryComboBox::RegistryFile());
}

}  // namespace
