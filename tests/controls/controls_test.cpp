// The controls the window stands on: the canvas's contents, taken as one value and put back as an undo
// does, and the colours in words a screen reader hears.

#include "controls/canvas.h"
#include "controls/colour_words.h"
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
