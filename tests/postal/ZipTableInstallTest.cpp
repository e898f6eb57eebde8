#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstddef>
#include <thread>

#include "FileSizeLimit.h"
#include "QtPrint.h"
#include "TempDir.h"

#include "CopyOwner.h"
#include "Cp932.h"
#include "DataFolders.h"
#include "DataLock.h"
#include "ModelError.h"
#include "ZipTableInstall.h"
#include "ZipUpdate.h"

namespace {

QByteArray sjis(const char* utf8) {
    return Cp932::encode(QString::fromUtf8(utf8));
}

const QByteArray GoodTable = sjis("1000001,東京都千代田区千代田\r\n0600000,北海道札幌市中央区\r\n");

struct TableCase {
    const char* name;
    QByteArray table;
    const char* problem;  // empty: accepted
};

class ValidateTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(ValidateTable, AcceptsOnlyLinesOfCodeCommaAndShiftJis) {
    const TableCase& c = GetParam();
    try {
        ZipTable::ValidateTable(c.table, 2, QStringLiteral("zip.dat"));
        EXPECT_STREQ(c.problem, "") << "accepted";
    } catch (const EFileFormatError& error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.problem)) && *c.problem)
            << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ValidateTable,
    ::testing::Values(
        TableCase{"Good", GoodTable, ""},
        TableCase{"LfAndNoFinalBreak", sjis("1000001,千代田\n0600000,"), ""},
        TableCase{"Html", "<!DOCTYPE html>\r\n<html><body>Login</body></html>\r\n", "1 行目"},
        TableCase{"SixDigits", sjis("1000001,千代田\r\n060000,札幌\r\n"), "2 行目"},
        TableCase{"NoComma", sjis("1000001,千代田\r\n0600000札幌\r\n"), "2 行目"},
        TableCase{"EmptyLineInside", sjis("1000001,千代田\r\n\r\n0600000,札幌\r\n"), "2 行目"},
        TableCase{"NotShiftJis", "1000001,\x82\r\n0600000,a\r\n", "1 行目"},
        TableCase{"ControlCharacter", "1000001,a\tb\r\n0600000,a\r\n", "1 行目"},
        TableCase{"TooFewLines", sjis("1000001,東京都千代田区千代田\r\n"), "1 行しかありません"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ValidateVersion, NeedsAKeyOfText) {
    EXPECT_NO_THROW(ZipTable::ValidateVersion(sjis("2025/05/30\r\n説明\r\n"), "v"));
    EXPECT_THROW(ZipTable::ValidateVersion("", "v"), EFileFormatError);
    EXPECT_THROW(ZipTable::ValidateVersion("\r\n2025/05/30\r\n", "v"), EFileFormatError);
    EXPECT_THROW(ZipTable::ValidateVersion("2025\x82\r\n", "v"), EFileFormatError);
    EXPECT_THROW(ZipTable::ValidateVersion(QByteArray(5000, 'a'), "v"), EFileFormatError);
}

class InstallTable : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = dir.root() + u'/';
        writeFileBytes(dir.path("zip.dat"), OldTable);
        writeFileBytes(dir.path("version.txt"), OldVersion);
    }
    // Nothing but the two files: no temporary file is left behind.
    void ExpectOnlyTheTwoFiles() {
        EXPECT_EQ(
            QDir(dir.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"version.txt", "zip.dat"}));
    }

    const QByteArray OldTable = sjis("1000001,旧\r\n");
    const QByteArray OldVersion = "2023/07/06\r\n";
    const QByteArray NewVersion = "2025/05/30\r\n";
    TempDir dir;
    QString folder;
};

TEST_F(InstallTable, ReplacesBothFiles) {
    ZipTable::InstallTable(folder, GoodTable, NewVersion);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), GoodTable);
    EXPECT_EQ(readFileBytes(dir.path("version.txt")), NewVersion);
    ExpectOnlyTheTwoFiles();
}

TEST_F(InstallTable, CreatesBothWhenNoneWasThere) {
    QFile::remove(dir.path("zip.dat"));
    QFile::remove(dir.path("version.txt"));
    ZipTable::InstallTable(folder, GoodTable, NewVersion);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), GoodTable);
    ExpectOnlyTheTwoFiles();
}

TEST_F(InstallTable, FailedWriteOfEitherFileKeepsBothOld) {
    struct Case {
        QByteArray table;
        QByteArray version;
    };
    // The table is written first, then the version file; each in turn passes the limit.
    for (const Case& c :
         {Case{QByteArray(4096, 'x'), NewVersion}, Case{"1", QByteArray(4096, 'x')}}) {
        {
            FileSizeLimit limit(1024);
            EXPECT_THROW(ZipTable::InstallTable(folder, c.table, c.version), EFileError);
        }
        EXPECT_EQ(readFileBytes(dir.path("zip.dat")), OldTable);
        EXPECT_EQ(readFileBytes(dir.path("version.txt")), OldVersion);
        ExpectOnlyTheTwoFiles();
    }
}

