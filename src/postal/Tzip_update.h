#pragma once

#include <QByteArray>
#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>

#include "ZipUpdate.h"

namespace Ui {
class Tzip_update;
}
class QFileDialog;
class Thread_ZipDL;

// "新しい郵便番号データの取得": shows the installed data, checks the source of conf.ini's
// [ZIPUPDATE] section for newer data and downloads it on a worker thread while the window is
// locked; or installs Japan Post's two files (ken_all.zip and jigyosyo.zip, or their CSVs)
// the user has. The proxy fields are kept in
// "pro.dat".
class Tzip_update : public QDialog {
    Q_OBJECT

  public:
    enum ModalResult { ResultCancel = 2 };

    Tzip_update(const QString& rootFolder, const QString& zipFolder, QWidget* parent = nullptr);
    // A download still running is stopped and waited for; it installs nothing.
    ~Tzip_update() override;

    // Escape and the window manager's close act as the close button, and like it are
    // refused during a download.
    void reject() override;
    bool IsDownloading() const { return !FClosable; }

    // The dialog of the file button: Japan Post's two files, chosen together.
    static std::unique_ptr<QFileDialog> OpenFilesDialog(QWidget* parent);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormShow();
    void ReadLocalVersion();
    void Button1Click();
    void BtnFromFileClick();
    void Btn_CancelClick();
    // Locks the window and runs fetch on the worker thread, then installs what it gives.
    void StartDownload(std::function<ZipUpdate::Payload()> fetch, bool showReason);
    // On the GUI thread, handed over by the worker: the message, then the unlocking.
    void ShowDownloadResult(const QString& message);
    void DownloadDone();
    void SetLocked(bool locked);

    std::unique_ptr<Ui::Tzip_update> ui_;
    QString rootFolder_;
    QString zipFolder_;
    QByteArray FLocalKey;
    QString FLocalDescription;
    bool FClosable = true;
    std::atomic_bool cancel_{false};
    std::unique_ptr<Thread_ZipDL> Thread_ZipDL_;
};
