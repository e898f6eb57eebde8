#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TThEstimateObjectList;

// The document files of the data folder as the file windows list them, the conditions they
// are filtered by, their sort order and the rules for the names documents are saved under.
namespace FileList {

inline const QString Extension = QStringLiteral(".MT4");
inline const QString TotalClaimMark = QStringLiteral("合");

enum Column { ColumnMode, ColumnFileName, ColumnName1, ColumnComment, ColumnSaved, ColumnCount };

struct Entry {
    QString Path;      // the file as found, whatever the case of its extension
    QString FileName;  // without the extension
    QString Name1;
    QString Comment;
    QString Saved;  // as stored: "yyyy/mm/dd hh:nn"
    bool TotalClaimMode = false;

    QString Text(Column column) const;
};

struct Listing {
    std::vector<Entry> Entries;
    // One message per document file whose header could not be read; its file is left out.
    QStringList Unreadable;
};

// Whether name ends in ".MT4" in any letter case of the ASCII letters.
bool HasExtension(const QString& fileName, const QString& extension);

// The regular files of folder (name order) with one of the extensions, as full paths; hidden
// files are included unless withHidden is false. FIFOs and devices are never listed.
QStringList FilesWithExtensions(const QString& folder, const QStringList& extensions,
                                bool withHidden = true);

// Reads the five header entries of every document file of folder, hidden ones included.
Listing Read(const QString& folder);

enum class Condition { CompanyName, Comment, FileName, Mode, SavedDate };
// The conditions in the order of the filter window, with their captions.
const std::vector<std::pair<Condition, QString>>& Conditions();
inline const QString ModeNormal = QStringLiteral("通常");
inline const QString ModeTotalClaim = QStringLiteral("合計請求");

bool Matches(const Entry& entry, Condition condition, const QString& word);
// The document files of folder that meet the condition; hidden files are left out.
Listing ReadMatching(const QString& folder, Condition condition, const QString& word);

// Negative, zero or positive as a sorts before, with or after b: the Shift-JIS bytes of
// the texts in order, ASCII letters without regard to case.
int CompareTexts(const QString& a, const QString& b);
// Stable, so rows with equal texts keep the order they had.
void Sort(std::vector<Entry>& entries, Column column, bool ascending);

// Why a document cannot be saved under name, or empty when it can.
QString SaveNameProblem(const QString& name);
// The file a document saved under name goes to: the existing one of that name, whatever the
// case of its extension, else name + ".MT4".
QString DocumentPath(const QString& folder, const QString& name);

// The most lines the line editor opens. Each row is a set of widgets of about 37 KB (the
// main window with 1,000 rows peaks at 83 MB, with 100 at 50 MB), so 5,000 rows stay near
// 230 MB, well under 500 MB; the tool reads any document the file size limit allows.
inline constexpr int EditorLineLimit = 5000;

// Reads the document at path into document only when the whole file reads without error
// and holds at most EditorLineLimit lines; otherwise throws and the document stays as it was.
void LoadDocument(TThEstimateObjectList& document, const QString& path);

}  // namespace FileList
