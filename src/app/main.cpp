#include "app/command_line.h"
#include "app/japanese_application.h"
#include "app/program.h"
#include "controls/accessible_interfaces.h"
#include "controls/modal_seam.h"
#include "documents/document_commands.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    kururie::CommandLine commandLine(argc, argv);
    if (commandLine.request() != kururie::CommandLine::Request::Start)
        return commandLine.answer();

    QApplication app(commandLine.qtArgc(), commandLine.qtArgv());
    // Before anything asks for the program's description, which Qt then keeps.
    kururie::installAccessibleInterfaces();
    kururie::setUpJapaneseApplication(app);

    kururie::InteractiveModalSeam seam;
    kururie::Program program(seam);
    program.window().show();
    // Once the window shows, so that a file that cannot be opened is reported over it.
    if (!commandLine.file().isEmpty())
        program.documents().openFile(commandLine.file());
    return QApplication::exec();
}
