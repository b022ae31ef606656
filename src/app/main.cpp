#include "window/main_window.h"
#include "window/modal_seam.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kururie"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.kururie.Kururie"));

    kururie::InteractiveModalSeam seam;
    kururie::MainWindow window(seam);
    window.show();
    return QApplication::exec();
}
