// Two copies of the program on one data folder: on a local folder (the window and the tool of
// one PC) and on a real SMB share mounted twice (two PCs of a shop). Each measured way of
// losing data runs on both places; none may lose a record, a key or a picture.
#include <gtest/gtest.h>

#include "QtPrint.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <functional>
#include <memory>
#include <vector>

#include "Cp932.h"
#include "DataLock.h"
#include "SmbShare.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"
#include "TempDir.h"

namespace {

enum class Place { Local, Share };

// One data folder as the two copies see it: one path twice, or the share through each PC's
// mount. The hosts tell the copies apart as the lock files name them.
struct Copies {
    QString rootA;
    QString rootB;
    QString hostA;
    QString hostB;
};

// The share is started once for all tests; a test that needs it skips when it cannot start.
SmbShare* startedShare(QString* reason) {
    static std::unique_ptr<SmbShare> share;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        share = std::make_unique<SmbShare>();
        failure = share->Start();
    }
    *reason = failure;
    return failure.isEmpty() ? share.get() : nullptr;
}

class SharedFolder : public ::testing::TestWithParam<Place> {
  protected:
    void SetUp() override {
        if (GetParam() == Place::Local) {
            copies_ = {local_.root(), local_.root(), "pc-a", "pc-a"};
            return;
        }
        QString reason;
        SmbShare* share = startedShare(&reason);
        if (share == nullptr) {
            GTEST_SKIP() << reason.toStdString();
        }
        const QString folder =
            QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name());
        const QString name = QString(folder).replace(u'/', u'-');
        ASSERT_TRUE(QDir(share->Mount(0)).mkpath(name));
        copies_ = {share->Mount(0) + u'/' + name, share->Mount(1) + u'/' + name, "pc-a", "pc-b"};
    }

    Copies copies_;

  private:
    TempDir local_;
};

struct CopyRun {
    int status;
    QString out;
    QString err;
};

QProcessEnvironment hostEnvironment(const QString& host) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DORVANI4_LOCK_HOST", host);
    return environment;
}

std::unique_ptr<QProcess> startTool(const QString& host, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(hostEnvironment(host));
    process->start(DORVANI4_TOOL, arguments);
    return process;
}

CopyRun finish(QProcess& process) {
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray customerLines(const QString& prefix, int count) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text +=
            QStringLiteral("%1%2,株式会社%1%2,,,,,,,\r\n").arg(prefix).arg(i, 3, 10, QChar(u'0'));
    }
    return Cp932::encode(text);
}

QStringList customers(const QString& root) {
    TThCustomerObjectList list;
    list.LoadFromFile(root + "/Customer.dat");
    return list.Lines();
}

QString csvOf(const QString& prefix, int count) {
    const QString path = QDir::temp().filePath(QStringLiteral("dorvani4-share-%1-%2.csv")
                                                   .arg(prefix)
                                                   .arg(QCoreApplication::applicationPid()));
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("%1%2,%1 商店 %2,,,\r\n").arg(prefix).arg(i);
    }
    writeFileBytes(path, "\xEF\xBB\xBF" + text.toUtf8());
    return path;
}

CopyRun importCustomers(const QString& root, const QString& host, const QString& csv) {
    const std::unique_ptr<QProcess> process =
        startTool(host, {"--data-root", root, "import-customers", csv});
    return finish(*process);
}

