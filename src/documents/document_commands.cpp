#include "document_commands.h"

#include "window/main_window.h"

namespace kururie {

DocumentCommands::DocumentCommands(MainWindow& window) : QObject(&window), m_window(window)
{
}

bool DocumentCommands::maybeSave()
{
    return true;
}

} // namespace kururie
