// The canvas the window stands on: its contents, taken as one value and put back as an undo does.

#include "controls/canvas.h"
#include "controls/packed_colour.h"

#include <QtTest>

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
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
