#include "app/program.h"

#include "about/about_box.h"
#include "controls/canvas.h"
#include "controls/file_drops.h"
#include "documents/clipboard_commands.h"
#include "documents/document_commands.h"
#include "documents/export_command.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

namespace kururie {

Program::Program(ModalSeam& seam)
    : m_window(seam), m_documents(new DocumentCommands(m_window)), m_clipboard(new ClipboardCommands(m_window)),
      m_export(new ExportCommand(m_window))
{
    connectFileMenu();
    connectDrops();
    DocumentCommands* documents = m_documents;
    m_window.setCloseQuestion([documents] { return documents->maybeSave(); });

    const MainControls& c = m_window.controls();
    ClipboardCommands* clipboard = m_clipboard;
    QObject::connect(c.mnuEdit, &QMenu::aboutToShow, clipboard, &ClipboardCommands::editMenuOpened);
    QObject::connect(c.mnuCopy, &QAction::triggered, clipboard, &ClipboardCommands::copy);
    QObject::connect(c.mnuPaste, &QAction::triggered, clipboard, &ClipboardCommands::paste);
    QObject::connect(c.canvas, &Canvas::clicked, clipboard, &ClipboardCommands::canvasClicked);

    MainWindow* window = &m_window;
    QObject::connect(c.mnuAbout, &QAction::triggered, window, [window] { showAboutBox(window->seam(), window); });
}

void Program::connectFileMenu()
{
    const MainControls& c = m_window.controls();
    DocumentCommands* d = m_documents;
    QObject::connect(c.mnuFile, &QMenu::aboutToShow, d, [d] { d->updateSaveEnabled(); });
    QObject::connect(c.mnuFileNew, &QAction::triggered, d, [d] { d->newPicture(); });
    QObject::connect(c.mnuFileOpen, &QAction::triggered, d, [d] { d->open(); });
    QObject::connect(c.mnuFileSave, &QAction::triggered, d, [d] { d->save(); });
    QObject::connect(c.mnuFileSaveAs, &QAction::triggered, d, [d] { d->saveAs(); });
    ExportCommand* e = m_export;
    QObject::connect(c.mnuFileExport, &QAction::triggered, e, [e] { e->exportDrawing(); });
    QObject::connect(c.mnuFileExit, &QAction::triggered, d, [d] { d->exit(); });
    QObject::connect(c.saveSettingsButton, &QPushButton::clicked, d, [d] { d->saveSettingsAlone(); });
    QObject::connect(c.loadSettingsButton, &QPushButton::clicked, d, [d] { d->loadSettingsAlone(); });
}

void Program::connectDrops()
{
    const MainControls& c = m_window.controls();
    DocumentCommands* d = m_documents;
    // A picture dropped on the canvas opens; a file dropped on the window or a frame is read as settings.
    auto* drops = new FileDrops(&m_window);
    for (QWidget* target : {static_cast<QWidget*>(c.canvas), static_cast<QWidget*>(&m_window),
                            static_cast<QWidget*>(c.circleFrame), static_cast<QWidget*>(c.colourFrame),
                            static_cast<QWidget*>(c.speedFrame)})
        drops->watch(target);
    QWidget* canvas = c.canvas;
    QObject::connect(drops, &FileDrops::fileDropped, d, [d, canvas](QWidget* target, const QString& path) {
        if (target == canvas)
            d->dropPicture(path);
        else
            d->applySettingsFile(path);
    });
}

} // namespace kururie
