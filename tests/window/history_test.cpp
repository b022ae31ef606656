// Undo and redo of every change to the picture: each step taken back restores both canvases pixel
// for pixel, the strokes kept for export and whether the picture counts as changed; redo replays.

#include "controls/announcer.h"
#include "controls/canvas_pair.h"
#include "controls/option_group.h"
#include "support/program_fixture.h"
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
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
