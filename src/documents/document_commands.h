#pragma once

#include <QObject>

namespace kururie {

class MainWindow;

// The File menu: open, save, save as, new and exit, the settings-only commands and file drops.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    explicit DocumentCommands(MainWindow& window);

    // Offers to save a changed picture; false when the window must stay open.
    bool maybeSave();

private:
    MainWindow& m_window;
};

} // namespace kururie
