#include "app/japanese_application.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kururie {

void setUpJapaneseApplication(QCoreApplication& application)
{
    // The class of every window in X's WM_CLASS, which holds Latin-1: the desktop entry's
    // StartupWMClass. The user sees the program's name in the titles, which are never empty.
    QCoreApplication::setApplicationName(QStringLiteral("Kururie"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kururie.Kururie"));

    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto* translator = new QTranslator(&application);
    if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace kururie
