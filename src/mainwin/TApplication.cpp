#include "TApplication.h"

#include <exception>

#include "FontSubstitutions.h"
#include "JapaneseSurface.h"
#include "Messages.h"
#include "ModelError.h"
#include "TFormMain.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("dorvani4"));
    setApplicationDisplayName(TFormMain::ApplicationTitle);
    setApplicationVersion(QStringLiteral(DORVANI4_VERSION));
    InstallJapaneseSurface(*this);
    InstallFontSubstitutions();
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EModelError& error) {
        Messages::Error(activeWindow(), error.message());
    } catch (const std::exception& error) {
        Messages::Error(activeWindow(), QString::fromLocal8Bit(error.what()));
    }
    return false;
}
