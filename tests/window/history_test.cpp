// Undo and redo of every change to the picture: each step taken back restores both canvases pixel
// for pixel, the strokes kept for export and whether the picture counts as changed; redo replays.

#include "controls/announcer.h"
#include "controls/canvas_pair.h"
#include "controls/colour_swatch.h"
#include "controls/option_group.h"
#include "documents/document_commands.h"
#include "support/program_fixture.h"
#include "support/recording_host.h"
#include "window/picture_history.h"

#include <QtWidgets>

#include <vector>

using namespace kururie;

namespace {

// Everything a step may change, as the user and the exports meet it.
struct Picture {
    QImage visible;
    QImage backing;
    std::vector<std::uint32_t> strokes; // each point's coordinates' bits and its style, in order
    std::uint32_t background;
    bool backgroundCommand;
    bool changed;

    bool operator==(const Picture& other) const
    {
        return visible == other.visible && backing == other.backing && strokes == other.strokes
               && background == other.background && backgroundCommand == other.backgroundCommand
               && changed == other.changed;
    }
};

char* toString(const Picture& p)
{
    return QTest::toString(QStringLiteral("%1 stroke words, background %2 (%3), %4").arg(p.strokes.size())
                               .arg(p.background).arg(p.backgroundCommand ? "on" : "off")
                               .arg(p.changed ? "changed" : "unchanged"));
}

struct Drawing : ProgramUnderTest {
    QTemporaryDir folder;
    PictureHistory& history = window.history();

    Picture picture() const
    {
        std::vector<std::uint32_t> strokes;
        c.backingCanvas->strokes().forEachPoint([&strokes](const StrokePoint& point) {
            strokes.insert(strokes.end(), {qFloatToUint(point.x), qFloatToUint(point.y), point.style});
        });
        return {c.canvas->image(), c.backingCanvas->image(), strokes, c.canvases->background(),
                c.cmdBkColor->isEnabled(), window.pictureChanged()};
    }

    void run(int fix, int move, int pen)
    {
        setCurve(fix, move, pen);
        c.cmdStart->click();
    }

    static quint32 qFloatToUint(float value)
    {
        quint32 bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }

    void step(const QString& kind)
    {
        if (kind == "描画") {
            run(100, 40, 20);
        } else if (kind == "絵を消す") {
            c.cmdClear->click();
        } else if (kind == "背景色") {
            seam.expect(ScriptedSeam::yes());
            seam.expect(ScriptedSeam::colour(QColor(30, 60, 90)));
            c.cmdBkColor->click();
        } else if (kind == "貼り付け") {
            QImage pasted(120, 80, QImage::Format_RGB32);
            pasted.fill(QColor(200, 40, 40));
            QGuiApplication::clipboard()->setImage(pasted);
            c.mnuPaste->trigger();
        }
    }

    QString heard() const { return window.findChild<Announcer*>()->message(); }
};

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void eachStepIsUndoneAndRedone_data()
    {
        QTest::addColumn<QString>("step");
        for (const char* step : {"描画", "絵を消す", "背景色", "貼り付け"})
            QTest::newRow(step) << QString::fromUtf8(step);
    }

    void eachStepIsUndoneAndRedone()
    {
        QFETCH(QString, step);
        Drawing d;
        d.c.penWidthOptions->setValue(2, true);
        d.run(100, -40, 10);
        const Picture before = d.picture();
        d.step(step);
        const Picture after = d.picture();
        QVERIFY(!(after == before));
        QVERIFY(d.c.mnuUndo->isEnabled());
        QVERIFY(!d.c.mnuRedo->isEnabled());
        d.c.mnuUndo->trigger();
        QCOMPARE(d.picture(), before);
        QCOMPARE(d.heard(), "元に戻しました: " + step);
        QVERIFY(d.c.mnuRedo->isEnabled());
        d.c.mnuRedo->trigger();
        QCOMPARE(d.picture(), after);
        QCOMPARE(d.heard(), "やり直しました: " + step);
        // Back to the start-up picture, and no further.
        d.c.mnuUndo->trigger();
        d.c.mnuUndo->trigger();
        QVERIFY(!d.c.mnuUndo->isEnabled());
        QCOMPARE(d.picture().strokes.size(), std::size_t(0));
        QVERIFY(!d.window.pictureChanged());
    }

