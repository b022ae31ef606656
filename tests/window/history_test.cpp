// Undo and redo of every change to the picture: each step taken back restores both canvases pixel
// for pixel, the strokes kept for export and whether the picture counts as changed; redo replays.

#include "controls/announcer.h"
#include "controls/canvas_pair.h"
#include "controls/option_group.h"
#include "support/program_fixture.h"
#include "support/recording_host.h"
#include "window/picture_history.h"

#include <QtWidgets>

using namespace kururie;

namespace {

// Everything a step may change, as the user and the exports meet it.
struct Picture {
    QImage visible, backing;
    QByteArray strokes; // the kept points, bit for bit
    std::uint32_t background;
    bool backgroundCommand, changed;
};

struct Drawing : ProgramUnderTest {
    QTemporaryDir folder;

    Picture picture() const
    {
        QByteArray strokes;
        c.backingCanvas->strokes().forEachPoint([&strokes](const StrokePoint& point) {
            strokes.append(reinterpret_cast<const char*>(&point), sizeof point);
        });
        return {c.canvas->image(), c.backingCanvas->image(), strokes, c.canvases->background(),
                c.cmdBkColor->isEnabled(), window.pictureChanged()};
    }

    void run(int move, int pen)
    {
        setCurve(100, move, pen);
        c.cmdStart->click();
    }

    QString heard() const { return window.findChild<Announcer*>()->message(); }

    void saveAs(const QString& path)
    {
        seam.expect(ScriptedSeam::file(path));
        c.mnuFileSaveAs->trigger();
    }

    int undoAll()
    {
        int undone = 0;
        for (; c.mnuUndo->isEnabled(); ++undone)
            c.mnuUndo->trigger();
        return undone;
    }
};

// Field by field, so that a failure says which part differs.
void comparePictures(const Picture& actual, const Picture& expected)
{
    QCOMPARE(actual.visible, expected.visible);
    QCOMPARE(actual.backing, expected.backing);
    QCOMPARE(actual.strokes, expected.strokes);
    QCOMPARE(actual.background, expected.background);
    QCOMPARE(actual.backgroundCommand, expected.backgroundCommand);
    QCOMPARE(actual.changed, expected.changed);
}

using Step = std::function<void(Drawing&)>;

} // namespace

