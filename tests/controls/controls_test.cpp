// The controls the window stands on: the canvas as a screen of any scale shows it, with its frame on whole
// device pixels; its contents, taken as one value and put back as an undo does; the tight controls whole under
// every desktop style; the focus a geometry scroll bar is given; and what a screen reader hears of the scroll
// bars, the controls and the colours.

#include "controls/canvas_layers.h"
#include "controls/colour_words.h"
#include "controls/packed_colour.h"
#include "support/program_fixture.h"
#include "window/settings_panel.h"

#include <QAccessible>

using namespace kururie;

namespace {

// The scales a screen may have, and the device pixels a line of one unit takes there.
const struct {
    qreal ratio;
    int frameLine;
} kScales[] = {{1.0, 1}, {1.25, 1}, {1.5, 1}, {2.0, 2}};

void addScaleRows()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("frameLine");
    for (const auto& [ratio, frameLine] : kScales)
        QTest::newRow(qPrintable(QString::number(ratio))) << ratio << frameLine;
}

// The lengths of the runs of one colour along a line of device pixels, from `from` on.
QList<int> runs(const QImage& image, QPoint from, QPoint step, int count)
{
    QList<int> lengths{0};
    for (QRgb last = image.pixel(from); count > 0; --count, from += step) {
        if (image.pixel(from) != last) {
            lengths << 0;
            last = image.pixel(from);
        }
        ++lengths.last();
    }
    return lengths;
}

// The program's main window as a screen of one scale shows it, in its device pixels.
struct ScaledProgram {
    explicit ScaledProgram(qreal ratio) : ratio(ratio) {}

