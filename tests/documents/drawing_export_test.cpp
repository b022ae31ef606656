// The drawing exported from its strokes, as SVG (rendered by rsvg-convert, as viewers render it) and as PNG, against
// the picture the canvas drew, on its background and any picture under it.

#include "controls/packed_colour.h"
#include "documents/document_commands.h"
#include "documents/drawing_export.h"
#include "support/program_fixture.h"
#include "support/recording_host.h"

#include <QtGui>
#include <QtWidgets>

using namespace kururie;

namespace {

// How near a rendering must come to the canvas's picture. The canvas fills, without antialiasing, the pixels whose
// centres its pen covers; drawn again smoothly, a segment also tints the pixels its edges cross. So every pixel a
// stroke changed in either lies within one canvas pixel of one it changed in the other. The pixel nearest a line of
// one unit is about half covered or more, so somewhere near, the pen's colour is laid over what lies under it
// (background, picture, or a stroke it crosses) over at least half the pixel; a tenth of a channel's range allows
// for the line passing a little off a pixel's centre.
constexpr float kLeastCover = 0.5f;
constexpr int kColourTolerance = 26;

QImage fromPng(const QByteArray& png) { return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32); }

QImage renderedSvg(const QByteArray& svg)
{
    QProcess rsvg;
    rsvg.start("rsvg-convert", {"--width", "400", "--height", "400", "--format", "png"});
    rsvg.write(svg);
    rsvg.closeWriteChannel();
    return rsvg.waitForFinished(60000) && rsvg.exitCode() == 0 ? fromPng(rsvg.readAllStandardOutput()) : QImage();
}

QVector3D rgb(QRgb colour) { return QVector3D(qRed(colour), qGreen(colour), qBlue(colour)); }

// Whether `seen` is `colour` laid over `under`, covering at least kLeastCover of the pixel.
bool laidOver(QRgb seen, QRgb under, QRgb colour)
{
    const QVector3D s = rgb(seen), b = rgb(under), c = rgb(colour);
    const float along = QVector3D::dotProduct(s - b, c - b) / std::max((c - b).lengthSquared(), 1.0f);
    const QVector3D off = s - (b + std::clamp(along, kLeastCover, 1.0f) * (c - b));
    return std::max({std::abs(off.x()), std::abs(off.y()), std::abs(off.z())}) <= kColourTolerance;
}

// An image and what it shows before any stroke.
struct Layered {
    QImage image;
    QImage base;
    bool drawn(QPoint at) const { return image.pixel(at) != base.pixel(at); }
};

// Calls visit for the pixels of `image` within a canvas unit of the unit `unit`, at `scale` pixels a unit; true when
// that reach goes past the image's edge.
bool forEachNear(const QImage& image, QPoint unit, int scale, const std::function<void(QPoint)>& visit)
{
    const QRect reach((unit - QPoint(1, 1)) * scale, QSize(3, 3) * scale), near = reach.intersected(image.rect());
    for (int y = near.top(); y <= near.bottom(); ++y)
        for (int x = near.left(); x <= near.right(); ++x)
            visit({x, y});
    return near != reach;
}

// Where a rendering of the drawing departs from the canvas's picture, in pixels.
struct Departures {
    int missing = 0; // the canvas's stroke pixels with no stroke of the rendering near
    int recoloured = 0; // those near which the rendering shows no stroke in their colour
    int strayed = 0; // the rendering's stroke pixels with no stroke of the canvas near
    int changed = 0; // the rendering's background or picture pixels unlike the canvas's near them
};

