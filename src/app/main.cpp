#include <QIcon>

#include "AppWindows.h"
#include "DataFolders.h"
#include "DataLock.h"
#include "DataRootChoice.h"
#include "DocumentTransferCommands.h"
#include "Messages.h"
#include "ModelError.h"
#include "SingleInstance.h"
#include "TApplication.h"
#include "TFormMain.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // Installed, the menu entry and the icon carry the application id; from the build tree
    // there is no icon theme entry and the windows keep Qt's default.
    QGuiApplication::setDesktopFileName(QStringLiteral(DORVANI4_APP_ID));
    const QIcon icon = QIcon::fromTheme(QStringLiteral(DORVANI4_APP_ID));
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }
    // A lock left by a copy that ended without removing it is taken over; the user is told
    // whose it was. Locks are also taken by the download thread, so the message goes through
    // the event loop of the window's thread.
    DataLock::SetTakeOverNotice([](const std::optional<CopyOwner>& previous) {
        const QString text = DataLock::TakeOverText(previous);
        QMetaObject::invokeMethod(
            qApp, [text] { Messages::Information(QApplication::activeWindow(), text); },
            Qt::QueuedConnection);
    });
    // One window per data folder: a second folder on this PC gets a window of its own.
    const QString root = DataRootChoice::RootAtStart();
    if (root.isEmpty()) {
        return 0;  // the chosen folder is not there and the user quit
    }
    SingleInstance instance(TFormMain::ApplicationTitle, root);
    try {
        if (!instance.Claim()) {
            return 0;  // the running program came forward
        }
    } catch (const EModelError& error) {
        Messages::Error(nullptr, error.message());
        return 1;
    }
    // The windows are made before the event loop, outside TApplication::notify: an error
    // here, allocation failures included, is shown the same way and ends the start.
    try {
        AppWindows::Create(DataFolders(root));
    } catch (...) {
        Messages::Error(nullptr, TApplication::UncaughtErrorText(std::current_exception()));
        return 1;
    }
    QObject::connect(&instance, &SingleInstance::activateRequested, AppWindows::FormMain,
                     &TFormMain::Activate);
    AppWindows::FormMain->show();
    DocumentTransferCommands::SettleUnfinishedRestore(AppWindows::FormMain,
                                                      AppWindows::FormMain->DataFolder());
    const int status = app.exec();
    AppWindows::Destroy();
    return status;
}
