#include "TFormMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QWheelEvent>

#include "TDatePickButton.h"
#include "THistoryComboBox.h"

#include "AmountText.h"
#include "AppWindows.h"
#include "BrokenFile.h"
#include "Clock.h"
#include "ConflictQuestion.h"
#include "DataRootChoice.h"
#include "IniFile.h"
#include "JapaneseEra.h"
#include "LoadFailures.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormItemAdd.h"
#include "TFormItemEdit.h"
#include "TFormItemList.h"
#include "TFormVersion.h"
#include "TPngButton.h"
#include "TSlipPdfTemplates.h"
#include "Tzip_update.h"
#include "ZipTable.h"
#include "ZipTableInstall.h"
#include "ui_TFormMain.h"

TFormMain::TFormMain(const DataFolders& folders, QWidget* parent)
    : QMainWindow(parent),
      FConfig(folders.ImgFolder()),
      FCampanyManager(folders.ImgFolder()),
      folders_(folders),
      ui_(std::make_unique<Ui::TFormMain>()) {
    ui_->setupUi(this);
    setWindowTitle(ApplicationTitle);
    // The client area is fixed; minimising stays possible.
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    QFont tabFont = ui_->PGMain->tabBar()->font();
    tabFont.setPixelSize(15);
    ui_->PGMain->tabBar()->setFont(tabFont);

    connect(ui_->Exit1, &QAction::triggered, this, &TFormMain::Exit1Click);
    connect(ui_->About1, &QAction::triggered, this, &TFormMain::About1Click);
    connect(ui_->N2, &QAction::triggered, this, &TFormMain::N2Click);
    connect(ui_->N17, &QAction::triggered, this, &TFormMain::N17Click);
    // The chosen folder holds from the next start; the window keeps its own root.
    connect(ui_->DataFolder1, &QAction::triggered, this,
            [this] { DataRootChoice::ChooseFolder(this, RootFolder()); });
    connect(ui_->DefaultDataFolder1, &QAction::triggered, this,
            [this] { DataRootChoice::ChooseDefault(this, RootFolder()); });
    // Every tab change commits the pending row edit, by click, Ctrl+Tab, arrow key or code.
    connect(ui_->PGMain, &QTabWidget::currentChanged, this, &TFormMain::CommitRowEdit);

    // Picture buttons whose slips come with later parts of the program stay visible but
    // disabled; the slip set-up enables the others.
    for (TPngButton* button :
         ui_->ClientArea->findChildren<TPngButton*>(Qt::FindDirectChildrenOnly)) {
        button->setEnabled(false);
    }
    SetUpHeader();
    SetUpContents();
    SetUpFileCommands();
    SetUpSlipButtons();
    SetUpSettingsCommands();
    FormCreate();
}

TFormMain::~TFormMain() = default;

namespace {

// Runs load of the data file at path. When it fails, the message also says where the file
// as it was is kept, since saving later writes only what could be read.
template <class Load>
void LoadDataFile(QWidget* parent, const QString& path, FileCheck check, Load load) {
    try {
        load();
    } catch (const EModelError& error) {
        const QString notice = BrokenFileNotice(path, check);
        Messages::Error(parent,
                        notice.isEmpty() ? error.message() : error.message() + u'\n' + notice);
    }
}

}  // namespace