QImage seal(Qt::GlobalColor colour) {
    QImage picture(12, 12, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

struct Scenario {
    const char* name;
    std::function<void(const Copies&)> run;
    friend void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }
};

const std::vector<Scenario>& scenarios() {
    static const std::vector<Scenario> all = {
        {"ToolImportsWhileAWindowShowsTheList",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/Customer.dat", customerLines("C", 20));
             TThCustomerObjectList window;
             window.LoadFromFile(c.rootA + "/Customer.dat");
             const CopyRun run = importCustomers(c.rootB, c.hostB, csvOf("T", 20));
             ASSERT_EQ(run.status, 0) << run.err.toStdString();
             // The list is opened and closed without an edit, as the window does it.
             window.ReloadIfChanged(c.rootA + "/Customer.dat");
             window.SaveToFile(c.rootA + "/Customer.dat");
             EXPECT_EQ(customers(c.rootA).size(), 40);
             EXPECT_EQ(window.Count(), 40);
         }},
        {"TwoWindowsAddOneCustomerEach",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/Customer.dat", customerLines("C", 3));
             TThCustomerObjectList a;
             a.LoadFromFile(c.rootA + "/Customer.dat");
             TThCustomerObjectList b;
             b.LoadFromFile(c.rootB + "/Customer.dat");
             TThCustomerObject added;
             added.CusCode = "B001";
             b.Add(std::make_unique<TThCustomerObject>(added));
             b.SaveToFile(c.rootB + "/Customer.dat");
             added.CusCode = "A001";
             a.Add(std::make_unique<TThCustomerObject>(added));
             a.SaveToFile(c.rootA + "/Customer.dat");
             const QStringList lines = customers(c.rootB);
             EXPECT_EQ(lines.size(), 5);
             EXPECT_TRUE(lines.contains("B001,,,,,,,,"));
             EXPECT_TRUE(lines.contains("A001,,,,,,,,"));
         }},
        {"SettingsOkWithoutChangesKeepsTheOtherCopysTaxAndSeal",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/conf.ini", "[SETTING]\r\nTAX=10\r\n");
             QDir(c.rootA).mkpath("img");
             TThConfigInfo a(c.rootA + "/img");
             a.LoadFromFile(c.rootA + "/conf.ini");
             TThConfigInfo b(c.rootB + "/img");
             b.LoadFromFile(c.rootB + "/conf.ini");
             b.TAX = Currency::fromUnits(8);
             b.Stamp(0) = seal(Qt::red);
             b.SaveToFile(c.rootB + "/conf.ini");
             a.SaveToFile(c.rootA + "/conf.ini");
             TThConfigInfo reread(c.rootA + "/img");
             reread.LoadFromFile(c.rootA + "/conf.ini");
             EXPECT_EQ(reread.TAX, Currency::fromUnits(8));
             EXPECT_FALSE(reread.Stamp(0).isNull());
             EXPECT_EQ(a.TAX, Currency::fromUnits(8)) << "the window holds the merged settings";
             EXPECT_FALSE(a.Stamp(0).isNull());
         }},
        {"ItemWindowOkKeepsMastersReplacedFromOutside",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/ItemList.dat", Cp932::encode("ボルト,本,10\r\n"));
             writeFileBytes(c.rootA + "/ItemUnit.dat", Cp932::encode("本\r\n"));
             TThItemObjectList items;
             items.LoadFromFile(c.rootA + "/ItemList.dat");
             TThItemUnitObjectList units;
             units.LoadFromFile(c.rootA + "/ItemUnit.dat");
             // Another PC replaces both files.
             writeFileBytes(c.rootB + "/ItemList.dat",
                            Cp932::encode("ボルト,本,10\r\nナット,個,5\r\n"));
             writeFileBytes(c.rootB + "/ItemUnit.dat", Cp932::encode("本\r\n個\r\n"));
             items.SaveToFile(c.rootA + "/ItemList.dat");
             units.Add(std::make_unique<TThItemUnitObject>(TThItemUnitObject{"箱"}));
             units.SaveToFile(c.rootA + "/ItemUnit.dat");
             EXPECT_EQ(Cp932::decode(readFileBytes(c.rootB + "/ItemList.dat")),
                       "ボルト,本,10\r\nナット,個,5\r\n");
             EXPECT_EQ(Cp932::decode(readFileBytes(c.rootB + "/ItemUnit.dat")),
                       "本\r\n個\r\n箱\r\n");
         }},
        {"NineImportsAtOnceLoseNoRow",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/Customer.dat", customerLines("C", 20));
             std::vector<std::unique_ptr<QProcess>> runs;
             for (int i = 0; i < 9; ++i) {
                 const bool onA = i % 2 == 0;
                 runs.push_back(
                     startTool(onA ? c.hostA : c.hostB,
                               {"--data-root", onA ? c.rootA : c.rootB, "import-customers",
                                csvOf(QStringLiteral("I%1-").arg(i), 20)}));
             }
             for (const std::unique_ptr<QProcess>& process : runs) {
                 const CopyRun run = finish(*process);
                 EXPECT_EQ(run.status, 0) << run.err.toStdString();
             }
             const QStringList lines = customers(c.rootB);
             EXPECT_EQ(lines.size(), 200);
             EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), 200);
         }},
        {"SameCustomerEditedByBothIsRefusedByName",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/Customer.dat", customerLines("C", 2));
             TThCustomerObjectList a;
             a.LoadFromFile(c.rootA + "/Customer.dat");
             TThCustomerObjectList b;
             b.LoadFromFile(c.rootB + "/Customer.dat");
             b.Items(0).Tel = "03-1111-1111";
             b.SaveToFile(c.rootB + "/Customer.dat");
             a.Items(0).Tel = "03-2222-2222";
             a.Items(1).Tel = "03-3333-3333";
             try {
                 a.SaveToFile(c.rootA + "/Customer.dat");
                 ADD_FAILURE() << "a conflict was saved over";
             } catch (const EMergeConflict& conflict) {
                 EXPECT_TRUE(conflict.message().contains("株式会社C000"))
                     << conflict.message().toStdString();
                 EXPECT_TRUE(conflict.message().contains(CopyOwner::Current().Host));
             }
             EXPECT_TRUE(customers(c.rootA).at(0).contains("03-1111-1111"));
             EXPECT_FALSE(customers(c.rootA).at(1).contains("03-3333-3333"))
                 << "a refused save writes nothing";
             a.SaveToFile(c.rootA + "/Customer.dat",
                          [](const QList<MergeConflict>& conflicts,
                             const std::optional<SharedSave::LastWrite>&) {
                              EXPECT_EQ(conflicts.size(), 1);
                              return true;
                          });
             EXPECT_TRUE(customers(c.rootB).at(0).contains("03-2222-2222"));
             EXPECT_TRUE(customers(c.rootB).at(1).contains("03-3333-3333"));
         }},
        {"SameSettingChangedByBothIsAConflict",
         [](const Copies& c) {
             writeFileBytes(c.rootA + "/conf.ini", "[SETTING]\r\nTAX=10\r\n");
             TThConfigInfo a(c.rootA + "/img");
             a.LoadFromFile(c.rootA + "/conf.ini");
             TThConfigInfo b(c.rootB + "/img");
             b.LoadFromFile(c.rootB + "/conf.ini");
             b.TAX = Currency::fromUnits(8);
             b.SaveToFile(c.rootB + "/conf.ini");
             a.TAX = Currency::fromUnits(5);
             a.MONETARY = "$";
             EXPECT_THROW(a.SaveToFile(c.rootA + "/conf.ini"), EMergeConflict);
             QStringList subjects;
             a.SaveToFile(c.rootA + "/conf.ini", [&](const QList<MergeConflict>& conflicts,
                                                     const std::optional<SharedSave::LastWrite>&) {
                 for (const MergeConflict& conflict : conflicts) {
                     subjects << conflict.Subject;
                 }
                 return false;
             });
             EXPECT_EQ(subjects, QStringList{"[SETTING] TAX"});
             TThConfigInfo reread(c.rootB + "/img");
             reread.LoadFromFile(c.rootB + "/conf.ini");
             EXPECT_EQ(reread.TAX, Currency::fromUnits(8));
             EXPECT_EQ(reread.MONETARY, "$");
         }},
    };
    return all;
}

