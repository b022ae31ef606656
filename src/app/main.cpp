#include "app/japanese_application.h"
#include "window/main_window.h"
#include "window/modal_seam.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kururie::setUpJapaneseApplication(app);

    kururie::InteractiveModalSeam seam;
    kururie::MainWindow window(seam);
    window.show();
    return QApplication::exec();
}
