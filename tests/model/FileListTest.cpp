#include <gtest/gtest.h>

#include "QtPrint.h"

#include <QDir>

#include "Cp932.h"
#include "FileList.h"
#include "ModelError.h"
#include "TThEstimateObjectList.h"
#include "TempDir.h"

namespace {

// The five header entries the lists read; the rest of a document is not needed for them.
QByteArray headerFile(const char* magic, const char* saved, const char* mode, const char* comment,
                      const char* name1) {
    QByteArray bytes;
    for (const char* text : {magic, saved, mode, comment, name1}) {
        const QByteArray entry = Cp932::encode(QString::fromUtf8(text));
        const auto n = static_cast<quint32>(entry.size());
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>(n >> shift);
        }
        bytes += entry;
    }
    return bytes;
}

QStringList fileNames(const FileList::Listing& listing) {
    QStringList names;
    for (const FileList::Entry& entry : listing.Entries) {
        names << entry.FileName;
    }
    return names;
}

class FileListFolder : public ::testing::Test {
  protected:
    void write(const QString& name, const QByteArray& bytes) {
        writeFileBytes(temp.path(name), bytes);
    }

    TempDir temp;
};

TEST_F(FileListFolder, ListsEveryReadableDocumentAndNamesTheBrokenOnes) {
    write("a通常4.MT4",
          headerFile("MITSU4_100", "2008/04/01 09:05", "0", "コメントA", "株式会社あ"));
    write("b合計4.MT4", headerFile("MITSU4_100", "2008/04/02 10:00", "-1", "", "い商店"));
    write("c壊れ.MT4", QByteArray("\x0A\x00\x00\x00MITSU4_100\x40\x00\x00\x00", 18));
    write("d合計3.mt4", headerFile("MITSU3_100", "2005/11/30 08:00", "True", "", ""));
    write("e通常2.Mt4", headerFile("MITSU2_100", "2003/01/01 00:00", "1", "", ""));
    write("f合計2.MT4", headerFile("MITSU2_100", "2003/01/02 00:00", "2", "", ""));
    write("g.txt", headerFile("MITSU4_100", "", "0", "", ""));
    write("h.MT4.bak", headerFile("MITSU4_100", "", "0", "", ""));
    QDir(temp.root()).mkdir("i.MT4");

    const FileList::Listing listing = FileList::Read(temp.root());
    EXPECT_EQ(fileNames(listing), QStringList({"a通常4", "b合計4", "d合計3", "e通常2", "f合計2"}));
    QStringList marks;
    for (const FileList::Entry& entry : listing.Entries) {
        marks << entry.Text(FileList::ColumnMode);
    }
    EXPECT_EQ(marks, QStringList({"", "合", "合", "", "合"}));
    const FileList::Entry& first = listing.Entries.at(0);
    EXPECT_EQ(first.Text(FileList::ColumnName1), "株式会社あ");
    EXPECT_EQ(first.Text(FileList::ColumnComment), "コメントA");
    EXPECT_EQ(first.Text(FileList::ColumnSaved), "2008/04/01 09:05");
    EXPECT_EQ(first.Path, temp.path("a通常4.MT4"));
    EXPECT_EQ(listing.Entries.at(2).Path, temp.path("d合計3.mt4")) << "opened as found";
    ASSERT_EQ(listing.Unreadable.size(), 1);
    EXPECT_TRUE(listing.Unreadable[0].contains("c壊れ.MT4")) << listing.Unreadable[0].toStdString();
}

TEST_F(FileListFolder, TheFilterLeavesOutHiddenFilesTheListShows) {
    write(".hidden.MT4", headerFile("MITSU4_100", "", "0", "", "会社"));
    write("shown.MT4", headerFile("MITSU4_100", "", "0", "", "会社"));
    EXPECT_EQ(fileNames(FileList::Read(temp.root())), QStringList({".hidden", "shown"}));
    EXPECT_EQ(
        fileNames(FileList::ReadMatching(temp.root(), FileList::Condition::CompanyName, "会社")),
        QStringList({"shown"}));
}

TEST(FileListFilter, KeepsTheEntriesThatMeetTheCondition) {
    FileList::Entry normal{"", "見積001", "アイ商事", "至急", "2005/11/30 09:05", false};
    FileList::Entry total{"", "合計", "abc", "", "2005/12/01 10:00", true};
    using C = FileList::Condition;
    const struct {
        C condition;
        const char* word;
        bool keepsNormal;
        bool keepsTotal;
    } cases[] = {
        {C::CompanyName, "イ商", true, false},
        // The byte of "A" is the second byte of "ア" in Shift-JIS: only characters match.
        {C::CompanyName, "A", false, false},
        {C::CompanyName, "ABC", false, false},  // case-sensitive
        {C::CompanyName, "bc", false, true},
        {C::Comment, "至急", true, false},
        {C::FileName, "001", true, false},
        {C::FileName, "MT4", false, false},
        {C::Mode, "通常", true, false},
        {C::Mode, "合計請求", false, true},
        {C::Mode, "合計", false, false},
        {C::SavedDate, "2005/11/30", true, false},
        {C::SavedDate, "2005/1", true, true},
        {C::CompanyName, "", false, false},
    };
    for (const auto& c : cases) {
        const QString word = QString::fromUtf8(c.word);
        EXPECT_EQ(FileList::Matches(normal, c.condition, word), c.keepsNormal) << c.word;
        EXPECT_EQ(FileList::Matches(total, c.condition, word), c.keepsTotal) << c.word;
    }
}

