#include "window/canvas.h"
#include "window/packed_colour.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <vector>

using namespace kururie;

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr QSize kSide(60, 60);

struct Stroke {
    Segment segment;
    std::uint32_t colour;
    int width;
};

// What a painter opened afresh for every segment draws: the canvas must match it pixel for pixel.
QImage drawnOneByOne(const std::vector<Stroke>& strokes)
{
    QImage image(kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const Stroke& stroke : strokes) {
        QPainter painter(&image);
        painter.setPen(QPen(fromPacked(stroke.colour), stroke.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const Segment& s = stroke.segment;
        painter.drawLine(QLineF(s.x1, s.y1, s.x2, s.y2));
    }
    return image;
}

QImage filled(QColor colour)
{
    QImage image(kSide, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class PaintedArea : public QObject {
public:
    QRegion area;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            area += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT

private:
    static void prepare(Canvas& canvas)
    {
        canvas.setInteriorSize(kSide);
        canvas.setBackColor(kWhite);
    }

private slots:
    void drawsEachSegmentAsAFreshPainterWould()
    {
        const std::vector<Stroke> strokes{{{5.25f, 7.5f, 40.75f, 52.125f}, kRed, 1},
                                          {{40.75f, 52.125f, 55.5f, 3.0f}, kBlue, 1},
                                          {{10, 30, 50, 30.5f}, 0x00FF00, 3},
                                          {{50, 30.5f, 12.5f, 12.5f}, 0x808080, 2}};
        for (const bool persistent : {true, false}) {
            Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
            prepare(canvas);
            canvas.setPersistentDrawing(persistent);
            for (const Stroke& stroke : strokes) {
                canvas.setPenWidth(stroke.width);
                canvas.drawSegment(stroke.segment, stroke.colour);
            }
            const QImage drawn = persistent ? canvas.image() : canvas.screenImage();
            QCOMPARE(drawn, drawnOneByOne(strokes));
        }
    }

    void persistentDrawingReachesImageAndScreen()
    {
        Canvas canvas(QStringLiteral("picDrawBk"), 0, nullptr);
        prepare(canvas);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        QCOMPARE(canvas.image().pixelColor(30, 20), QColor(Qt::red));
        QCOMPARE(canvas.screenImage(), canvas.image());
    }

    void drawingWithPersistenceOffReachesTheScreenOnlyUntilTheNextReplacement()
    {
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        prepare(canvas);
        canvas.setPersistentDrawing(false);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        QCOMPARE(canvas.image(), filled(Qt::white));
        QCOMPARE(canvas.screenImage().pixelColor(30, 20), QColor(Qt::red));

        canvas.setPicture(QImage());
        QCOMPARE(canvas.screenImage(), filled(Qt::white));

        canvas.drawSegment({0, 40, 59, 40}, kBlue);
        canvas.setBackColor(kWhite);
        QCOMPARE(canvas.screenImage(), filled(Qt::white));
    }

    void drawingPersistentlyAgainShowsThePersistentImage()
    {
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        prepare(canvas);
        canvas.setPersistentDrawing(false);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        canvas.setPersistentDrawing(true);
        canvas.drawSegment({0, 40, 59, 40}, kBlue);
        QCOMPARE(canvas.screenImage(), canvas.image());
        QCOMPARE(canvas.screenImage().pixelColor(30, 20), QColor(Qt::white));
        QCOMPARE(canvas.screenImage().pixelColor(30, 40), QColor(Qt::blue));
    }

    void snapshotsAreUnaffectedByLaterDrawing()
    {
        Canvas canvas(QStringLiteral("picDrawBk"), 0, nullptr);
        prepare(canvas);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        const QImage image = canvas.image();
        const QImage screen = canvas.screenImage();
        canvas.drawSegment({0, 40, 59, 40}, kBlue);
        QCOMPARE(image.pixelColor(30, 40), QColor(Qt::white));
        QCOMPARE(screen.pixelColor(30, 40), QColor(Qt::white));
        QCOMPARE(canvas.image().pixelColor(30, 40), QColor(Qt::blue));
        QCOMPARE(canvas.image().pixelColor(30, 20), QColor(Qt::red));
    }

    void screenSnapshotsAreUnaffectedByLaterDrawing()
    {
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        prepare(canvas);
        canvas.setPersistentDrawing(false);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        const QImage screen = canvas.screenImage();
        canvas.drawSegment({0, 40, 59, 40}, kBlue);
        QCOMPARE(screen.pixelColor(30, 40), QColor(Qt::white));
        QCOMPARE(canvas.screenImage().pixelColor(30, 40), QColor(Qt::blue));
        QCOMPARE(canvas.image(), filled(Qt::white));
    }

    void replacingThePictureKeepsItApartFromLaterDrawing()
    {
        Canvas backing(QStringLiteral("picDrawBk"), 0, nullptr);
        Canvas visible(QStringLiteral("picDraw"), 1, nullptr);
        prepare(backing);
        prepare(visible);
        QSignalSpy changed(&visible, &Canvas::pictureChanged);
        backing.drawSegment({0, 20, 59, 20}, kRed);
        visible.setPicture(backing.image());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(visible.image(), backing.image());

        backing.drawSegment({0, 40, 59, 40}, kBlue);
        visible.drawSegment({0, 50, 59, 50}, kBlue);
        QCOMPARE(visible.picture().pixelColor(30, 40), QColor(Qt::white));
        QCOMPARE(visible.picture().pixelColor(30, 50), QColor(Qt::white));
        QCOMPARE(visible.image().pixelColor(30, 20), QColor(Qt::red));
        QCOMPARE(visible.image().pixelColor(30, 50), QColor(Qt::blue));
    }

    void pictureOfItsOwnImageComesBackWhole()
    {
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        prepare(canvas);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        canvas.setPicture(canvas.image());
        canvas.drawSegment({0, 40, 59, 40}, kBlue);
        QCOMPARE(canvas.picture().pixelColor(30, 40), QColor(Qt::white));
        QCOMPARE(canvas.image().pixelColor(30, 20), QColor(Qt::red));
        QCOMPARE(canvas.image().pixelColor(30, 40), QColor(Qt::blue));
    }

    void resizingStartsAFreshImage()
    {
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        prepare(canvas);
        canvas.drawSegment({0, 20, 59, 20}, kRed);
        canvas.setInteriorSize(QSize(30, 20));
        QCOMPARE(canvas.image().size(), QSize(30, 20));
        QCOMPARE(canvas.image().pixelColor(15, 19), QColor(Qt::white));
        canvas.drawSegment({0, 10, 29, 10}, kBlue);
        QCOMPARE(canvas.image().pixelColor(15, 10), QColor(Qt::blue));
    }

    void drawnSegmentsReachTheScreenWithoutAsking()
    {
        Canvas canvas(QStringLiteral("picDraw"), 1, nullptr);
        prepare(canvas);
        canvas.setPersistentDrawing(false);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        PaintedArea painted;
        canvas.installEventFilter(&painted);
        for (int y = 10; y < 50; y += 10)
            canvas.drawSegment({5, float(y), 55, float(y)}, kRed);
        const QRect drawn = QRect(5, 10, 51, 31).translated(canvas.interiorOrigin());
        QTRY_VERIFY(painted.area.contains(drawn));
    }
};

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