template <class Load>
void TFormMain::LoadOrReport(Load load) {
    try {
        load();
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void TFormMain::FormCreate() {
    LoadOrReport([&] {
        folders_.Prepare();
        ZipTable::SettleAtStart(folders_);
        CopyInstalledZipTable();
    });
    if (QFileInfo::exists(folders_.CustomerPath())) {
        LoadDataFile(this, folders_.CustomerPath(), TThCustomerObjectList::CheckFile,
                     [&] { FCustomerList.LoadFromFile(folders_.CustomerPath()); });
    }
    if (QFileInfo::exists(folders_.ItemListPath())) {
        LoadDataFile(this, folders_.ItemListPath(), TThItemObjectList::CheckFile,
                     [&] { FItemList.LoadFromFile(folders_.ItemListPath()); });
    }
    if (QFileInfo::exists(folders_.ItemUnitPath())) {
        LoadDataFile(this, folders_.ItemUnitPath(), TThItemUnitObjectList::CheckFile,
                     [&] { FUnitList.LoadFromFile(folders_.ItemUnitPath()); });
    }
    // Settings and profiles share conf.ini: one message for both.
    LoadDataFile(this, folders_.ConfPath(), IniFile::CheckFile, [&] {
        LoadFailures failures;
        failures.Run([&] { FConfig.LoadFromFile(folders_.ConfPath()); });
        failures.Run([&] { FCampanyManager.LoadFromFile(folders_.ConfPath()); });
        failures.ThrowIfAny();
    });
    FEstimate.TakeTaxSettings(FConfig);
    ShowCalcOptions();
    // The print windows read print.ini only when they open and save over it when they close,
    // so a broken one is put aside, and the user told, now.
    LoadDataFile(this, folders_.PrintIniPath(), IniFile::CheckFile,
                 [&] { IniFile::CheckFile(folders_.PrintIniPath()); });
    for (THistoryComboBox* box : {ui_->CBPlace, ui_->CBCondition, ui_->CBLimit}) {
        box->LoadHistory();
    }
    FCopyItem = TThEstimateObject();
    FSelectedRow = -1;
    SetHeaderNotify(true);
}

// A new data root gets the table installed with the program, so both lookups work at once.
void TFormMain::CopyInstalledZipTable() {
    ZipTable::CopyInstalledTable(folders_.ZipFolder());
}

QString TFormMain::FormatAmount(bool forTotals, Currency value) const {
    return ::FormatAmount(forTotals, value, FConfig.PRINTDECIMAL);
}

Currency TFormMain::ParseMoney(QStringView text) const {
    return ::ParseMoney(text);
}

void TFormMain::ResetWindow() {
    ui_->PGMain->setCurrentWidget(ui_->TabCustomerInfo);
    // A fresh document has no selected row, whatever was selected before.
    FSelectedRow = -1;
    // The header handlers stay attached: every control that changes copies the header.
    ui_->MMCusCode->clear();
    ui_->MMSlipCode->clear();
    const QDate today = Clock::now().date();
    ui_->MMYear->setText(JapaneseEra::EraYear(today));
    ui_->MMMonth->setText(today.toString(QStringLiteral("MM")));
    ui_->MMDay->setText(today.toString(QStringLiteral("dd")));
    for (QLineEdit* field : {ui_->EdtZip, ui_->EdtAdd1, ui_->EdtAdd2, ui_->EdtTel, ui_->EdtFax,
                             ui_->EdtName1, ui_->EdtName2, ui_->EdtName3}) {
        field->clear();
    }
    ui_->CBNameTitle->setEditText(QStringLiteral("御中"));
    ui_->DateTimePicker1->SetDate(today);
    ui_->EdtDelivery->clear();
    for (QComboBox* box :
         {static_cast<QComboBox*>(ui_->CBPlace), static_cast<QComboBox*>(ui_->CBCondition),
          static_cast<QComboBox*>(ui_->CBLimit)}) {
        box->setEditText(QString());
    }
    ui_->MMEtc->clear();
    ui_->EdtMemo->clear();
    for (QWidget* group : {ui_->GBTaxCalc, ui_->GBTaxInput, ui_->GBSubTotalCalc}) {
        group->show();
    }
    for (QComboBox* option : {ui_->CBCalcUnit, ui_->CBUnderOne, ui_->CBSubTotalUnderOne}) {
        option->setCurrentIndex(0);
    }
    ui_->CBTaxIn->setChecked(false);
    ui_->LblMode->setText(QStringLiteral("通常"));
    for (QLineEdit* total : {ui_->EdSubTotal, ui_->MMTax, ui_->EdGrandTotal}) {
        total->setText(QStringLiteral("0"));
    }
    SyncRowCount();
    if (AppWindows::FormPDFBase) {
        AppWindows::FormPDFBase->ApplyPdfSettings(FConfig);
    }
}

void TFormMain::RefreshAll() {
    ShowRows();
    ShowTotals();
    ShowMode(FEstimate.TotalClaimMode);
}

void TFormMain::Activate() {
    if (isMinimized()) {
        showNormal();
    }
    show();
    raise();
    activateWindow();
}

void TFormMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        CentreOnScreen();
        FormShow();
    }
}

// Centred on the desktop; a screen smaller than the window shows its top left corner.
void TFormMain::CentreOnScreen() {
    const QRect available = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const QPoint frameOffset = pos() - frame.topLeft();
    const int left = std::max(available.left(), available.center().x() - frame.width() / 2);
    const int top = std::max(available.top(), available.center().y() - frame.height() / 2);
    move(QPoint(left, top) + frameOffset);
}

void TFormMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Only when the user comes back from elsewhere: a dialog of ours reloads what it shows.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        QApplication::activeModalWidget() == nullptr && shown_) {
        ReloadSharedData();
    }
}

void TFormMain::FormShow() {
    ResetWindow();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    // Only focus changes, keys and the wheel matter here; paints pass untouched.
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::KeyPress &&
        type != QEvent::Wheel) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == ui_->ScrollBoxContent->viewport() && event->type() == QEvent::Wheel) {
        ScrollByWheel(static_cast<QWheelEvent*>(event)->angleDelta().y() /
                      QWheelEvent::DefaultDeltasPerStep);
        return true;
    }
    if (const int row = RowOf(watched); row >= 0) {
        return RowEvent(row, watched, event);
    }
    return HeaderEvent(watched, event) || QMainWindow::eventFilter(watched, event);
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        openDocument_.Close();
        event->accept();
    } else {
        event->ignore();
    }
}

bool TFormMain::FormCloseQuery() {
    if (!FConfig.EXITALERT) {
        return true;
    }
    return Messages::Question(
        this, ApplicationTitle +
                  QStringLiteral(
                      "を終了してもよろしいですか？\r\n（未保存の編集中のデータは失われます。）"));
}

void TFormMain::Exit1Click() {
    close();
}

void TFormMain::About1Click() {
    AppWindows::FormVersion->exec();
}

void TFormMain::N2Click() {
    TFormItemList* window = AppWindows::FormItemList;
    AppWindows::FormItemAdd->SetQualifiedInvoice(FConfig.QUALIFIED_INVOICE);
    AppWindows::FormItemEdit->SetQualifiedInvoice(FConfig.QUALIFIED_INVOICE);
    ReloadSharedData();
    window->Bind(FItemList, FUnitList, folders_.ItemUnitPath(), FConfig.PRINTDECIMAL);
    if (window->exec() == TFormItemList::ResultOK) {
        LoadOrReport([&] {
            FItemList.SaveToFile(folders_.ItemListPath(), AskConflicts(this));
            FUnitList.SaveToFile(folders_.ItemUnitPath(), AskConflicts(this));
        });
    } else {
        LoadOrReport([&] {
            FItemList.LoadFromFile(folders_.ItemListPath());
            FUnitList.LoadFromFile(folders_.ItemUnitPath());
        });
    }
}

void TFormMain::N17Click() {
    AppWindows::FormZipUpdate->exec();
}
