#pragma once

#include "window/main_window.h"

namespace kururie {

class ClipboardCommands;
class DocumentCommands;
class ExportCommand;
class ModalSeam;

// The main window with everything the program offers wired to it: the File menu, the
// settings-only buttons, file drops and the close question go to the document commands, the
// Edit menu to the clipboard commands and the Help menu to the About box.
class Program {
public:
    explicit Program(ModalSeam& seam);

    MainWindow& window() { return m_window; }
    DocumentCommands& documents() { return *m_documents; }
    ClipboardCommands& clipboard() { return *m_clipboard; }
    ExportCommand& exporting() { return *m_export; }

private:
    void connectFileMenu();
    void connectDrops();

    MainWindow m_window;
    // They belong to the window, as its children.
    DocumentCommands* m_documents;
    ClipboardCommands* m_clipboard;
    ExportCommand* m_export;
};

} // namespace kururie