TEST_P(SharedFolder, MeasuredLossesLoseNothing) {
    for (const Scenario& scenario : scenarios()) {
        SCOPED_TRACE(scenario.name);
        const QString folder = QString::fromLatin1(scenario.name);
        ASSERT_TRUE(QDir(copies_.rootA).mkpath(folder));
        scenario.run({copies_.rootA + u'/' + folder, copies_.rootB + u'/' + folder, copies_.hostA,
                      copies_.hostB});
    }
}

// A few hundred saves of two copies at once, of different customers and of the same ones.
TEST_P(SharedFolder, TwoCopiesEditingAtOnceLoseNoEditSilently) {
    QString seed;
    for (int k = 0; k < 3; ++k) {
        seed += QStringLiteral("S-%1,shared,,,,,,,\r\n").arg(k);
    }
    for (const char* tag : {"a", "b"}) {
        for (int k = 0; k < 4; ++k) {
            seed += QStringLiteral("P-%1-%2,own,,,,,,,\r\n").arg(tag).arg(k);
        }
    }
    writeFileBytes(copies_.rootA + "/Customer.dat", Cp932::encode(seed));
    TempDir logs;
    constexpr int Rounds = 150;
    struct Peer {
        QString tag;
        QString root;
        QString host;
        std::unique_ptr<QProcess> process;
    };
    std::vector<Peer> peers;
    peers.push_back({"a", copies_.rootA, copies_.hostA, std::make_unique<QProcess>()});
    peers.push_back({"b", copies_.rootB, copies_.hostB, std::make_unique<QProcess>()});
    for (Peer& peer : peers) {
        peer.process->setProcessEnvironment(hostEnvironment(peer.host));
        peer.process->start(DORVANI4_SHARE_PEER,
                            {"soak", peer.root, peer.tag, QString::number(Rounds),
                             QString::number(peer.tag == "a" ? 11 : 23), logs.path(peer.tag)});
        ASSERT_TRUE(peer.process->waitForReadyRead(30000));
        ASSERT_EQ(peer.process->readLine().trimmed(), "ready");
    }
    for (Peer& peer : peers) {
        peer.process->write("go\n");
        peer.process->closeWriteChannel();
    }
    for (Peer& peer : peers) {
        const CopyRun run = finish(*peer.process);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
    }

    TThCustomerObjectList final;
    final.LoadFromFile(copies_.rootA + "/Customer.dat");
    QHash<QString, const TThCustomerObject*> byCode;
    for (int i = 0; i < final.Count(); ++i) {
        byCode.insert(final.Items(i).CusCode, &final.Items(i));
    }
    EXPECT_EQ(final.Count(), 3 + 8 + 2 * Rounds);
    int conflicts = 0;
    QHash<QString, QString> lastOwn;
    for (Peer& peer : peers) {
        for (const QString& line : QString::fromUtf8(readFileBytes(logs.path(peer.tag)))
                                       .split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u' ');
            ASSERT_NE(f.at(0), "LOST") << line.toStdString();
            ASSERT_NE(f.at(0), "STRAY") << line.toStdString();
            if (f.at(0) == "added") {
                EXPECT_TRUE(byCode.contains(f.at(1))) << line.toStdString();
            } else if (f.at(0) == "own") {
                lastOwn.insert(f.at(1), f.at(2));
            } else if (f.at(0) == "ok") {
                EXPECT_TRUE(byCode.value(f.at(1))->Name3.contains(f.at(2))) << line.toStdString();
            } else if (f.at(0) == "conflict") {
                ++conflicts;
                EXPECT_FALSE(byCode.value(f.at(1))->Name3.contains(f.at(2))) << line.toStdString();
            }
        }
    }
    for (auto own = lastOwn.cbegin(); own != lastOwn.cend(); ++own) {
        EXPECT_EQ(byCode.value(own.key())->Name2, own.value()) << own.key().toStdString();
    }
    EXPECT_GT(conflicts, 0) << "the two copies never edited one customer at the same time";
}

