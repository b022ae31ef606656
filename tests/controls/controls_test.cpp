// The controls as a screen of any scale and a desktop of any style show them: the canvas at the
// screen's resolution, with its frame on whole device pixels, and the tight controls whole.

#include "controls/option_group.h"
#include "controls/packed_colour.h"
#include "controls/state_check_box.h"
#include "support/program_fixture.h"

#include <QLabel>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyle>

using namespace kururie;

namespace {

// The main window as a screen of that scale shows it, in its device pixels.
QImage shownAt(QWidget& window, qreal ratio)
{
    QImage shown((QSizeF(window.size()) * ratio).toSize(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(ratio);
    window.render(&shown);
    return shown;
}

// The lengths of the runs of one colour along a row or column of device pixels, from `from` on.
QList<int> runs(const QImage& image, QPoint from, QPoint step, int count)
{
    QList<int> lengths{0};
    for (QRgb last = image.pixel(from); count-- > 0; from += step, ++lengths.last())
        if (image.pixel(from) != last)
            lengths << 0, last = image.pixel(from);
    return lengths;
}

// The columns of a rectangle that hold ink: a colour well away from the background.
QList<int> inkColumns(const QImage& image, const QRect& area, QRgb background)
{
    QList<int> inked;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom() && (inked.isEmpty() || inked.last() != x); ++y)
            if (const QRgb c = image.pixel(x, y); qAbs(qRed(c) - qRed(background)) + qAbs(qGreen(c) - qGreen(background)) + qAbs(qBlue(c) - qBlue(background)) > 48)
                inked << x;
    return inked;
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void canvasAtScreenResolution_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("frame");
        for (const auto& [ratio, frame] : {std::pair{1.0, 1}, {1.25, 1}, {1.5, 1}, {2.0, 2}})
            QTest::newRow(qPrintable(QString::number(ratio))) << ratio << frame;
    }

    void canvasAtScreenResolution()
    {
        QFETCH(qreal, ratio);
        QFETCH(int, frame);
        static const QImage drawnAtOne = tracedPicture();
        ProgramUnderTest p;
        // Across the middle of the canvas, from the window's face on one side to the other: the frame
        // is one line on each side of exactly 400 units of device pixels.
        const QImage blank = shownAt(p.window, ratio);
        const auto inDevice = [&p, ratio](QPoint at) { return (QPointF(p.c.canvas->mapTo(&p.window, at)) * ratio).toPoint(); };
        const int side = qRound(400 * ratio), across = qRound(410 * ratio);
        QCOMPARE(runs(blank, inDevice({-4, 200}), QPoint(1, 0), across).mid(1, 3) + runs(blank, inDevice({200, -4}), QPoint(0, 1), across).mid(1, 3),
                 QList<int>({frame, side, frame, frame, side, frame}));

        // A run draws the same picture as at scale 1, and the screen keeps showing it smoothly after
        // the run's end has replaced the picture: at 2, few of its pixels form 2 × 2 blocks of one colour.
        const QList<int> toCorner = runs(blank, inDevice({-4, -4}), QPoint(1, 1), across);
        const QPoint corner = inDevice({-4, -4}) + (toCorner[0] + toCorner[1]) * QPoint(1, 1);
        p.setCurve(100, -40, 10);
        p.c.cmdStart->click();
        QCOMPARE(p.c.canvas->image(), drawnAtOne);
        const QImage drawn = shownAt(p.window, ratio);
        int blocks = 0, inkedBlocks = 0;
        for (int i = 0; i < side / 2 * side / 2; ++i) {
            const QPoint at = corner + QPoint(i % (side / 2), i / (side / 2)) * 2;
            const QRgb c = drawn.pixel(at);
            inkedBlocks += qGray(c) < 255;
            blocks += qGray(c) < 255 && drawn.pixel(at + QPoint(1, 0)) == c && drawn.pixel(at + QPoint(0, 1)) == c &&
                      drawn.pixel(at + QPoint(1, 1)) == c;
        }
        QVERIFY2(ratio != 2 || blocks < inkedBlocks / 10, qPrintable(QString("%1 of %2").arg(blocks).arg(inkedBlocks)));

        // Across a diagonal every column holds the same ink, whatever the scale; a pixel of the picture
        // shows as 1 or 2 columns at 1.5.
        p.c.canvas->setPicture(QImage());
        shownAt(p.window, ratio);
        p.c.canvas->drawSegment({20, 30, 380, 390}, 0);
        const QImage diagonal = shownAt(p.window, ratio);
        QList<int> inkInColumns;
        for (int x = qCeil(40 * ratio); x < qFloor(360 * ratio); ++x) {
            int ink = 0;
            for (int y = qFloor(x - 10 * ratio); y < x + qCeil(20 * ratio); ++y)
                ink += 255 - qGray(diagonal.pixel(corner + QPoint(x, y)));
            inkInColumns << ink;
        }
        const auto [least, most] = std::minmax_element(inkInColumns.begin(), inkInColumns.end());
        QVERIFY2(*most < *least * 1.2, qPrintable(QString("ink from %1 to %2").arg(*least).arg(*most)));

        // An opened picture shows at its own size in units, each pixel as a block.
        QImage picture(100, 50, QImage::Format_RGB32);
        picture.fill(Qt::red);
        p.c.canvas->setPicture(picture);
        const QImage opened = shownAt(p.window, ratio);
        QCOMPARE(QList<int>({runs(opened, corner, QPoint(1, 0), side)[0], runs(opened, corner, QPoint(0, 1), side)[0]}),
                 QList<int>({qRound(100 * ratio), qRound(50 * ratio)}));
    }

    // Taken as one value and put back, as an undo does; the strokes start again with the
    // background colour and the picture.
    void canvasContentsComeBack()
    {
        Canvas canvas(QStringLiteral("canvas"), 0, nullptr);
        canvas.setInteriorSize({400, 400});
        canvas.keepStrokes();
        canvas.drawSegment({10, 10, 200, 30}, 0xFF);
        canvas.setPicture(QImage(100, 50, QImage::Format_RGB32));
        canvas.setPenWidth(3);
        canvas.drawSegment({10, 10, 200, 30}, 0xFF);
        const CanvasContents taken = canvas.contents();
        canvas.setBackColor(0xFF00);
        QList<std::size_t> kept{taken.strokes.segmentCount(), canvas.strokes().segmentCount()};
        QSignalSpy changed(&canvas, &Canvas::pictureChanged);
        canvas.restore(taken);
        const CanvasContents restored = canvas.contents();
        canvas.drawSegment({200, 30, 300, 300}, 0);
        kept << canvas.strokes().segmentCount() << std::size_t(changed.count());
        QCOMPARE(kept, QList<std::size_t>({1, 0, 2, 1}));
        QCOMPARE(restored.image, taken.image);
        QCOMPARE(restored.picture, taken.picture);
        QCOMPARE(restored.backColor, kWhite);
        QCOMPARE(canvas.contents().image.pixelColor(300, 300), QColor(Qt::black));
    }

    void controlsWholeUnderEveryStyle_data()
    {
        QTest::addColumn<QString>("style");
        for (const char* style : {"Fusion", "Windows", "Adwaita", "Adwaita-Dark"})
            QTest::newRow(style) << QString(style);
    }

    void controlsWholeUnderEveryStyle()
    {
        QFETCH(QString, style);
        const QString before = QApplication::style()->name();
        QVERIFY2(QApplication::setStyle(style), qPrintable(style + " is not installed"));
        const auto restore = qScopeGuard([&before] { QApplication::setStyle(before); });
        ProgramUnderTest p;
        p.window.show();
        const QImage shown = p.window.grab().toImage();
        const auto inWindow = [&p](QWidget* w, const QRect& area) { return area.translated(w->mapTo(&p.window, QPoint())); };
        QStringList faults;
        // A caption cut off by its box leaves ink in the box's last columns.
        for (QWidget* box : {static_cast<QWidget*>(p.c.ckPenPosition), static_cast<QWidget*>(p.c.ckPenColor)}) {
            const QRect area = inWindow(box, box->rect());
            if (!inkColumns(shown, area.adjusted(area.width() - 2, 0, 0, 0), shown.pixel(area.right() + 3, area.top())).isEmpty())
                faults << box->objectName() + " cut off";
        }
        // Each radio button's circle ends before its label or sample line begins.
        const QList<std::pair<QRadioButton*, int>> nextToIt{
            {p.c.speedOptions->button(1), p.c.normalSpeedLabel->x()}, {p.c.speedOptions->button(2), p.c.slowSpeedLabel->x()},
            {p.c.penWidthOptions->button(1), 32}, {p.c.penWidthOptions->button(2), 80}, {p.c.penWidthOptions->button(3), 128}};
        for (const auto& [radio, labelLeft] : nextToIt) {
            const QRect area = inWindow(radio, QRect(0, 2, labelLeft - radio->x(), radio->height() - 4));
            const QList<int> inked = inkColumns(shown, area, shown.pixel(area.topLeft() - QPoint(2, 2)));
            if (inked.isEmpty() || inked.size() == area.right() - inked.first() + 1)
                faults << radio->objectName() + " runs into its label";
        }
        // The step arrows step by one.
        for (QScrollBar* bar : {p.c.hsbFixCircle, p.c.hsbMoveCircle, p.c.hsbPenPosition}) {
            const int start = bar->value();
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
            const bool stepped = bar->value() == start + 1;
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, bar->height() / 2));
            if (!stepped || bar->value() != start)
                faults << bar->objectName() + " has no step arrows";
        }
        QCOMPARE(faults.join(", "), QString());
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