Q_DECLARE_METATYPE(Step)

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void eachStepIsUndoneAndRedone_data()
    {
        QTest::addColumn<Step>("step");
        QTest::newRow("描画") << Step([](Drawing& d) { d.run(40, 20); });
        QTest::newRow("絵を消す") << Step([](Drawing& d) { d.c.cmdClear->click(); });
        QTest::newRow("背景色") << Step([](Drawing& d) {
            d.seam.expect(ScriptedSeam::yes());
            d.seam.expect(ScriptedSeam::colour(QColor(30, 60, 90)));
            d.c.cmdBkColor->click();
        });
        QTest::newRow("貼り付け") << Step([](Drawing& d) {
            QImage pasted(120, 80, QImage::Format_RGB32);
            pasted.fill(QColor(200, 40, 40));
            QGuiApplication::clipboard()->setImage(pasted);
            d.c.mnuPaste->trigger();
        });
    }

    // Undone and redone with what a screen reader hears, back to the start-up picture and no further.
    void eachStepIsUndoneAndRedone()
    {
        QFETCH(Step, step);
        Drawing d;
        d.c.penWidthOptions->button(2)->click();
        d.run(-40, 10);
        const Picture before = d.picture();
        step(d);
        const Picture after = d.picture();
        QCOMPARE(d.c.mnuRedo->isEnabled(), false);
        d.c.mnuUndo->trigger();
        comparePictures(d.picture(), before);
        QCOMPARE(d.heard(), QStringLiteral("元に戻しました: ") + QTest::currentDataTag());
        d.c.mnuRedo->trigger();
        comparePictures(d.picture(), after);
        QCOMPARE(d.heard(), QStringLiteral("やり直しました: ") + QTest::currentDataTag());
        d.c.mnuUndo->trigger();
        d.c.mnuUndo->trigger();
        QCOMPARE(d.c.mnuUndo->isEnabled(), false);
        QCOMPARE(d.picture().strokes.isEmpty(), true);
        QCOMPARE(d.window.pictureChanged(), false);
    }

    // The shortcuts reach the menu items without the menu being opened.
    void shortcuts()
    {
        Drawing d;
        QVERIFY(d.showActive());
        const Picture blank = d.picture();
        d.run(-40, 10);
        const Picture drawn = d.picture();
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier);
        comparePictures(d.picture(), blank);
        QTest::keyClick(&d.window, Qt::Key_Y, Qt::ControlModifier);
        comparePictures(d.picture(), drawn);
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&d.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        comparePictures(d.picture(), drawn);
    }

    void undoneBackToTheFile_data()
    {
        QTest::addColumn<bool>("opened"); // else saved
        QTest::newRow("opened") << true;
        QTest::newRow("saved") << false;
    }

    // Undone back to what its file holds, the picture counts as unchanged; undone past a save, to a picture the
    // file no longer holds, as changed.
    void undoneBackToTheFile()
    {
        QFETCH(bool, opened);
        Drawing d;
        const QString path = d.folder.filePath("star.bmp");
        d.run(-40, 10);
        d.saveAs(path);
        if (opened) {
            d.seam.expect(ScriptedSeam::file(path));
            d.c.mnuFileOpen->trigger();
        }
        QCOMPARE(d.c.mnuUndo->isEnabled(), !opened);
        d.c.cmdClear->click();
        d.run(40, 20);
        d.c.mnuUndo->trigger();
        QCOMPARE(d.window.pictureChanged(), false); // cleared: nothing to lose
        d.c.mnuUndo->trigger();
        QCOMPARE(d.window.pictureChanged(), false); // the file's picture
        d.c.mnuRedo->trigger();
        d.c.mnuRedo->trigger();
        d.saveAs(path);
        d.c.mnuUndo->trigger();
        d.c.mnuUndo->trigger();
        QCOMPARE(d.window.pictureChanged(), true); // written over since
    }

    // A step made after an undo drops the steps undone; New, Open and a dropped picture start anew.
    void newStepsAndNewDocuments_data()
    {
        QTest::addColumn<int>("kept"); // steps left to undo
        QTest::newRow("a step") << 2;
        QTest::newRow("mnuFileNew") << 0;
        QTest::newRow("mnuFileOpen") << 0;
        QTest::newRow("a drop") << 0;
    }

    void newStepsAndNewDocuments()
    {
        const QString row = QTest::currentDataTag();
        Drawing d;
        const QString path = d.folder.filePath("star.bmp");
        QVERIFY(d.c.canvas->image().save(path));
        d.run(-40, 10);
        d.run(40, 20);
        d.c.mnuUndo->trigger();
        d.seam.expect({ScriptedSeam::no(), ScriptedSeam::file(path)});
        if (row == "a step")
            d.c.cmdClear->click();
        else if (row == "a drop")
            QVERIFY(dropFiles(d.c.canvas, {path}));
        else
            d.window.findChild<QAction*>(row)->trigger();
        QCOMPARE(d.c.mnuRedo->isEnabled(), false);
        QTEST(d.undoAll(), "kept");
    }

    // While a run draws, and while it is paused, the run is the step being made: neither is offered. A clear while
    // paused is a step of its own, undone first, then the run in its two parts.
    void notDuringARun()
    {
        Drawing d;
        d.setCurve(100, -40, 10);
        QList<bool> offered;
        afterEventPasses(&d.window, 30, [&] {
            offered << d.c.mnuUndo->isEnabled() << d.c.mnuRedo->isEnabled();
            d.c.cmdPause->click();
        });
        d.c.cmdStart->click();
        offered << d.c.mnuUndo->isEnabled();
        d.c.cmdClear->click();
        offered << d.c.mnuUndo->isEnabled();
        d.c.cmdPause->click();
        offered << d.c.mnuUndo->isEnabled();
        QCOMPARE(offered, QList<bool>({false, false, false, false, true}));
        QStringList heard;
        for (int i = 0; i < 3; ++i) {
            d.c.mnuUndo->trigger();
            heard << d.heard();
        }
        QCOMPARE(heard, QStringList({"元に戻しました: 描画", "元に戻しました: 絵を消す", "元に戻しました: 描画"}));
    }

    // At least fifty steps back, and no more kept than that.
    void fiftyStepsBack()
    {
        Drawing d;
        for (int i = 0; i < 60; ++i)
            d.c.cmdClear->click();
        QCOMPARE(d.undoAll(), int(PictureHistory::kMostSteps));
    }

    // Fifty runs of the longest curve, each in a colour of its own, keep their pictures in far less than 40 MB
    // beside the strokes.
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
            d.window.history().record(QStringLiteral("描画"));
        }
        const std::size_t imageBytes = d.window.history().imageBytes();
        qInfo("history of 50 longest runs: %.1f MB of images", imageBytes / 1048576.0);
        QCOMPARE_LT(imageBytes, std::size_t(40) << 20);
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
