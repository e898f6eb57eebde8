#pragma once

#include <QMainWindow>
#include <memory>

#include "Currency.h"
#include "DataFolders.h"
#include "TThCampanyInfoManager.h"
#include "TThConfigInfo.h"
#include "TThCustomerObjectList.h"
#include "TThEstimateObject.h"
#include "TThEstimateObjectList.h"
#include "TThItemObjectList.h"
#include "TThItemUnitObjectList.h"

namespace Ui {
class TFormMain;
}

// The main window: owns the one open document, the masters, the settings and the sender
// profiles for the whole run.
class TFormMain : public QMainWindow {
    Q_OBJECT

public:
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

    // Sets the window to a fresh document.
    void ResetWindow();

    // Brings the window to the front, restored when minimised (a second start asks this).
    void Activate();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void Exit1Click();
    void About1Click();

    void CopyInstalledZipTable();
    // Runs load; a failure is shown and the program starts with what was read.
    template <class Load>
    void LoadOrReport(Load load);

    DataFolders folders_;
    std::unique_ptr<Ui::TFormMain> ui_;
    bool shown_ = false;
};
