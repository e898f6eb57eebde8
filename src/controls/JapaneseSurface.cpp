#include "JapaneseSurface.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallJapaneseSurface(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}
