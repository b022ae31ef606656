#include "app/japanese_application.h"
#include "app/program.h"
#include "controls/accessible_interfaces.h"
#include "controls/modal_seam.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Before anything asks for the program's description, which Qt then keeps.
    kururie::installAccessibleInterfaces();
    kururie::setUpJapaneseApplication(app);

    kururie::InteractiveModalSeam seam;
    kururie::Program program(seam);
    program.window().show();
    return QApplication::exec();
}