    // Shown, the canvas takes the screen's scale.
    QImage shown()
    {
        QImage image((QSizeF(p.window.size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        p.window.render(&image);
        return image;
    }

    // A point of the canvas widget, in device pixels of the window.
    QPoint inDevice(QPoint at) const { return (QPointF(p.c.canvas->mapTo(&p.window, at)) * ratio).toPoint(); }

    // The first device pixel inside the frame, found from outside it along the diagonal.
    QPoint interiorCorner(const QImage& shown) const
    {
        const QList<int> toCorner = runs(shown, inDevice({-4, -4}), {1, 1}, qRound(10 * ratio));
        return inDevice({-4, -4}) + (toCorner.value(0) + toCorner.value(1)) * QPoint(1, 1);
    }

    ProgramUnderTest p;
    const qreal ratio;
};

const char* const kStyles[] = {"Fusion", "Windows", "Adwaita", "Adwaita-Dark"};

// The program's main window shown as a desktop of one style shows it.
struct StyledProgram {
    explicit StyledProgram(const QString& style) : installed(QApplication::setStyle(style))
    {
        p.window.show();
        shown = p.window.grab().toImage();
    }

    template <typename Control = QWidget>
    Control* control(const QString& name) const { return p.window.findChild<Control*>(name); }

    const bool installed;
    ProgramUnderTest p;
    QImage shown;
};

// Every style with every named control.
void addStyleRows(std::initializer_list<const char*> controls)
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("control");
    for (const char* style : kStyles)
        for (const char* control : controls)
            QTest::addRow("%s %s", style, control) << QString(style) << QString(control);
}

// A radio button and the label or sample line right of it.
const struct {
    const char* radio;
    const char* beside;
} kRadios[] = {{"opSpeed_1", "Label2"}, {"opSpeed_2", "Label3"}, {"opPenWidth_1", "Line1"},
               {"opPenWidth_2", "Line2"}, {"opPenWidth_3", "Line3"}};

QRect inWindow(const QWidget* widget, const QRect& area)
{
    return area.translated(widget->mapTo(widget->window(), QPoint()));
}

// The columns of a rectangle that hold ink: a colour well away from the background.
QList<int> inkColumns(const QImage& image, const QRect& area, QRgb background)
{
    const auto isInk = [background](QRgb c) {
        return qAbs(qRed(c) - qRed(background)) + qAbs(qGreen(c) - qGreen(background)) +
                   qAbs(qBlue(c) - qBlue(background)) > 48;
    };
    QList<int> inked;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom() && (inked.isEmpty() || inked.last() != x); ++y)
            if (isInk(image.pixel(x, y)))
                inked << x;
    return inked;
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

    QString m_startStyle;

private slots:
    void initTestCase() { m_startStyle = QApplication::style()->name(); }
    // A slot that sets the application's style leaves the next one under the style it started with.
    void cleanup() { QApplication::setStyle(m_startStyle); }

    void canvasFrameOnWholeDevicePixels_data() { addScaleRows(); }

    // Across the middle of the canvas, from the window's face on one side to the other: one line each
    // side of exactly 400 units of device pixels.
    void canvasFrameOnWholeDevicePixels()
    {
        QFETCH(qreal, ratio);
        QFETCH(int, frameLine);
        ScaledProgram s(ratio);
        const QImage blank = s.shown();
        const int side = qRound(400 * ratio), length = qRound(410 * ratio);
        const QList<int> across = runs(blank, s.inDevice({-4, 200}), {1, 0}, length);
        QCOMPARE(across.value(1), frameLine);
        QCOMPARE(across.value(2), side);
        QCOMPARE(across.value(3), frameLine);
        const QList<int> down = runs(blank, s.inDevice({200, -4}), {0, 1}, length);
        QCOMPARE(down.value(1), frameLine);
        QCOMPARE(down.value(2), side);
        QCOMPARE(down.value(3), frameLine);
    }

    void runDrawsThePictureOfScaleOne_data() { addScaleRows(); }

    void runDrawsThePictureOfScaleOne()
    {
        QFETCH(qreal, ratio);
        ScaledProgram s(ratio);
        s.shown();
        s.p.setCurve(100, -40, 10);
        s.p.c.cmdStart->click();
        QCOMPARE(s.p.c.canvas->image(), tracedPicture());
    }

    // After the run's end has replaced the picture, a screen of scale 2 keeps showing it smoothly: few of
    // its inked pixels form 2 × 2 blocks of one colour.
    void runShownSmoothlyAtScaleTwo()
    {
        ScaledProgram s(2);
        const QPoint corner = s.interiorCorner(s.shown());
        s.p.setCurve(100, -40, 10);
        s.p.c.cmdStart->click();
        const QImage drawn = s.shown();
        int blocks = 0, inked = 0;
        for (int y = 0; y < 800; y += 2) {
            for (int x = 0; x < 800; x += 2) {
                const QPoint at = corner + QPoint(x, y);
                const QRgb c = drawn.pixel(at);
                const bool block = drawn.pixel(at + QPoint(1, 0)) == c && drawn.pixel(at + QPoint(0, 1)) == c &&
                                   drawn.pixel(at + QPoint(1, 1)) == c;
                inked += qGray(c) < 255;
                blocks += qGray(c) < 255 && block;
            }
        }
        QCOMPARE_LT(blocks, inked / 10);
    }

    void diagonalEvenInEveryColumn_data() { addScaleRows(); }

    // Along a diagonal every column of device pixels holds about the same ink, whatever the scale; a pixel
    // of the picture shows as 1 or 2 columns at 1.5.
    void diagonalEvenInEveryColumn()
    {
        QFETCH(qreal, ratio);
        ScaledProgram s(ratio);
        const QPoint corner = s.interiorCorner(s.shown());
        s.p.c.canvas->drawSegment({20, 30, 380, 390}, 0);
        const QImage diagonal = s.shown();
        QList<int> inkInColumns;
        for (int x = qCeil(40 * ratio); x < qFloor(360 * ratio); ++x) {
            int ink = 0;
            for (int y = qFloor(x - 10 * ratio); y < x + qCeil(20 * ratio); ++y)
                ink += 255 - qGray(diagonal.pixel(corner + QPoint(x, y)));
            inkInColumns << ink;
        }
        const auto [least, most] = std::minmax_element(inkInColumns.begin(), inkInColumns.end());
        QCOMPARE_LT(*most, *least * 1.2);
    }

    void openedPictureAtItsOwnSize_data() { addScaleRows(); }

    // Each pixel of an opened picture shows as a block of one unit.
    void openedPictureAtItsOwnSize()
    {
        QFETCH(qreal, ratio);
        ScaledProgram s(ratio);
        const QPoint corner = s.interiorCorner(s.shown());
        QImage picture(100, 50, QImage::Format_RGB32);
        picture.fill(Qt::red);
        s.p.c.canvas->setPicture(picture);
        const QImage opened = s.shown();
        QCOMPARE(runs(opened, corner, {1, 0}, qRound(400 * ratio)).value(0), qRound(100 * ratio));
        QCOMPARE(runs(opened, corner, {0, 1}, qRound(400 * ratio)).value(0), qRound(50 * ratio));
    }

    // Segments drawn with persistence off show on the screen only; one drawn with it on drops them there.
    void persistentDrawingDropsTheScreensOwn()
    {
        CanvasLayers layers(false);
        QImage white(20, 20, QImage::Format_RGB32);
        white.fill(Qt::white);
        layers.reset(white);
        layers.draw(QLineF(2, 2, 17, 2), Qt::black, 1, false);
        QCOMPARE(layers.shown().pixelColor(10, 2), QColor(Qt::black));
        QCOMPARE(layers.persistent().pixelColor(10, 2), QColor(Qt::white));
        layers.draw(QLineF(2, 9, 17, 9), Qt::black, 1, true);
        QCOMPARE(layers.screenHasOwnDrawing(), false);
        QCOMPARE(layers.shown().pixelColor(10, 2), QColor(Qt::white));
        QCOMPARE(layers.shown().pixelColor(10, 9), QColor(Qt::black));
    }

    // Put back, the image, the picture, the background colour and the strokes return, the picture counts as
    // replaced, and drawing goes on from them; a picture or a background colour set starts the strokes afresh.
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
        QCOMPARE(int(taken.strokes.segmentCount()), 1);
        canvas.setBackColor(0xFF00);
        QCOMPARE(int(canvas.strokes().segmentCount()), 0);
        QSignalSpy changed(&canvas, &Canvas::pictureChanged);
        canvas.restore(taken);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(canvas.image(), taken.image);
        QCOMPARE(canvas.picture(), taken.picture);
        QCOMPARE(canvas.backColor(), kWhite);
        QCOMPARE(int(canvas.strokes().segmentCount()), 1);
        canvas.drawSegment({200, 30, 300, 300}, 0);
        QCOMPARE(int(canvas.strokes().segmentCount()), 2);
        QCOMPARE(canvas.image().pixelColor(300, 300), QColor(Qt::black));
    }

