#pragma once

#include "engine/trace_state.h"
#include "window/main_controls.h"

#include <QMainWindow>

#include <functional>

namespace kururie {

class Announcer;
class ColourCommands;
class ModalSeam;
class PictureClearing;
class PictureHistory;
class RunControl;
class SettingsPanel;

// The main window: the canvas pair, the settings panel, the run buttons and the menus.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(ModalSeam& seam, QWidget* parent = nullptr);

    MainControls& controls() { return m_controls; }
    TraceState& traceState() { return m_trace; }
    ModalSeam& seam() { return m_seam; }

    // Whether the picture has changed since it was last cleared, created or opened.
    bool pictureChanged() const { return m_pictureChanged; }
    void setPictureChanged(bool changed) { m_pictureChanged = changed; }

    RunControl& runControl() { return *m_runControl; }
    SettingsPanel& settingsPanel() { return *m_settingsPanel; }
    PictureClearing& pictureClearing() { return *m_pictureClearing; }
    PictureHistory& history() { return *m_history; }

    // Tells a screen reader without moving the focus.
    void announce(const QString& message);

    // Asked before the window closes, once no trace runs inside it; false keeps the window open.
    void setCloseQuestion(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void startUp();
    void connectHandlers();
    void connectHistory();
    // Undo and redo are offered when there is a step to take and no run is going or paused: the
    // run is the step being made.
    void updateUndoRedo();

    ModalSeam& m_seam;
    MainControls m_controls;
    TraceState m_trace;
    bool m_pictureChanged = false;
    bool m_closeAfterTrace = false;
    // The window's behaviours belong to it as its children, and each handler is connected with
    // its behaviour as context, so that none outlives it.
    RunControl* m_runControl = nullptr;
    SettingsPanel* m_settingsPanel = nullptr;
    ColourCommands* m_colourCommands = nullptr;
    PictureClearing* m_pictureClearing = nullptr;
    PictureHistory* m_history = nullptr;
    std::function<bool()> m_mayClose;
    Announcer* m_announcer = nullptr;
};

} // namespace kururie