TEST_F(InstallTable, AFolderInPlaceOfEitherFileKeepsTheOtherOldFile) {
    // A rename cannot put a file where a folder lies; this is found before anything moves.
    struct Case {
        const char* folderName;
        const char* otherName;
        QByteArray otherBytes;
    };
    for (const Case& c :
         {Case{"zip.dat", "version.txt", OldVersion}, Case{"version.txt", "zip.dat", OldTable}}) {
        TempDir here;
        writeFileBytes(here.path(c.otherName), c.otherBytes);
        QDir(here.root()).mkpath(QStringLiteral("%1/held").arg(c.folderName));
        EXPECT_THROW(ZipTable::InstallTable(here.root() + u'/', GoodTable, NewVersion), EFileError)
            << c.folderName;
        EXPECT_EQ(readFileBytes(here.path(c.otherName)), c.otherBytes);
        EXPECT_EQ(
            QDir(here.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"version.txt", "zip.dat"}));
    }
}

TEST_F(InstallTable, FailingAfterACutSwapLeavesThatSwapCompleted) {
    // A copy killed after its table's rename; this install then fails while writing. The cut
    // swap is finished first, not undone with this one's new files.
    writeFileBytes(dir.path("zip.dat"), GoodTable);
    writeFileBytes(dir.path("version.txt.new"), NewVersion);
    writeFileBytes(dir.path("swap.commit"), {});
    {
        FileSizeLimit limit(1024);
        EXPECT_THROW(ZipTable::InstallTable(folder, "1", QByteArray(4096, 'x')), EFileError);
    }
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), GoodTable);
    EXPECT_EQ(readFileBytes(dir.path("version.txt")), NewVersion);
    ExpectOnlyTheTwoFiles();
}

// Runs work on a thread of its own whose link() and linkat() fail with EPERM, as they do on a
// share mounted through smbnetfs. False when the system does not let a thread filter its
// calls.
template <class Work>
bool withoutHardLinks(Work work) {
    bool filtered = false;
    std::thread([&] {
        sock_filter rules[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
#ifdef __NR_link
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_link, 2, 0),
#endif
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_linkat, 1, 0),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
        };
        sock_fprog program{static_cast<unsigned short>(std::size(rules)), rules};
        // Without TSYNC the filter binds this thread alone, and ends with it.
        filtered = ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
                   ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
        if (filtered) {
            work();
        }
    }).join();
    return filtered;
}

TEST_F(InstallTable, ReplacesBothFilesWhereHardLinksAreRefused) {
    const bool filtered = withoutHardLinks([&] {
        const int linked = ::link(QFile::encodeName(dir.path("zip.dat")).constData(),
                                  QFile::encodeName(dir.path("probe")).constData());
        EXPECT_TRUE(linked != 0 && errno == EPERM) << "link() is not refused";
        EXPECT_NO_THROW(ZipTable::InstallTable(folder, GoodTable, NewVersion));
    });
    if (!filtered) {
        GTEST_SKIP() << "seccomp filters are not allowed here";
    }
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), GoodTable);
    EXPECT_EQ(readFileBytes(dir.path("version.txt")), NewVersion);
    ExpectOnlyTheTwoFiles();
}

// What a kill at one point of a swap leaves in the folder, besides the pair.
struct CutCase {
    const char* name;
    bool newTable;         // "zip.dat.new" written
    bool newVersion;       // "version.txt.new" written
    bool lastCut;          // the later of those two cut short
    bool marker;           // "swap.commit" made
    bool tableMoved;       // "zip.dat" already the new table
    bool versionMoved;     // "version.txt" already the new version
    const char* leftover;  // another file the cut left, or empty
    bool rollsForward;     // the settled pair is the new one
};

void PrintTo(const CutCase& c, std::ostream* out) {
    *out << c.name;
}

class SettleCut : public InstallTable, public ::testing::WithParamInterface<CutCase> {
  protected:
    void LeaveTheCut(const CutCase& c) {
        const auto put = [&](bool present, const char* name, const QByteArray& bytes) {
            if (present) {
                writeFileBytes(dir.path(name), bytes);
            }
        };
        const auto cutIf = [](bool cut, const QByteArray& bytes) {
            return cut ? bytes.left(bytes.size() / 2) : bytes;
        };
        put(c.newTable, "zip.dat.new", cutIf(c.lastCut && !c.newVersion, GoodTable));
        put(c.newVersion, "version.txt.new", cutIf(c.lastCut, NewVersion));
        put(c.marker, "swap.commit", {});
        put(c.tableMoved, "zip.dat", GoodTable);
        put(c.versionMoved, "version.txt", NewVersion);
        put(*c.leftover != '\0', c.leftover, "cut");
    }
};