    void checkBoxCaptionWhole_data() { addStyleRows({"ckPenPosition", "ckPenColor"}); }

    // A caption cut off by its box leaves ink in the box's last columns.
    void checkBoxCaptionWhole()
    {
        QFETCH(QString, style);
        QFETCH(QString, control);
        const StyledProgram s(style);
        QVERIFY2(s.installed, qPrintable(style + " is not installed"));
        const QRect area = inWindow(s.control(control), s.control(control)->rect());
        const QRect lastColumns = area.adjusted(area.width() - 2, 0, 0, 0);
        QCOMPARE(inkColumns(s.shown, lastColumns, s.shown.pixel(area.right() + 3, area.top())).size(), 0);
    }

    void radioCircleEndsBeforeItsLabel_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("beside");
        for (const char* style : kStyles)
            for (const auto& [radio, beside] : kRadios)
                QTest::addRow("%s %s", style, radio) << QString(style) << QString(radio) << QString(beside);
    }

    // Each radio button's circle shows, and ends before the label or sample line beside it begins.
    void radioCircleEndsBeforeItsLabel()
    {
        QFETCH(QString, style);
        QFETCH(QString, radio);
        QFETCH(QString, beside);
        const StyledProgram s(style);
        QVERIFY2(s.installed, qPrintable(style + " is not installed"));
        const QWidget* button = s.control(radio);
        const int labelLeft = s.control(beside)->mapTo(button->parentWidget(), QPoint()).x();
        const QRect area = inWindow(button, QRect(0, 2, labelLeft - button->x(), button->height() - 4));
        const QList<int> inked = inkColumns(s.shown, area, s.shown.pixel(area.topLeft() - QPoint(2, 2)));
        QVERIFY(!inked.isEmpty());
        QCOMPARE_LT(inked.last(), area.right());
    }

    void stepArrowsStepByOne_data() { addStyleRows({"hsbFixCircle", "hsbMoveCircle", "hsbPenPosition"}); }

    // Each end of a geometry scroll bar is an arrow that steps it by one.
    void stepArrowsStepByOne()
    {
        QFETCH(QString, style);
        QFETCH(QString, control);
        const StyledProgram s(style);
        QVERIFY2(s.installed, qPrintable(style + " is not installed"));
        auto* bar = s.control<QScrollBar>(control);
        const int start = bar->value();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
        QCOMPARE(bar->value(), start + 1);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, bar->height() / 2));
        QCOMPARE(bar->value(), start);
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
            {"black", "黒"}, {"silver", "銀色"}, {"gray", "灰色"}, {"white", "白"}, {"maroon", "栗色"},
            {"red", "赤"}, {"purple", "紫"}, {"fuchsia", "赤紫"}, {"green", "深緑"}, {"lime", "緑"},
            {"olive", "オリーブ"}, {"yellow", "黄"}, {"navy", "紺"}, {"blue", "青"}, {"teal", "青緑"},
            {"aqua", "水色"}, {"orange", "赤 255 緑 165 青 0"}};
        for (const auto& [name, words] : named)
            QCOMPARE(kururie::colourInWords(toPacked(QColor(QString::fromLatin1(name)))), QString::fromUtf8(words));
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
