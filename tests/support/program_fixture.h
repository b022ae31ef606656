#pragma once

// One program under test, the way a user meets it: the assembled main window, its controls, the seam that answers
// its dialogs, and the few actions every area's tests share.

#include "app/program.h"
#include "controls/canvas.h"
#include "support/file_drops.h"
#include "support/scripted_seam.h"
#include "window/main_controls.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

struct ProgramUnderTest {
    ScriptedSeam seam;
    kururie::Program program{seam};
    kururie::MainWindow& window = program.window();
    kururie::MainControls& c = window.controls();

    // The three geometry scroll bars, as a user sets them before pressing 開始.
    void setCurve(int fixCircle, int moveCircle, int penPosition)
    {
        c.hsbFixCircle->setValue(fixCircle);
        c.hsbMoveCircle->setValue(moveCircle);
        c.hsbPenPosition->setValue(penPosition);
    }

    // Shown and active, so that focus changes reach the controls.
    bool showActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
};

// The picture the inner curve 100 / -40 / 10 leaves, drawn in a window never shown.
inline QImage tracedPicture()
{
    ProgramUnderTest p;
    p.setCurve(100, -40, 10);
    p.c.cmdStart->click();
    return p.c.canvas->image();
}

// Runs an action once the event loop has been entered the given number of times, unless `context` is gone by
// then; a running trace enters it three times a step.
inline void afterEventPasses(QObject* context, int passes, std::function<void()> action)
{
    QTimer::singleShot(0, context, [=] { passes > 1 ? afterEventPasses(context, passes - 1, action) : action(); });
}

// The dialogs shown, in order, as "[title] text".
inline QStringList dialogs(const ScriptedSeam& seam)
{
    QStringList shown;
    for (const ScriptedSeam::Shown& s : seam.shown())
        shown << ('[' + s.title + "] " + s.text).trimmed();
    return shown;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