// A copy killed while it held the write lock leaves the lock file behind; the next save takes
// it over at once on the same PC and, on another PC, once it was not refreshed for a while.
TEST_P(SharedFolder, ALockOfAKilledCopyIsTakenOver) {
    writeFileBytes(copies_.rootA + "/Customer.dat", customerLines("C", 1));
    for (const bool samePc : {true, false}) {
        SCOPED_TRACE(samePc ? "same PC" : "other PC");
        QProcess holder;
        holder.setProcessEnvironment(hostEnvironment(copies_.hostA));
        holder.start(DORVANI4_SHARE_PEER, {"hold", copies_.rootA});
        ASSERT_TRUE(holder.waitForReadyRead(30000));
        ASSERT_EQ(holder.readLine().trimmed(), "held");
        ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
        holder.waitForFinished();
        const QString host = samePc ? copies_.hostA : QStringLiteral("pc-c");
        const std::unique_ptr<QProcess> process =
            startTool(host, {"--data-root", samePc ? copies_.rootA : copies_.rootB,
                             "import-customers", csvOf("K", 1)});
        const CopyRun run = finish(*process);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(copies_.hostA))
            << "the user is told whose lock it was: " << run.err.toStdString();
    }
    EXPECT_EQ(customers(copies_.rootA).size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Places, SharedFolder, ::testing::Values(Place::Local, Place::Share),
                         [](const ::testing::TestParamInfo<Place>& place) {
                             return place.param == Place::Local ? "LocalFolder" : "SmbShare";
                         });

}  // namespace