Departures departures(const Layered& canvas, const Layered& rendered)
{
    const int scale = rendered.image.width() / canvas.image.width();
    Departures d;
    for (int y = 0; y < canvas.image.height(); ++y)
        for (int x = 0; x < canvas.image.width(); ++x) {
            if (!canvas.drawn({x, y}))
                continue;
            // Under the stroke: the background or picture, or where strokes cross, the one it crosses.
            QList<QRgb> under;
            forEachNear(canvas.image, {x, y}, 1, [&](QPoint at) {
                under << canvas.base.pixel(at) << canvas.image.pixel(at);
            });
            bool found = false, coloured = false;
            forEachNear(rendered.image, {x, y}, scale, [&](QPoint at) {
                if (!rendered.drawn(at))
                    return;
                found = true;
                for (QRgb below : under)
                    coloured = coloured || laidOver(rendered.image.pixel(at), below, canvas.image.pixel(x, y));
            });
            d.missing += !found;
            d.recoloured += found && !coloured;
        }
    for (int v = 0; v < rendered.image.height(); ++v)
        for (int u = 0; u < rendered.image.width(); ++u) {
            // Scaled smoothly, the background and picture lie between the canvas's pixels around.
            QVector3D low(255, 255, 255), high(0, 0, 0);
            bool found = false;
            const bool pastEdge = forEachNear(canvas.image, {u / scale, v / scale}, 1, [&](QPoint at) {
                found = found || canvas.drawn(at);
                const QVector3D base = rgb(canvas.base.pixel(at));
                for (int i = 0; i < 3; ++i)
                    low[i] = std::min(low[i], base[i]), high[i] = std::max(high[i], base[i]);
            });
            // Past the edge, a stroke may pass just outside, where the canvas shows nothing of it.
            d.strayed += rendered.drawn({u, v}) && !found && !pastEdge;
            const QVector3D base = rgb(rendered.base.pixel(u, v)), below = low - base, above = base - high;
            d.changed += std::max({below.x(), below.y(), below.z(), above.x(), above.y(), above.z()}) > 1;
        }
    return d;
}

// The first point of the SVG's paths that is not, in drawing order, a point of the strokes to the nearest hundredth
// of a unit (a twentieth of a pixel at 4000 pixels a side); none when all are. Each path begins with "m" and an
// absolute point; every other pair is relative to the one before.
QString pointAstray(const QByteArray& svg, const StrokeRecord& strokes)
{
    QList<QPointF> kept;
    strokes.forEachPoint([&kept](const StrokePoint& point) { kept << QPointF(point.x, point.y); });
    auto next = kept.cbegin();
    static const QRegularExpression path(" d=\"([^\"]*)\""), number("-?[0-9]*\\.?[0-9]+");
    for (auto paths = path.globalMatch(QString::fromUtf8(svg)); paths.hasNext();) {
        QList<double> values;
        for (auto numbers = number.globalMatch(paths.next().captured(1)); numbers.hasNext();)
            values << numbers.next().captured().toDouble();
        QPointF at;
        for (int i = 0; i + 1 < values.size(); i += 2) {
            at = (i == 0 ? QPointF() : at) + QPointF(values[i], values[i + 1]);
            next = std::find_if(next, kept.cend(), [&at](const QPointF& point) {
                return std::abs(point.x() - at.x()) <= 0.00501 && std::abs(point.y() - at.y()) <= 0.00501;
            });
            if (next == kept.cend())
                return QString("(%1, %2)").arg(at.x()).arg(at.y());
        }
    }
    return QString();
}

// A change made from a given segment of a run on.
struct Change {
    int segment;
    QColor colour; // the pen's from then on; unchanged when invalid
    int width; // unchanged when 0
    bool clear; // the canvas emptied, as 絵を消す empties it
};

// A curve traced as a run traces it, after the settings made before it, with the changes made while it draws.
struct Run {
    int fix, move, pen; // the geometry scroll bars
    int width;
    int gradation; // the colour gradation's rate; none when 0
    QColor colour, background;
    bool picture; // a picture of two colours, smaller than the canvas, under the strokes
    QList<Change> changes;
};

// The run drawn on a canvas that keeps its strokes, as the backing canvas does; `before` is its image as the run
// starts.
struct Drawn {
    Canvas canvas{"picDraw", 0, nullptr};
    QImage before;

    explicit Drawn(const Run& run)
    {
        canvas.setInteriorSize(QSize(400, 400));
        canvas.keepStrokes();
        canvas.setBackColor(toPacked(run.background));
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(QColor(40, 160, 90));
        QPainter(&picture).fillRect(100, 50, 150, 100, QColor(230, 120, 20));
        canvas.setPicture(run.picture ? picture : QImage());
        RecordingHost host(run.fix, run.move, run.pen);
        host.colour = toPacked(run.colour);
        host.gradation = run.gradation > 0;
        host.settings.penColorRate = run.gradation;
        host.trace();
        before = canvas.image();
        canvas.setPenWidth(run.width);
        QColor colour;
        for (int i = 0; i < host.segments.size(); ++i) {
            for (const Change& change : run.changes) {
                if (change.segment != i)
                    continue;
                colour = change.colour.isValid() ? change.colour : colour;
                canvas.setPenWidth(change.width > 0 ? change.width : canvas.penWidth());
                if (change.clear)
                    canvas.setPicture(QImage());
            }
            canvas.drawSegment(host.segments[i], colour.isValid() ? toPacked(colour) : host.colours[i]);
        }
    }
};

} // namespace