    // The shortcuts reach the menu items without the menu being opened.
    void shortcuts()
    {
        Drawing d;
        QVERIFY(d.showActive());
        const Picture blank = d.picture();
        d.run(100, -40, 10);
        const Picture drawn = d.picture();
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(d.picture(), blank);
        QTest::keyClick(&d.window, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(d.picture(), drawn);
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(d.picture(), drawn);
    }

    void undoneBackToTheFile_data()
    {
        QTest::addColumn<bool>("opened"); // else saved
        QTest::newRow("opened") << true;
        QTest::newRow("saved") << false;
    }

    // Undone back to what its file holds, the picture counts as unchanged; undone past a save, to a
    // picture the file no longer holds, as changed.
    void undoneBackToTheFile()
    {
        QFETCH(bool, opened);
        Drawing d;
        const QString path = d.folder.filePath("star.bmp");
        d.run(100, -40, 10);
        d.seam.expect(ScriptedSeam::file(path));
        d.c.mnuFileSaveAs->trigger();
        if (opened) {
            d.seam.expect(ScriptedSeam::file(path));
            d.c.mnuFileOpen->trigger();
            QVERIFY(!d.c.mnuUndo->isEnabled());
        }
        d.c.cmdClear->click();
        d.run(100, 40, 20);
        QVERIFY(d.window.pictureChanged());
        d.c.mnuUndo->trigger();
        QVERIFY(!d.window.pictureChanged()); // cleared: nothing to lose
        d.c.mnuUndo->trigger();
        QVERIFY(!d.window.pictureChanged()); // the file's picture
        d.c.mnuRedo->trigger();
        d.c.mnuRedo->trigger();
        d.seam.expect(ScriptedSeam::file(path));
        d.c.mnuFileSaveAs->trigger();
        QVERIFY(!d.window.pictureChanged());
        d.c.mnuUndo->trigger();
        d.c.mnuUndo->trigger();
        QVERIFY(d.window.pictureChanged()); // written over since
    }

    // A step made after an undo drops the steps undone; New, Open and a dropped picture start anew.
    void newStepsAndNewDocuments()
    {
        Drawing d;
        d.run(100, -40, 10);
        d.run(100, 40, 20);
        d.c.mnuUndo->trigger();
        QVERIFY(d.c.mnuRedo->isEnabled());
        d.c.cmdClear->click();
        QVERIFY(!d.c.mnuRedo->isEnabled());
        const QString path = d.folder.filePath("star.bmp");
        QVERIFY(d.c.canvas->image().save(path));
        for (const QString how : {"New", "Open", "drop"}) {
            d.run(100, -40, 10);
            d.seam.expect(ScriptedSeam::no());
            if (how == "New") {
                d.c.mnuFileNew->trigger();
            } else if (how == "Open") {
                d.seam.expect(ScriptedSeam::file(path));
                d.c.mnuFileOpen->trigger();
            } else {
                QVERIFY(dropFiles(d.c.canvas, {path}));
            }
            QVERIFY2(!d.c.mnuUndo->isEnabled(), qPrintable(how));
            QVERIFY2(!d.c.mnuRedo->isEnabled(), qPrintable(how));
        }
    }

    // While a run draws, and while it is paused, the run is the step being made: neither is offered.
    void notDuringARun()
    {
        Drawing d;
        d.run(100, -40, 10);
        QList<bool> offered;
        afterEventPasses(&d.window, 30, [&] {
            offered << d.c.mnuUndo->isEnabled();
            d.c.cmdPause->click();
        });
        d.setCurve(100, 40, 20);
        d.c.cmdStart->click();
        offered << d.c.mnuUndo->isEnabled();
        d.c.cmdClear->click(); // a step of its own while paused
        offered << d.c.mnuUndo->isEnabled();
        d.c.cmdPause->click();
        offered << d.c.mnuUndo->isEnabled();
        QCOMPARE(offered, QList<bool>({false, false, false, true}));
        // The clear while paused is undone first, then the run in its two parts.
        for (const QString step : {"描画", "絵を消す", "描画"}) {
            d.c.mnuUndo->trigger();
            QCOMPARE(d.heard(), "元に戻しました: " + step);
        }
    }

    // At least fifty steps back, and no more kept than that.
    void fiftyStepsBack()
    {
        Drawing d;
        for (int i = 0; i < 60; ++i)
            d.c.cmdClear->click();
        int undone = 0;
        while (d.c.mnuUndo->isEnabled()) {
            d.c.mnuUndo->trigger();
            ++undone;
        }
        QCOMPARE(undone, int(PictureHistory::kMostSteps));
    }

    // Fifty runs of the longest curve, each in a colour of its own, keep their pictures in far less
    // than 40 MB beside the strokes.
    void fiftyLongestRunsFitTheBound()
    {
        RecordingHost longest(200, 103, 10);
        longest.trace();
        QCOMPARE(longest.segments.size(), 72001);
        Drawing d;
        for (int run = 0; run < 50; ++run) {
            const std::uint32_t colour = std::uint32_t(run * 5 + 256 * (255 - run * 5));
            for (const Segment& segment : longest.segments) {
                d.c.backingCanvas->drawSegment(segment, colour);
                d.c.canvas->drawSegment(segment, colour);
            }
            d.c.canvas->setPicture(d.c.backingCanvas->image());
            d.history.record(QStringLiteral("描画"));
        }
        const std::size_t imageBytes = d.history.imageBytes();
        qInfo("history of 50 longest runs: %.1f MB of images, %.1f MB of strokes", imageBytes / 1048576.0,
              d.c.backingCanvas->strokes().bytesHeld() / 1048576.0);
        QCOMPARE_LT(imageBytes, std::size_t(40) << 20);
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
