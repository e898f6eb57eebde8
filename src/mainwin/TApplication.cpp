#include "TApplication.h"

#include <new>

#include "Exception.h"
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
    } catch (...) {
        Messages::Error(activeWindow(), UncaughtErrorText(std::current_exception()));
    }
    return false;
}

QString TApplication::UncaughtErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EModelError& modelError) {
        return modelError.message();
    } catch (const pdf::Exception&) {
        return QStringLiteral("PDFファイルを作成できませんでした。");
    } catch (const std::bad_alloc&) {
        return OutOfMemoryText;
    } catch (...) {
        return QStringLiteral("内部エラーのため、処理を中止しました。");
    }
}
