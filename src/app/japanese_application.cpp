#include "japanese_application.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kururie {

void setUpJapaneseApplication(QCoreApplication& application)
{
    // The window system shows this name wherever a window's own title is empty, as the
    // refusal box's is.
    QCoreApplication::setApplicationName(QStringLiteral("くるりえ"));
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