int sign(int n) {
    return (n > 0) - (n < 0);
}

TEST(FileListSort, ComparesShiftJisBytesWithAsciiLettersFolded) {
    const QString afterA = Cp932::decode("\x83\x61");  // 0x41 + 0x20 as the second byte
    const struct {
        QString a;
        QString b;
        int order;
    } cases[] = {
        {"abc", "ABC", 0},
        {"B", "a", 1},
        {"abc", "ABD", -1},
        {"Ａ", "ａ", -1},  // full-width letters are not ASCII
        // Kanji in the JIS order of readings: 愛 (0x88A4) before 一 (0x88EA).
        {"愛", "一", -1},
        {"あ", "ア", -1},
        {"ｱ", "ア", 1},  // half-width katakana are single bytes above the double-byte leads
        {"ア", afterA, -1},
        {"", "a", -1},
        {"2005/11/30 09:05", "2005/11/30 10:00", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(FileList::CompareTexts(c.a, c.b)), c.order)
            << c.a.toStdString() << " " << c.b.toStdString();
        EXPECT_EQ(sign(FileList::CompareTexts(c.b, c.a)), -c.order);
    }
    EXPECT_EQ(sign(FileList::CompareTexts("😀", "ｱ")), 1) << "text outside cp932 sorts last";
}

TEST(FileListSort, SortsByTheColumnEitherWayAndKeepsTiesInOrder) {
    std::vector<FileList::Entry> entries = {
        {"", "c", "", "", "2005/11/30 09:05", false},
        {"", "a", "", "", "2005/11/29 09:05", true},
        {"", "b", "", "", "2005/11/30 09:05", false},
    };
    const auto order = [&] {
        QStringList names;
        for (const auto& e : entries)
            names << e.FileName;
        return names;
    };
    FileList::Sort(entries, FileList::ColumnSaved, true);
    EXPECT_EQ(order(), QStringList({"a", "c", "b"}));
    FileList::Sort(entries, FileList::ColumnSaved, false);
    EXPECT_EQ(order(), QStringList({"c", "b", "a"}));
    FileList::Sort(entries, FileList::ColumnMode, false);
    EXPECT_EQ(order(), QStringList({"a", "c", "b"}));
}

TEST(FileListSaveName, RefusesEmptyNamesForbiddenAndControlCharacters) {
    const QString empty = "ファイル名を入力してください。";
    const QString forbidden = "ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。";
    const QString control = "ファイル名に制御文字（改行やタブなど）を含めることは出来ません。";
    const struct {
        QString name;
        QString problem;
    } cases[] = {
        {"見積001", ""},   {" 見積 ", ""},      {"", empty},
        {"  ", empty},     {"\t", empty},       {"a/b", forbidden},
        {"a?", forbidden}, {"a\\b", forbidden}, {"a:b", forbidden},
        {"*", forbidden},  {"\"", forbidden},   {"<>", forbidden},
        {"|", forbidden},  {"a\nb", control},   {QString("a") + QChar(0x7F), control},
        {"a\tb", control}, {"　", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileList::SaveNameProblem(c.name), c.problem) << c.name.toStdString();
    }
}

TEST_F(FileListFolder, ABrokenDocumentLeavesTheOpenOneAsItWas) {
    TThEstimateObjectList saved;
    saved.Customer.Name1 = "新しい会社";
    saved.PadLines(3);
    saved.SaveToFile(temp.path("good.MT4"), "");
    QByteArray broken = readFileBytes(temp.path("good.MT4"));
    broken.chop(3);
    write("broken.MT4", broken);

    TThEstimateObjectList open;
    open.Customer.Name1 = "開いている会社";
    open.PadLines(100);
    EXPECT_THROW(FileList::LoadDocument(open, temp.path("broken.MT4")), EFileFormatError);
    EXPECT_EQ(open.Customer.Name1, "開いている会社");
    EXPECT_EQ(open.Count(), 100);

    FileList::LoadDocument(open, temp.path("good.MT4"));
    EXPECT_EQ(open.Customer.Name1, "新しい会社");
    EXPECT_EQ(open.Count(), 3);
}

// A document of more lines than the editor can hold is refused before the open one changes;
// one of exactly the limit opens.
TEST_F(FileListFolder, ADocumentBeyondTheEditorLineLimitLeavesTheOpenOneAsItWas) {
    for (const int lines : {FileList::EditorLineLimit, FileList::EditorLineLimit + 1}) {
        TThEstimateObjectList saved;
        saved.PadLines(lines);
        saved.SaveToFile(temp.path("long.MT4"), "");
        TThEstimateObjectList open;
        open.Customer.Name1 = "開いている会社";
        open.PadLines(100);
        try {
            FileList::LoadDocument(open, temp.path("long.MT4"));
            EXPECT_EQ(lines, FileList::EditorLineLimit);
            EXPECT_EQ(open.Count(), lines);
        } catch (const EFileFormatError& error) {
            EXPECT_EQ(lines, FileList::EditorLineLimit + 1);
            EXPECT_EQ(
                error.message(),
                QStringLiteral("「%1」は5001行あり、編集できる5000行を超えているため開けません。")
                    .arg(temp.path("long.MT4")));
            EXPECT_EQ(open.Customer.Name1, "開いている会社");
            EXPECT_EQ(open.Count(), 100);
        }
    }
}

}  // namespace
