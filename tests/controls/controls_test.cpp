// The controls the window stands on: the canvas's contents, taken as one value and put back as an undo
// does, the focus a geometry scroll bar is given, and what a screen reader hears of the scroll bars, the
// controls and the colours.

#include "controls/colour_words.h"
#include "controls/packed_colour.h"
#include "support/program_fixture.h"
#include "window/settings_panel.h"

#include <QAccessible>

using namespace kururie;

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    // Put back, the image, the picture, the background colour and the strokes return, and the
    // picture counts as replaced; a background colour set since had started the strokes afresh.
    void canvasContentsComeBack()
    {
        Canvas canvas(QStringLiteral("canvas"), 0, nullptr);
        canvas.setInteriorSize({400, 400});
        canvas.keepStrokes();
        canvas.drawSegment({10, 10, 200, 30}, 0xFF);
        canvas.setPicture(QImage(100, 50, QImage::Format_RGB32));
        canvas.drawSegment({10, 10, 200, 30}, 0xFF);
        const CanvasContents taken = canvas.contents();
        canvas.setBackColor(0xFF00);
        QCOMPARE(int(canvas.strokes().segmentCount()), 0);
        QSignalSpy changed(&canvas, &Canvas::pictureChanged);
        canvas.restore(taken);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(canvas.image(), taken.image);
        QCOMPARE(canvas.picture(), taken.picture);
        QCOMPARE(canvas.backColor(), kWhite);
        QCOMPARE(int(canvas.strokes().segmentCount()), 1);
    }

    void focusGivenShowsThePreview_data()
    {
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<bool>("shown");
        QTest::newRow("Tab") << Qt::TabFocusReason << true;
        QTest::newRow("window activated") << Qt::ActiveWindowFocusReason << false;
        QTest::newRow("popup closed") << Qt::PopupFocusReason << false;
        QTest::newRow("menu bar left") << Qt::MenuBarFocusReason << false;
    }

    // Given the focus, a geometry scroll bar shows the preview; the focus coming back to it with its
    // window, from a popup or from the menu bar does not.
    void focusGivenShowsThePreview()
    {
        QFETCH(Qt::FocusReason, reason);
        ProgramUnderTest p;
        QVERIFY(p.showActive());
        p.c.canvas->setFocus();
        p.c.hsbPenPosition->setFocus(reason);
        QTEST(p.window.settingsPanel().previewShown(), "shown");
    }

    // A geometry scroll bar in the units of its label, which lies apart from the fixed circle's; none of
    // the controls that only hold state.
    void screenReaderReadsTheControls()
    {
        ProgramUnderTest p;
        p.c.hsbMoveCircle->setValue(-35);
        QAccessibleValueInterface* bar = QAccessible::queryAccessibleInterface(p.c.hsbMoveCircle)->valueInterface();
        QCOMPARE(bar->currentValue().toDouble(), -3.5);
        QCOMPARE(bar->minimumValue().toDouble(), -20.0);
        QCOMPARE(bar->maximumValue().toDouble(), 20.0);
        bar->setCurrentValue(1.2);
        QCOMPARE(p.c.hsbMoveCircle->value(), 12);
        QAccessibleInterface* fixed = QAccessible::queryAccessibleInterface(p.c.hsbFixCircle);
        QCOMPARE(fixed->relations(QAccessible::Label).value(0).first->object()->objectName(), "lblFixCircle");
        QAccessibleInterface* interior = QAccessible::queryAccessibleInterface(p.window.centralWidget());
        QCOMPARE(interior->indexOfChild(QAccessible::queryAccessibleInterface(p.c.backingCanvas)), -1);
        QCOMPARE_GE(interior->indexOfChild(QAccessible::queryAccessibleInterface(p.c.canvas)), 0);
    }

    // The sixteen basic colours by their names, any other by its channels.
    void colourInWords()
    {
        const char* const named[][2] = {
            {"black", "黒"}, {"silver", "銀色"}, {"gray", "灰色"}, {"white", "白"}, {"maroon", "栗色"}, {"red", "赤"},
            {"purple", "紫"}, {"fuchsia", "赤紫"}, {"green", "深緑"}, {"lime", "緑"}, {"olive", "オリーブ"}, {"yellow", "黄"},
            {"navy", "紺"}, {"blue", "青"}, {"teal", "青緑"}, {"aqua", "水色"}, {"orange", "赤 255 緑 165 青 0"}};
        for (const auto& [name, words] : named)
            QCOMPARE(kururie::colourInWords(toPacked(QColor(QString::fromLatin1(name)))), QString::fromUtf8(words));
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
