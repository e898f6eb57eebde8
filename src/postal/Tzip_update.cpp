#include "Tzip_update.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QRegularExpressionValidator>

#include "Cp932.h"
#include "Messages.h"
#include "SaveFile.h"
#include "Thread_ZipDL.h"
#include "ZipTable.h"
#include "ui_Tzip_update.h"

Tzip_update::Tzip_update(const QString& rootFolder, const QString& zipFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::Tzip_update>()),
      rootFolder_(rootFolder),
      zipFolder_(zipFolder) {
    ui_->setupUi(this);
    setFixedSize(size());
    QFont dataFont = ui_->Edit1->font();
    dataFont.setPixelSize(16);
    ui_->Edit1->setFont(dataFont);
    QFont panelFont = ui_->Panel1->font();
    panelFont.setPixelSize(19);
    ui_->Panel1->setFont(panelFont);
    ui_->Panel1->hide();
    for (QLineEdit* field : {ui_->LabeledEdit1, ui_->LabeledEdit2}) {
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    ui_->LabeledEdit2->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    const std::pair<TPngButton*, QPushButton*> buttons[] = {
        {ui_->pngBtnUpdateZip, ui_->Button1},
        {ui_->pngBtnFromFile, ui_->BtnFromFile},
        {ui_->pngBtnCancel, ui_->Btn_Cancel},
    };
    for (const auto& [picture, standard] : buttons) {
        standard->hide();
        picture->SetStandardButton(standard);
    }
    connect(ui_->Button1, &QPushButton::clicked, this, &Tzip_update::Button1Click);
    connect(ui_->BtnFromFile, &QPushButton::clicked, this, &Tzip_update::BtnFromFileClick);
    connect(ui_->Btn_Cancel, &QPushButton::clicked, this, &Tzip_update::Btn_CancelClick);
}

Tzip_update::~Tzip_update() {
    if (Thread_ZipDL_) {
        cancel_ = true;
        // The worker may be handing a result over right now; deliver it, so that neither
        // side waits for the other.
        while (!Thread_ZipDL_->wait(20)) {
            QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        }
    }
}

void Tzip_update::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void Tzip_update::FormShow() {
    FClosable = true;
    // Japan Post's two addresses may be wider than the line; the tip shows them whole.
    const QString source =
        ZipUpdate::Settings::Load(rootFolder_ + QStringLiteral("conf.ini")).Description();
    ui_->LblSource->setText(source);
    ui_->LblSource->setToolTip(source);
    ReadLocalVersion();
    const ZipUpdate::ProxyFields proxy = ZipUpdate::ReadProxyFile(rootFolder_);
    ui_->LabeledEdit1->setText(proxy.Host);
    ui_->LabeledEdit2->setText(proxy.Port);
}

void Tzip_update::ReadLocalVersion() {
    try {
        const QByteArray version = ReadWholeFile(
            zipFolder_ + QLatin1String(ZipTable::VersionFileName), ZipTable::MaxVersionBytes);
        FLocalKey = ZipUpdate::FirstLine(version);
        const QByteArray rest = version.mid(FLocalKey.size());
        FLocalDescription =
            Cp932::decode(ZipUpdate::FirstLine(rest.mid(rest.startsWith("\r\n") ? 2 : 1)));
        ui_->Edit1->setText(FLocalDescription);
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
}

void Tzip_update::Button1Click() {
    const QString host = ui_->LabeledEdit1->text().trimmed();
    const int port = ZipUpdate::ProxyPort(ui_->LabeledEdit2->text());
    if (port == 0) {
        ui_->LabeledEdit2->clear();
    }
    ZipUpdate::Settings settings;
    ZipUpdate::CheckResult result = ZipUpdate::CheckFailed;
    try {
        settings = ZipUpdate::Settings::Load(rootFolder_ + QStringLiteral("conf.ini"));
        const HttpClient client(host, port, ZipUpdate::CheckLimits);
        result = ZipUpdate::Compare(FLocalKey, ZipUpdate::Updater(settings, client).RemoteKey());
    } catch (const EModelError&) {
        result = ZipUpdate::CheckFailed;
    }
    if (result == ZipUpdate::CheckFailed) {
        Messages::Information(this, ZipUpdate::CheckFailedMessage);
        return;
    }
    if (result == ZipUpdate::NoUpdate) {
        Messages::Information(this, ZipUpdate::NoUpdateMessage);
        return;
    }
    if (Messages::Question(this, ZipUpdate::UpdateQuestion)) {
        StartDownload(
            [settings, host, port, this] {
                HttpClient client(host, port, ZipUpdate::DownloadLimits);
                client.SetCancelFlag(&cancel_);
                return ZipUpdate::Updater(settings, client).Download();
            },
            false);
    }
    ReadLocalVersion();
}

std::unique_ptr<QFileDialog> Tzip_update::OpenFilesDialog(QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(
        parent, QStringLiteral("日本郵便の郵便番号データを開く（ken_all.zip と jigyosyo.zip）"));
    dialog->setNameFilter(QStringLiteral("郵便番号データ (*.zip *.ZIP *.csv *.CSV)"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // Both files at once; the update tells them apart by their content.
    dialog->setFileMode(QFileDialog::ExistingFiles);
    return dialog;
}

void Tzip_update::BtnFromFileClick() {
    const std::unique_ptr<QFileDialog> dialog = OpenFilesDialog(this);
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        StartDownload([paths = dialog->selectedFiles()] { return ZipUpdate::FromFiles(paths); },
                      true);
    }
}

void Tzip_update::StartDownload(std::function<ZipUpdate::Payload()> fetch, bool showReason) {
    // The last worker has handed everything over and is about to end.
    if (Thread_ZipDL_) {
        Thread_ZipDL_->wait();
    }
    SetLocked(true);
    cancel_ = false;
    Thread_ZipDL_ = std::make_unique<Thread_ZipDL>([this, fetch, showReason] {
        QString message = ZipUpdate::SucceededMessage;
        try {
            const std::unique_ptr<DataLock> lock = ZipUpdate::LockForUpdate(rootFolder_);
            const ZipUpdate::Payload payload = fetch();
            // Quitting while the transfer ran: the old table stays.
            if (cancel_) {
                return;
            }
            ZipUpdate::Install(zipFolder_, payload);
        } catch (const ELockBusy& busy) {
            message = busy.message();
        } catch (const EModelError& error) {
            message = showReason ? error.message() : ZipUpdate::DownloadFailedMessage;
        }
        if (cancel_) {
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, message] { ShowDownloadResult(message); }, Qt::BlockingQueuedConnection);
        QMetaObject::invokeMethod(
            this, [this] { DownloadDone(); }, Qt::BlockingQueuedConnection);
    });
    Thread_ZipDL_->start();
}

void Tzip_update::ShowDownloadResult(const QString& message) {
    if (!cancel_) {
        Messages::Information(this, message);
    }
}

void Tzip_update::DownloadDone() {
    if (cancel_) {
        return;
    }
    ReadLocalVersion();
    SetLocked(false);
}

void Tzip_update::SetLocked(bool locked) {
    FClosable = !locked;
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_->LabeledEdit1, ui_->LabeledEdit2, ui_->Btn_Cancel,
                                         ui_->Button1, ui_->BtnFromFile}) {
        control->setEnabled(!locked);
    }
    ui_->Panel1->setVisible(locked);
    if (locked) {
        ui_->Panel1->raise();
    }
}

void Tzip_update::Btn_CancelClick() {
    try {
        ZipUpdate::WriteProxyFile(rootFolder_,
                                  {ui_->LabeledEdit1->text(), ui_->LabeledEdit2->text()});
    } catch (const EModelError& error) {
        Messages::Error(this, error.message());
    }
    close();
}

void Tzip_update::reject() {
    if (FClosable) {
        Btn_CancelClick();
    }
}

void Tzip_update::closeEvent(QCloseEvent* event) {
    if (!FClosable) {
        event->ignore();
        return;
    }
    done(ResultCancel);
    event->accept();
}
