#include "TFormMain.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QTabBar>

#include "AmountText.h"
#include "AppWindows.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormVersion.h"
#include "TPngButton.h"
#include "ZipTable.h"
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

    // Commands whose windows come with later parts of the program stay visible but disabled.
    for (QAction* action : {ui_->New1, ui_->Open1, ui_->Save1, ui_->N7, ui_->N2I2, ui_->B2, ui_->R1, ui_->N9,
                            ui_->N10, ui_->PrevItem1, ui_->BackItem1, ui_->N15, ui_->DelData1, ui_->S1, ui_->N3,
                            ui_->N4, ui_->N2, ui_->N17}) {
        action->setEnabled(false);
    }
    for (TPngButton* button : findChildren<TPngButton*>()) {
        button->setEnabled(false);
    }
    FormCreate();
}

TFormMain::~TFormMain() = default;

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
        CopyInstalledZipTable();
    });
    if (QFileInfo::exists(folders_.CustomerPath())) {
        LoadOrReport([&] { FCustomerList.LoadFromFile(folders_.CustomerPath()); });
    }
    if (QFileInfo::exists(folders_.ItemListPath())) {
        LoadOrReport([&] { FItemList.LoadFromFile(folders_.ItemListPath()); });
    }
    if (QFileInfo::exists(folders_.ItemUnitPath())) {
        LoadOrReport([&] { FUnitList.LoadFromFile(folders_.ItemUnitPath()); });
    }
    LoadOrReport([&] { FConfig.LoadFromFile(folders_.ConfPath()); });
    FEstimate.TaxRate = FConfig.TAX;
    LoadOrReport([&] { FCampanyManager.LoadFromFile(folders_.ConfPath()); });
    FCopyItem = TThEstimateObject();
    FSelectedRow = -1;
}

// A new data root gets the table installed with the program, so both lookups work at once.
void TFormMain::CopyInstalledZipTable() {
    const QString target = folders_.ZipFolder() + QLatin1String(ZipTable::FileName);
    const QString installed = ZipTable::InstalledFolder();
    if (QFileInfo::exists(target) || installed.isEmpty()) {
        return;
    }
    for (const char* name : {ZipTable::FileName, ZipTable::VersionFileName}) {
        const QString from = installed + QLatin1String(name);
        const QString to = folders_.ZipFolder() + QLatin1String(name);
        if (QFileInfo::exists(from) && !QFile::copy(from, to)) {
            throw EFileError(QStringLiteral("郵便番号データ「%1」を「%2」にコピーできません。").arg(from, to));
        }
    }
}

QString TFormMain::FormatAmount(bool forTotals, Currency value) const {
    return ::FormatAmount(forTotals, value, FConfig.PRINTDECIMAL);
}

Currency TFormMain::ParseMoney(QStringView text) const { return ::ParseMoney(text); }

void TFormMain::ResetWindow() {
    ui_->PGMain->setCurrentWidget(ui_->TabCustomerInfo);
    FEstimate.TotalClaimMode = false;
    FEstimate.Clear();
    FEstimate.PadLines(TThEstimateObjectList::DefaultLineCount);
    FEstimate.CalcTotal();
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
        FormShow();
    }
}

void TFormMain::FormShow() { ResetWindow(); }

void TFormMain::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
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
        this, ApplicationTitle + QStringLiteral("を終了してもよろしいですか？\r\n（未保存の編集中のデータは失われます。）"));
}

void TFormMain::Exit1Click() { close(); }

void TFormMain::About1Click() { AppWindows::FormVersion->exec(); }
