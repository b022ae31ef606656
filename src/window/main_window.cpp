#include "window/main_window.h"

#include "controls/accessible_interfaces.h"
#include "controls/announcer.h"
#include "controls/canvas.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/fixed_window.h"
#include "controls/focus_ring.h"
#include "controls/option_group.h"
#include "controls/program_icon.h"
#include "controls/program_name.h"
#include "controls/state_check_box.h"
#include "window/colour_commands.h"
#include "window/main_layout.h"
#include "window/picture_clearing.h"
#include "window/picture_history.h"
#include "window/run_control.h"
#include "window/settings_panel.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace kururie {

MainWindow::MainWindow(ModalSeam& seam, QWidget* parent) : QMainWindow(parent), m_seam(seam)
{
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    QFont face = font();
    // The layout was drawn for a 9-point Japanese UI face; IPA P Gothic keeps its proportions.
    face.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic")});
    face.setPointSize(9);
    setFont(face);

    buildControls(*this, seam, m_controls);
    buildMenus(*this, m_controls);
    new FocusRing(*centralWidget());
    m_announcer = new Announcer(centralWidget());
    m_runControl = new RunControl(*this);
    m_settingsPanel = new SettingsPanel(*this);
    m_colourCommands = new ColourCommands(*this);
    m_pictureClearing = new PictureClearing(*this);
    m_history = new PictureHistory(*this);
    connectHandlers();
    connectHistory();
    startUp();
    m_history->startAfresh(false);
    // The interior is fixed; the menu bar sits above it.
    setFixedSize(sizeHint());
    keepFixedSize(*this);
}

void MainWindow::connectHandlers()
{
    MainControls& c = m_controls;
    RunControl* run = m_runControl;
    connect(c.cmdStart, &QPushButton::clicked, run, &RunControl::cmdStartClick);
    connect(c.cmdPause, &QPushButton::clicked, run, &RunControl::cmdPauseClick);
    connect(run, &RunControl::traceReturned, this, [this] {
        if (m_closeAfterTrace)
            close();
    });

    // Enter presses the start button, unless the focus is on another push button, which it presses.
    for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            (focused ? focused : m_controls.cmdStart)->click();
        });
    }

    SettingsPanel* panel = m_settingsPanel;
    connect(c.hsbFixCircle, &QScrollBar::valueChanged, panel, [panel] { panel->refreshFixedCircle(false); });
    connect(c.hsbMoveCircle, &QScrollBar::valueChanged, panel, [panel] { panel->refreshRollingCircle(false); });
    connect(c.hsbPenPosition, &QScrollBar::valueChanged, panel, [panel] { panel->refreshPenPosition(false); });
    connect(c.previewButton, &QPushButton::clicked, panel, &SettingsPanel::togglePreview);
    connect(c.ckPenPosition, &QCheckBox::stateChanged, panel, &SettingsPanel::ckPenPositionClick);

    ColourCommands* colours = m_colourCommands;
    connect(c.cmdBkColor, &QPushButton::clicked, colours, &ColourCommands::cmdBkColorClick);
    connect(c.cmdPenColor, &QPushButton::clicked, colours, &ColourCommands::cmdPenColorClick);
    connect(c.ckPenColor, &QCheckBox::stateChanged, colours, &ColourCommands::ckPenColorClick);
    connect(c.penWidthOptions, &OptionGroup::clicked, colours, &ColourCommands::opPenWidthClick);

    connect(c.cmdClear, &QPushButton::clicked, m_pictureClearing, &PictureClearing::cmdClearClick);
    connect(c.canvas, &Canvas::pictureChanged, this, [this] { m_pictureChanged = true; });
}

void MainWindow::connectHistory()
{
    PictureHistory* history = m_history;
    connect(m_controls.mnuUndo, &QAction::triggered, history, &PictureHistory::undo);
    connect(m_controls.mnuRedo, &QAction::triggered, history, &PictureHistory::redo);
    connect(history, &PictureHistory::changed, this, &MainWindow::updateUndoRedo);
    connect(m_runControl, &RunControl::changed, this, &MainWindow::updateUndoRedo);
    connect(m_runControl, &RunControl::traceReturned, history, [history] { history->record(QStringLiteral("描画")); });
}

void MainWindow::updateUndoRedo()
{
    const bool between = !m_runControl->isTracing() && m_runControl->state() == RunControl::State::Idle;
    m_controls.mnuUndo->setEnabled(between && m_history->canUndo());
    m_controls.mnuRedo->setEnabled(between && m_history->canRedo());
}

void MainWindow::startUp()
{
    MainControls& c = m_controls;
    m_settingsPanel->writeStartUpLabels();
    c.speedOptions->setValue(1, true);
    c.speedOptions->setValue(2, false);
    c.canvases->chooseBackground(0xFFFFFF);
    c.cmdPenColor->setEnabled(true);
    c.penColourSwatch->setBackColor(0);
    c.ckPenColor->setValue(0);
    c.canvases->paintBackground();
    setWindowTitle(kProgramName);
    c.cmdPause->setEnabled(false);
    c.cmdBkColor->setEnabled(true);
}

void MainWindow::announce(const QString& message)
{
    m_announcer->announce(message);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window must outlive a trace running inside one of its handlers: ask it to stop and
    // close once it has returned.
    if (m_runControl->isTracing()) {
        m_closeAfterTrace = true;
        m_runControl->stopRun();
        event->ignore();
        return;
    }
    m_closeAfterTrace = false;
    if (!m_mayClose || m_mayClose())
        event->accept();
    else
        event->ignore();
}

} // namespace kururie
