#pragma once

#include <QMainWindow>
#include <QMetaObject>
#include <memory>
#include <vector>

#include "Currency.h"
#include "DataFolders.h"
#include "OpenDocument.h"
#include "TItemRow.h"
#include "TSlipKind.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThEstimateObject.h"
#include "TThEstimateObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"

class QCheckBox;
class QMenu;

namespace Ui {
class TFormMain;
}

// The main window: owns the one open document, the masters, the settings and the sender
// profiles for the whole run. The header tab (TFormMainHeader.cpp) and the line-item tab
// (TFormMainRows.cpp) keep the document equal to what the window shows.
class TFormMain : public QMainWindow {
    Q_OBJECT

  public:
    // Why the per-line tax option cannot be chosen on a qualified invoice.
    static inline const QString CalcPerRowRefusal = QStringLiteral(
        "適格請求書では消費税を税率ごとに一度だけ端数処理するため、行毎の計算は選べません。");
    static inline const QString ApplicationTitle = QStringLiteral("Rokuvel Dorvani4");

    // FormCreate: prepares the data root and loads masters, settings and profiles from it.
    explicit TFormMain(const DataFolders& folders, QWidget* parent = nullptr);
    ~TFormMain() override;

    TThEstimateObjectList FEstimate;
    TThCustomerObjectList FCustomerList;
    TThItemObjectList FItemList;
    TThItemUnitObjectList FUnitList;
    TThConfigInfo FConfig;
    TThCampanyInfoManager FCampanyManager;
    TThEstimateObject FCopyItem;
    int FSelectedRow = -1;

    const QString& RootFolder() const { return folders_.RootFolder(); }
    QString ImgFolder() const { return folders_.ImgFolder(); }
    QString DataFolder() const { return folders_.DataFolder(); }
    QString ZipFolder() const { return folders_.ZipFolder(); }

    // Money as the windows show it; line cells follow PRINTDECIMAL, totals never pad.
    QString FormatAmount(bool forTotals, Currency value) const;
    Currency ParseMoney(QStringView text) const;

    // 印刷・PDF出力 of the item list (skItemList) or the customer list (skCustomerList): the
    // live master, dated with the header date.
    void PrintMasterList(QWidget* parent, TSlipKind kind);

    // Sets the window to a fresh document; the line items stay as they are.
    void ResetWindow();
    void RefreshAll();

    // Header: the controls of the customer tab and the document's header fields.
    void StoreHeader();
    void LoadHeader();
    // Attaches (or detaches) the handlers that copy every header and option change into the
    // document; filling the window from a document is done detached.
    void SetHeaderNotify(bool attach);
    // The document's calculation options in the four option controls, without writing back.
    void ShowCalcOptions();

    // Line items: one input row per line item, never fewer than 100.
    void SyncRowCount();
    void AddRows(int count);
    void RemoveRows(int count);
    void StoreRow(int row);
    void ShowRows();
    void ShowTotals();
    void ShowMode(bool totalClaim);
    void MarkRow(int row);
    void UnmarkRow(int row);
    // Runs the exit of the row being edited and leaves no row selected; before saving,
    // opening, printing and every tab change.
    void CommitRowEdit();
    // Fill the pick menus from the masters as they are now; the right-click runs them just
    // before a menu opens.
    void BuildItemMenu();
    void BuildUnitMenu();
    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Brings the window to the front, restored when minimised (a second start asks this).
    void Activate();

  protected:
    void showEvent(QShowEvent* event) override;
    // Coming back to the window takes in what other copies saved meanwhile.
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    void CentreOnScreen();
    bool FormCloseQuery();
    void Exit1Click();
    void About1Click();
    // 品名リスト編集: OK saves both masters, Cancel drops the edits by reloading them.
    void N2Click();
    void N17Click();

    void CopyInstalledZipTable();
    // Runs load; a failure is shown and the program starts with what was read.
    template <class Load>
    void LoadOrReport(Load load);