Q_DECLARE_METATYPE(Run)

class DrawingExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportsDrawTheCanvasAgain_data()
    {
        QTest::addColumn<Run>("run");
        const QColor black = Qt::black, white = Qt::white;
        QTest::newRow("black, one unit wide") << Run{100, -40, 10, 1, 0, black, white, false, {}};
        QTest::newRow("gradation, three wide") << Run{100, -40, 25, 3, 5, black, white, false, {}};
        QTest::newRow("colour and width changed in the run")
            << Run{100, -40, 10, 1, 0, Qt::red, white, false, {{500, Qt::blue, 2, false}, {1000, {}, 3, false}}};
        QTest::newRow("on a background colour") << Run{100, 40, 20, 2, 0, Qt::yellow, QColor(0x1e3c5a), false, {}};
        QTest::newRow("on a picture") << Run{100, -40, 10, 2, 3, black, white, true, {}};
        QTest::newRow("beyond the canvas") << Run{200, 60, 10, 3, 0, black, white, false, {}};
        QTest::newRow("cleared in the run") << Run{100, -40, 10, 2, 0, black, white, false, {{200, {}, 0, true}}};
    }

    // As SVG and as PNG at two sizes, and, past the record's cap, as the canvas's pixels scaled and as no SVG.
    void exportsDrawTheCanvasAgain()
    {
        QFETCH(Run, run);
        const Drawn d(run);
        const CanvasContents drawn = d.canvas.contents();
        QCOMPARE(drawn.picture.isNull(), !run.picture);
        const StrokeRecord none;
        StrokeRecord overflowed(1);
        overflowed.append({0, 0, 400, 400}, 0, 1);
        overflowed.append({400, 400, 0, 0}, 0, 1);
        const DrawingLayers layers = drawingOf(d.canvas), bare{QSize(400, 400), drawn.backColor, drawn.picture, none},
                            past{QSize(400, 400), drawn.backColor, drawn.picture, overflowed};
        const std::optional<QByteArray> svg = drawingSvg(layers);
        QVERIFY(svg);
        // 10 cm a side on paper, in canvas units.
        QVERIFY(svg->contains("width=\"100mm\" height=\"100mm\" viewBox=\"0 0 400 400\""));
        QCOMPARE(pointAstray(*svg, drawn.strokes), QString());
        QCOMPARE(drawingSvg(past).has_value(), false);
        const auto png = [](const DrawingLayers& drawing, const QImage& image, int side) {
            return fromPng(drawingPng(drawing, image, side));
        };
        const QImage at400 = png(layers, drawn.image, 400), at800 = png(layers, drawn.image, 800);
        const QList<Layered> renderings{{renderedSvg(*svg), renderedSvg(drawingSvg(bare).value())},
                                        {at400, png(bare, drawn.image, 400)},
                                        {at800, png(bare, drawn.image, 800)},
                                        {png(past, drawn.image, 800), png(past, d.before, 800)}};
        for (const Layered& rendered : renderings) {
            const Departures departed = departures({drawn.image, d.before}, rendered);
            QCOMPARE(departed.missing, 0);
            QCOMPARE(departed.recoloured, 0);
            QCOMPARE(departed.strayed, 0);
            QCOMPARE(departed.changed, 0);
        }
        // Drawn again at its size, not the smaller one scaled up pixel for pixel.
        QVERIFY(at800 != at400.scaled(800, 800));
    }

    // A segment is left out when neither its round end nor the pixels its smooth edge tints reach the canvas.
    void segmentsOffTheCanvasAreLeftOut()
    {
        const auto drawsPath = [](float x) {
            StrokeRecord strokes;
            strokes.append({x, 10, x, 20}, 0, 1);
            return drawingSvg({QSize(400, 400), kWhite, QImage(), strokes}).value().contains("<path");
        };
        QCOMPARE(drawsPath(-2), false);
        QCOMPARE(drawsPath(-1.4f), true);
    }

    // A run of one colour and width is one path, closed once; a new pen starts another.
    void onePathForEachPen()
    {
        StrokeRecord strokes;
        strokes.append({10, 10, 20, 10}, 0, 1);
        strokes.append({20, 10, 20, 20}, 0, 1);
        strokes.append({20, 20, 30, 20}, 255, 1);
        strokes.append({30, 20, 30, 30}, 255, 2);
        const QByteArray svg = drawingSvg({QSize(400, 400), kWhite, QImage(), strokes}).value();
        QCOMPARE(svg.count("<path"), 3);
        QCOMPARE(svg.count("\"/>"), 4); // the paths' and the background's
        QCOMPARE(svg.count("<g stroke-width"), 2);
        // Each path is one line, moved to once.
        qsizetype moves = 0;
        static const QRegularExpression path(" d=\"([^\"]*)\"");
        for (auto paths = path.globalMatch(QString::fromUtf8(svg)); paths.hasNext();)
            moves += paths.next().captured(1).count('m');
        QCOMPARE(moves, 3);
    }

    void theExportCommand_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("side"); // of the PNG written; 0 for the SVG
        QTest::newRow("SVG") << 1 << 0;
        QTest::newRow("PNG of 400") << 2 << 400;
        QTest::newRow("PNG of 800") << 3 << 800;
        QTest::newRow("PNG of 1600") << 4 << 1600;
        QTest::newRow("PNG of 4000") << 5 << 4000;
    }

    // File > 書き出し writes what the file type picked says, from the strokes, and leaves the document, its title and
    // its changed mark as they were.
    void theExportCommand()
    {
        QFETCH(int, entry);
        QFETCH(int, side);
        ProgramUnderTest p;
        QTemporaryDir folder;
        p.setCurve(100, -40, 10);
        p.seam.expect(ScriptedSeam::file(folder.filePath("star.bmp")));
        p.seam.expect(ScriptedSeam::fileUnder(entry, folder.filePath("drawn")));
        p.c.mnuFileSaveAs->trigger();
        p.c.cmdStart->click();
        const QString title = p.window.windowTitle();
        p.c.mnuFileExport->trigger();
        const DrawingLayers layers = drawingOf(*p.c.backingCanvas);
        const QByteArray written = fileBytes(folder.filePath(side ? "drawn.png" : "drawn.svg"));
        QCOMPARE(written, side ? drawingPng(layers, p.c.backingCanvas->image(), side) : drawingSvg(layers).value());
        QCOMPARE(p.program.documents().documentName(), folder.filePath("star.bmp"));
        QCOMPARE(p.window.windowTitle(), title);
        QCOMPARE(p.window.pictureChanged(), true);
    }

    // Past the record's cap the drawing can no longer be a vector: the export says so plainly, and PNG is still
    // written, from the pixels.
    void theExportCommandPastTheCap()
    {
        ProgramUnderTest p;
        QTemporaryDir folder;
        for (std::size_t i = 0; i <= StrokeRecord::kMaxSegments; ++i)
            p.c.backingCanvas->drawSegment({0, float(i % 400), 1, float(i % 400)}, 0);
        QVERIFY(p.c.backingCanvas->strokes().overflowed());
        p.seam.expect({ScriptedSeam::file(folder.filePath("too many.svg")), ScriptedSeam::ok(),
                       ScriptedSeam::fileUnder(2, folder.filePath("too many.png"))});
        p.c.mnuFileExport->trigger();
        p.c.mnuFileExport->trigger();
        QCOMPARE(p.seam.shown().at(0).title, "書き出し");
        QCOMPARE(p.seam.shown().at(1).text,
                 "この絵は線が多すぎるため、SVG形式では書き出せません。\nPNG形式なら書き出せます。");
        QCOMPARE(QFileInfo::exists(folder.filePath("too many.svg")), false);
        QCOMPARE(fromPng(fileBytes(folder.filePath("too many.png"))), p.c.backingCanvas->image());
    }
};

QTEST_MAIN(DrawingExportTest)
#include "drawing_export_test.moc"