TEST_P(SettleCut, LeavesTheOldPairOrTheNewOneNeverAMix) {
    const CutCase& c = GetParam();
    LeaveTheCut(c);
    EXPECT_TRUE(ZipTable::HasInterruptedSwap(folder));
    ZipTable::SettleInterruptedSwap(folder);
    EXPECT_EQ(readFileBytes(dir.path("zip.dat")), c.rollsForward ? GoodTable : OldTable);
    EXPECT_EQ(readFileBytes(dir.path("version.txt")), c.rollsForward ? NewVersion : OldVersion);
    ExpectOnlyTheTwoFiles();
    EXPECT_FALSE(ZipTable::HasInterruptedSwap(folder));
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, SettleCut,
    ::testing::Values(
        CutCase{"WhileWritingTheTable", true, false, true, false, false, false, "", false},
        CutCase{"WhileWritingTheVersion", true, true, true, false, false, false, "", false},
        CutCase{"BeforeTheMarker", true, true, false, false, false, false, "", false},
        CutCase{"AfterTheMarker", true, true, false, true, false, false, "", true},
        CutCase{"AfterTheTableRename", false, true, false, true, true, false, "", true},
        CutCase{"AfterBothRenames", false, false, false, true, true, true, "", true},
        CutCase{"KeptCopyOfAnEarlierVersion", false, false, false, false, false, false,
                ".kept-Xy12Zw", false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SettleAtStart, WaitsForTheCopyThatHoldsThePostalLock) {
    for (const bool heldElsewhere : {true, false}) {
        TempDir root;
        const DataFolders folders(root.root());
        QDir().mkpath(folders.ZipFolder());
        // Cut after the table's rename: the mix a settling must finish.
        writeFileBytes(folders.ZipFolder() + "zip.dat", GoodTable);
        writeFileBytes(folders.ZipFolder() + "version.txt", "2023/07/06\r\n");
        writeFileBytes(folders.ZipFolder() + "version.txt.new", "2025/05/30\r\n");
        writeFileBytes(folders.ZipFolder() + "swap.commit", {});
        std::unique_ptr<DataLock> holder;
        if (heldElsewhere) {
            holder = std::make_unique<DataLock>(root.root(), DataLock::PostalName);
        }
        ZipTable::SettleAtStart(folders);
        EXPECT_EQ(ZipTable::HasInterruptedSwap(folders.ZipFolder()), heldElsewhere)
            << heldElsewhere;
        EXPECT_EQ(readFileBytes(folders.ZipFolder() + "version.txt"),
                  heldElsewhere ? "2023/07/06\r\n" : "2025/05/30\r\n");
    }
}

TEST(SettleAtStart, WithNothingToSettleWritesNothing) {
    TempDir parent;
    const DataFolders missing(parent.path("new-root"));
    ZipTable::SettleAtStart(missing);
    EXPECT_FALSE(QFileInfo::exists(parent.path("new-root")));

    const DataFolders clean(parent.root());
    QDir().mkpath(clean.ZipFolder());
    writeFileBytes(clean.ZipFolder() + "zip.dat", GoodTable);
    ZipTable::SettleAtStart(clean);
    EXPECT_FALSE(QFileInfo::exists(DataLock::Folder(parent.root())));
}

TEST(UpdateLock, ASecondUpdateFailsAtOnceNamingTheHolder) {
    TempDir root;
    {
        const DataLock held(root.root(), DataLock::PostalName);
        try {
            ZipUpdate::LockForUpdate(root.root());
            ADD_FAILURE() << "a second update got the lock";
        } catch (const ELockBusy& busy) {
            EXPECT_EQ(busy.message(), ZipUpdate::BusyMessage(CopyOwner::Current()));
            ASSERT_TRUE(busy.holder());
            EXPECT_TRUE(busy.holder()->SameCopy(CopyOwner::Current()));
        }
    }
    EXPECT_NE(ZipUpdate::LockForUpdate(root.root()), nullptr);
}

TEST(UpdateLock, BusyMessageNamesTheHolder) {
    CopyOwner window;
    window.Host = "pc-2";
    window.User = "sato";
    window.Program = "dorvani4";
    CopyOwner tool = window;
    tool.Program = "dorvani4-tool";
    struct Case {
        std::optional<CopyOwner> holder;
        const char* message;
    };
    for (const Case& c :
         {Case{window,
               "郵便番号データは、PC「pc-2」のユーザー「sato」（ウィンドウ）が更新中です。"
               "終わってからもう一度お試しください。"},
          Case{tool,
               "郵便番号データは、PC「pc-2」のユーザー「sato」（ツール）が更新中です。"
               "終わってからもう一度お試しください。"},
          Case{std::nullopt,
               "郵便番号データは、別のコピーが更新中です。終わってからもう一度お試しください。"}}) {
        EXPECT_EQ(ZipUpdate::BusyMessage(c.holder), QString::fromUtf8(c.message));
    }
}

}  // namespace