    // Header tab.
    void SetUpHeader();
    void ContentsChange();
    void ConfigChange();
    void DateTimePicker1Change(const QDate& date);
    void CBPlaceExit(QObject* box);
    void BtnDelHistoryClick(int tag);
    void BtnCustomerClick();
    void BtnZipClick();
    void BtnAdd1Click();
    bool HeaderEvent(QObject* watched, QEvent* event);

    // The six main slips.
    void SetUpSlipButtons();
    void RunMainSlip(TSlipKind kind);
    // The receipt, total invoice and fax cover sheet (BtnRyoshuClick, BtnGoukeiClick,
    // pngBtnSoushinClick).
    void RunSheetSlip(TSlipKind kind);

    // File menu.
    void SetUpFileCommands();
    bool MayDropDocument(const QString& question);
    void ClearLines();
    // Fills the header controls from the document without copying half-filled windows back.
    void ShowOpenedDocument();
    void New1Click();
    void BtnOpenClick();
    void BtnSaveClick();
    void N7Click();
    void BuildTotalClaim(const QStringList& paths);
    void B2Click();
    void R1Click();
    void N2I2Click();

    // Settings menu.
    void SetUpSettingsCommands();
    void N3Click();
    void N4Click();
    // The operating settings as they now are, applied to the document, totals and PDFs.
    void ApplySettings();
    // Masters, settings and profiles that another copy wrote since this one read them are
    // read again (those with unsaved changes merge at their next save instead).
    void ReloadSharedData();

    // Line-item tab.
    void SetUpContents();
    void CreateRow(int index);
    void ShowRow(TItemRow& row);
    void DestroyLastRow();
    // The box scrolls over exactly the rows there are.
    void FitRowsBox();
    // Row index of a row control, -1 for any other object.
    int RowOf(const QObject* control) const;
    bool RowEvent(int row, QObject* watched, QEvent* event);
    void EditEnter(int row, QWidget* control);
    void EditExit(int row);
    void TaxCheckBoxClick(int row);
    // Stores the row as typed and recomputes the document.
    void CommitRow(int row);
    // The row as typed into its line (an empty figure counts as 0); before a command
    // rearranges the lines.
    void StoreTypedRow(int row);
    void ScrollByWheel(int notches);
    // CalcTotal, reporting a sum beyond the Currency range instead of ending the command.
    void Recalculate();
    // After every change of the lines: recompute, then show rows and totals.
    void LinesChanged();
    bool RefuseInTotalClaim();
    // False, after telling the user, when no row is selected.
    bool HasSelection(const QString& withoutSelection);
    void N9Click();
    void N10Click();
    void BtnPrevItemClick();
    void BtnBackItemClick();
    void MoveSelectedItem(int step);
    void N15Click();
    bool InsertEmptyLine();
    void BtnDelDataClick();
    void S1Click();
    void pngBtnAddInputAreaClick();
    void pngBtnDelInputAreaClick();
    void SelectItem(int index);
    void SelectUnit(int index);

    // A character that cp932 cannot hold is named to the user when its field is left; the
    // text stays, but no file could store it.
    void WarnUnsavable(QWidget* field, const QString& caption, const QString& text);

    DataFolders folders_;
    std::unique_ptr<Ui::TFormMain> ui_;
    bool shown_ = false;
    // The header's text controls and its four "印刷する" boxes, in the order of their tables.
    std::vector<QWidget*> headerFields_;
    std::vector<QCheckBox*> headerSwitches_;
    std::vector<QMetaObject::Connection> headerNotify_;
    std::vector<TItemRow> rows_;
    // The row whose control has the focus and whose exit is still to run, or -1.
    int editingRow_ = -1;
    QMenu* PMItem = nullptr;
    QMenu* PMUnit = nullptr;
    // The document file shown, with its presence marker or the copy that makes it read-only.
    OpenDocument openDocument_{folders_.RootFolder()};
};
