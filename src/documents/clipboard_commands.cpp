#include "clipboard_commands.h"

#include "window/main_window.h"

namespace kururie {

ClipboardCommands::ClipboardCommands(MainWindow& window) : QObject(&window), m_window(window)
{
}

} // namespace kururie
